#!/usr/bin/env python3
"""End-to-end tests of the wizard: the real x86_64 program under Wine in a
private X server, worked through the mouse and the keyboard, and checked
against what composition.py computes from the composition rules.

    run_e2e.py --program P --probe P --recorder P --scintilla P --planted P
               --windows7-loader-program P --work DIR
               [--locale L --code-page N] [TestClass ...]

--locale names the Wine session's locale (ru_RU.UTF-8 unless given), which
gives every program in it its system code page; --code-page is the code page
that the locale must give (1251 unless given).
"""

import dataclasses
import hashlib
import os
import itertools
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
import zlib
from pathlib import Path
from xml.etree import ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from composition import (BUTTON_SETS, DEFAULT_BUTTONS, ICONS, MODALITIES, Choices, box_buttons,  # noqa: E402
                         box_icon, box_stays_on_top, default_button_id, generated_call, generated_source,
                         preview_text)
from pe_resources import (LARGE_ADDRESS_AWARE, RT_MANIFEST, RT_VERSION, PeFile, icon_images,  # noqa: E402
                          version_information)
from session import (PUREBASIC_COMMAND, PUREBASIC_KEYS, HANDLER_KEYS, SCREEN, WINE, Session,  # noqa: E402
                     parse_options, run_in_private_display, wait_for, windows_path)

OPTIONS = None
TAB_ORDER = [1, 3, 4, 5, 6, 7, 9]
FAILURE_TEXT = "Приложению не удалось запуститься\nиз-за отсутствия файла Scintilla.dll"
# The window's own texts: the caption labels in creation order, the buttons
# and the link label by gadget number, the tooltips in the order they are set.
LABELS = ["Заголовок:", "Текст:", "Иконка:", "Вид:", "Кнопки:", "Кнопка по умолчанию:"]
GADGET_TEXTS = {7: "Тест", 9: "Скопировать", 10: "MessageRequester wizard © "}
TOOL_TIPS = ["Скопировать в буфер обмена", "Orlenka"]
INSERT_FAILED_TEXT = "Вставить не удалось: редактор PureBasic больше недоступен,\nвызов остался в буфере обмена."
# The clipboard's single-byte text is Windows-1251, tagged Russian, under every
# code page where Windows-1251 holds the call; where it does not, the text is
# in the system's own single-byte code page, tagged with the user's locale
# (en_US in the run of code page 1252), where that code page holds it.
RUSSIAN_LOCALE = 0x0419
USER_LOCALES = {1252: 0x0409}


def shown(hex_utf8):
    """A text the probe read from a window (UTF-8 in hex)."""
    return bytes.fromhex(hex_utf8).decode("utf-8")


def code_page_of_the_run():
    return int(getattr(OPTIONS, "code_page", None) or 1251)


class WizardCase(unittest.TestCase):
    """Starts a Wine session for each test and ends it, leaving nothing running."""

    def setUp(self):
        self.s = Session(OPTIONS, self.id().split(".")[-1])
        self.addCleanup(self.s.close)
        self.assertEqual(self.s.ask("codepage")["acp"], code_page_of_the_run(),
                         "the session runs under the system code page it names")

    # --- composing, as a person does -----------------------------------

    def set_title(self, title):
        self.s.click_gadget(1)
        self.s.wait_focus(1)
        self.s.key("End", "shift+Home", "Delete")
        self.s.type(title)

    def set_text(self, parts):
        """Fills the editor from parts: ("type", text) is typed line by line,
        ("paste", text) is pasted from the clipboard."""
        self.s.clear_editor()
        for how, text in parts:
            if how == "type":
                self.s.type_lines(text)
            else:
                self.s.paste_into_editor(text)

    def wait_selected(self, gadget, index):
        self.s.wait_main(lambda m: self.s.control(gadget, m)["selected"] == index,
                         f"entry {index} selected in gadget {gadget}")

    def choose_by_mouse(self, c):
        items = self.s.ask("items")["items"]
        if c.icon >= 0:
            self.s.click_rect(items[c.icon])
        else:
            # The list's empty area, below its last entry, clears the selection.
            rect = self.s.control(3)["rect"]
            self.s.click((rect[0] + rect[2]) // 2, rect[3] - 4)
        self.wait_selected(3, c.icon)
        for gadget, index in ((4, c.modality), (5, c.button_set), (6, c.default_button)):
            if self.s.control(gadget)["selected"] == index:
                continue
            self.s.click_gadget(gadget)
            opened = wait_for(lambda: self.s.main()["lists"], what="the opened drop-down list")[0]
            top = opened["rect"][1] + 1 + (index - opened["top"]) * opened["itemHeight"]
            self.s.click((opened["rect"][0] + opened["rect"][2]) // 2, top + opened["itemHeight"] // 2)
            self.wait_selected(gadget, index)

    def choose_by_keyboard(self, c):
        """Tabs from the title field through the lists, picking with Home and Down."""
        self.s.click_gadget(1)
        self.s.wait_focus(1)
        for gadget, index in ((3, c.icon), (4, c.modality), (5, c.button_set), (6, c.default_button)):
            self.s.key("Tab")
            self.s.wait_focus(gadget)
            self.s.key("End", "Home", *["Down"] * index)
            self.wait_selected(gadget, index)

    # --- the two actions ---------------------------------------------------

    def copy(self, press=None):
        """Presses "Скопировать" and answers the clipboard's CF_TEXT block.
        An empty text is placed first, so that only the action's own text
        ends the wait."""
        self.s.put_on_clipboard(b"")
        (press or (lambda: self.s.click_gadget(9)))()
        def fresh_text():
            data = self.s.clipboard()
            return data if data not in (None, b"\0") else None
        return wait_for(fresh_text, what="the copied text")

    def assert_copied(self, c, press=None):
        # The CF_TEXT block holds the text and exactly one NUL; the
        # CF_UNICODETEXT block the text exactly, and one NUL.
        self.assertEqual(self.copy(press), generated_call(c) + b"\0")
        self.assertEqual(self.s.clipboard_locale(), RUSSIAN_LOCALE)
        self.assertEqual(self.s.clipboard_unicode(), (generated_source(c) + "\0").encode("utf-16-le"))

    def assert_box(self, box, c):
        self.assertEqual(shown(box["caption"]), c.title)
        self.assertEqual(shown(box["text"]), preview_text(c))
        self.assertEqual(box["icon"], box_icon(c))
        self.assertEqual(bool(box["topmost"]), box_stays_on_top(c))
        buttons = sorted(box["buttons"], key=lambda b: b["rect"][0])
        self.assertEqual([b["id"] for b in buttons], box_buttons(c))
        default = default_button_id(c)
        if default is not None:
            self.assertEqual([b["id"] for b in buttons if b["default"]], [default])
            self.assertEqual(box["focus"], default)

    def press_test(self, c, press=None, close_with=None):
        """Presses "Тест", checks the box and closes it with one of its
        buttons; the window is given back."""
        (press or (lambda: self.s.click_gadget(7)))()
        box = self.s.wait_box()
        self.assertEqual(box["pid"], self.s.main()["pid"])
        self.assert_box(box, c)
        self.assertFalse(self.s.main()["enabled"], "the window takes input while its box is open")
        buttons = box["buttons"]
        self.s.click_rect((close_with or buttons[0])["rect"])
        wait_for(lambda: not self.s.boxes(), what="the box to close")
        self.s.wait_main(lambda m: m["enabled"], "the window to be enabled again")
        self.assertEqual(len(self.s.boxes()), 0)
        return box


class ComposeTest(WizardCase):
    def test_compose_with_mouse_copy_and_test(self):
        s = self.s
        s.start_standard()
        c = Choices(title='Привет, "мир" ', icon=2, modality=1, button_set=4, default_button=1)
        s.type(c.title)
        s.key("Return")
        s.wait_focus(2)
        # Enter moved the focus without adding a line: what follows starts line 1.
        s.type_lines('Первая строка с "кавычками"\n  отступ и хвост  \n')
        s.paste_into_editor("\tтаб\tв середине\t")
        s.key("Return")
        s.type_lines('""\n\nЁлка "ёж"\n')
        c.text = 'Первая строка с "кавычками"\n  отступ и хвост  \n\tтаб\tв середине\t\n""\n\nЁлка "ёж"\n'
        self.choose_by_mouse(c)
        self.assert_copied(c)
        first = self.press_test(c)
        # A second press shows a second box, built from the state at that moment.
        self.set_title("Второй")
        c.title = "Второй"
        second = self.press_test(c, close_with=first["buttons"][-1])
        self.assertNotEqual(first["hwnd"], 0)
        self.assertNotEqual(bytes.fromhex(second["caption"]), bytes.fromhex(first["caption"]))
        self.assert_copied(c)

    def test_lists_by_keyboard_and_space_on_buttons(self):
        s = self.s
        s.start_standard()
        c = Choices(title="Keys", text="abc", icon=3, modality=2, button_set=2, default_button=2)
        s.type(c.title)
        s.key("Return")
        s.wait_focus(2)
        s.type(c.text)
        self.choose_by_keyboard(c)
        s.key("Tab")
        s.wait_focus(7)
        self.press_test(c, press=lambda: s.key("space"))
        s.click_gadget(1)
        s.wait_focus(1)
        s.key("shift+Tab")
        s.wait_focus(9)
        self.assert_copied(c, press=lambda: s.key("space"))

    def test_window_texts_and_a_title_posted_as_unicode_characters(self):
        s = self.s
        s.start_standard()
        m = s.main()
        labels = [shown(c["text"]) for c in m["controls"] if c["class"] == "Static" and c["id"] not in GADGET_TEXTS]
        self.assertEqual(labels, LABELS)
        for gadget, text in GADGET_TEXTS.items():
            self.assertEqual(shown(s.control(gadget, m)["text"]), text)
        for gadget, table in ((3, ICONS), (4, MODALITIES), (5, BUTTON_SETS), (6, DEFAULT_BUTTONS)):
            self.assertEqual([shown(e) for e in s.control(gadget, m)["entries"]], [entry[0] for entry in table])
        self.assertEqual([shown(t) for t in m["toolTips"]], TOOL_TIPS)
        c = Choices(title="Ёж и ©", button_set=1)
        s.post_chars(1, c.title)
        s.wait_main(lambda m: shown(s.control(1, m)["text"]) == c.title, "the posted title")
        self.choose_by_mouse(c)
        self.assert_copied(c)
        self.press_test(c)

    def test_words_in_every_script_typed_tested_and_copied_exactly(self):
        s = self.s
        s.start_standard()
        c = Choices(title='Größe "ändern" Ελλάδα 😀', icon=4, button_set=3)
        s.type(c.title)
        s.key("Return")
        s.wait_focus(2)
        # Polish, Chinese, a combining mark, Hebrew (right to left), an emoji.
        c.text = 'Zażółć gęślą jaźń\n中文 "引号"\ne\u0301 שלום\n\U0001F600'
        s.type_lines(c.text)
        self.choose_by_mouse(c)
        unicode_copy = self.copy()
        self.assertEqual(s.clipboard_unicode(), (generated_source(c) + "\0").encode("utf-16-le"))
        self.assertEqual(s.clipboard_locale(), RUSSIAN_LOCALE)
        # Readers of single-byte text get the 1251 bytes of what the code page
        # holds; Latin letters it lacks become their nearest letter.
        self.assertEqual(unicode_copy, generated_call(Choices(
            title='Gro?e "andern" ?????? ??', icon=4, button_set=3,
            text='Zazolc gesla jazn\n?? "??"\ne? ????\n??')) + b"\0")
        self.press_test(c)
        # French and German alone: where the system's own code page holds
        # them (1252, as on an English or German Windows), readers of
        # single-byte text get them exactly; elsewhere as above.
        c = Choices(title="Déjà vu", text="Größe ändern", icon=4, button_set=3)
        self.set_title(c.title)
        self.set_text([("type", c.text)])
        code_page = code_page_of_the_run()
        if code_page in USER_LOCALES:
            self.assertEqual(self.copy(), generated_source(c).encode(f"cp{code_page}") + b"\0")
            self.assertEqual(s.clipboard_locale(), USER_LOCALES[code_page])
        else:
            self.assertEqual(self.copy(), generated_call(
                Choices(title="Deja vu", text="Gro?e andern", icon=4, button_set=3)) + b"\0")
            self.assertEqual(s.clipboard_locale(), RUSSIAN_LOCALE)

    def test_empty_editor_and_cleared_icon_selection(self):
        s = self.s
        s.start_standard()
        c = Choices(icon=-1, button_set=5, default_button=2)
        self.choose_by_mouse(c)
        self.assert_copied(c)
        self.press_test(c)
        # Only line breaks: not an empty document.
        c.text = "\n\n"
        self.set_text([("type", c.text)])
        self.assert_copied(c)
        self.press_test(c)


class BusyClipboardTest(WizardCase):
    """Clipboard viewers and managers hold the clipboard open for a moment
    after every change; a copy meanwhile must neither fail silently nor lose
    what the clipboard held."""

    CF_LOCALE = 16

    def test_copy_waits_for_a_short_hold_and_keeps_the_former_content_after_a_long_one(self):
        s = self.s
        s.start_standard()
        c = Choices(title="Буфер", text="занят другой программой")
        s.type(c.title)
        s.key("Return")
        s.wait_focus(2)
        s.type(c.text)
        wait_for(lambda: s.editor_length() == len(c.text.encode("utf-8")), what="the typed text")
        expected = generated_call(c) + b"\0"
        # Held for a third of a second: the copy waits and places its text.
        s.put_on_clipboard(b"former")
        self.assertEqual(s.ask("holdcopy 333 0")["ok"], 1)
        try:
            wait_for(lambda: s.clipboard() == expected, what="the copied text")
        except AssertionError:
            self.fail(f"the clipboard holds {s.clipboard()!r}")
        self.assertIn(self.CF_LOCALE, s.ask("clip")["formats"])
        # Held longer than the program waits: the program answers while the
        # clipboard is still held, and the former content stays.
        s.put_on_clipboard(b"former")
        before = s.clipboard_sequence()
        answer = s.ask("holdcopy 2000 1000")
        self.assertEqual(answer["answered"], 1, "the program hangs while the clipboard is held")
        time.sleep(0.5)
        self.assertEqual(s.clipboard(), b"former\0")
        self.assertEqual(s.clipboard_sequence(), before)
        # The next copy works.
        self.assert_copied(c)


class KeyboardTest(WizardCase):
    def test_tab_and_shift_tab_cycles(self):
        s = self.s
        s.start_standard()
        for gadget in TAB_ORDER[1:] + TAB_ORDER[:1]:
            s.key("Tab")
            s.wait_focus(gadget)
        for gadget in list(reversed(TAB_ORDER)) + [9]:
            s.key("shift+Tab")
            s.wait_focus(gadget)
        # From the editor: Tab to the icon list, Shift+Tab to the copy button.
        s.click_gadget(2)
        s.wait_focus(2)
        s.key("Tab")
        s.wait_focus(3)
        s.click_gadget(2)
        s.wait_focus(2)
        s.key("shift+Tab")
        s.wait_focus(9)

    def test_enter_moves_to_the_editor_and_never_presses_a_button(self):
        s = self.s
        s.start_standard()
        s.key("Return")
        s.wait_focus(2)
        s.type("x")
        s.key("Return")
        wait_for(lambda: s.editor_length() == len(b"x\r\n"), what="the new line in the editor")
        self.assertEqual(s.focus(), 2, "Enter in the editor keeps the focus there")
        # Shift+Tab from the title field reaches the copy button; Enter there
        # copies nothing and moves the focus to the editor.
        s.click_gadget(1)
        s.wait_focus(1)
        s.key("shift+Tab")
        s.wait_focus(9)
        before = s.clipboard_sequence()
        s.key("Return")
        s.wait_focus(2)
        self.assertEqual(s.clipboard_sequence(), before)
        # After tabbing through the lists, Enter on the test button does
        # nothing. A Tab pressed after each Enter is handled after it: the
        # focus it moves shows that Enter left the focus where it was, and
        # that a box or a copy it started would already be there.
        s.click_gadget(1)
        s.wait_focus(1)
        for gadget in TAB_ORDER[1:6]:
            s.key("Tab")
            s.wait_focus(gadget)
        s.key("Return", "Tab")
        s.wait_focus(9)
        self.assertEqual(s.boxes(), [])
        s.key("Return", "shift+Tab")
        s.wait_focus(7)
        self.assertEqual(s.clipboard_sequence(), before)
        s.key("Tab")
        s.wait_focus(9)
        # The editor got the line typed and the one Enter there, nothing else.
        self.assert_copied(Choices(text="x\n"), press=lambda: s.key("space"))


    def test_enter_follows_the_latest_control_report_not_the_focus(self):
        s = self.s
        s.start_standard()
        # The icon list reports nothing when it gains the focus: the title
        # field's report is still the latest, and Enter goes to the editor.
        s.key("Tab")
        s.wait_focus(3)
        s.key("Return")
        s.wait_focus(2)
        # A choice in a drop-down list is reported: Enter then stays put.
        self.choose_by_mouse(Choices(modality=1))
        s.wait_focus(4)
        # The Tab after Enter goes from the list to the next one, not from the
        # editor to the icon list.
        s.key("Return", "Tab")
        s.wait_focus(5)

    # When the test box closes and the window is activated again, the
    # control that had the focus gets it back, so a person working with the
    # keyboard goes on without the mouse.
    def test_keyboard_goes_on_after_the_test_box_closes(self):
        s = self.s
        s.start_standard()
        for gadget in TAB_ORDER[1:6]:
            s.key("Tab")
            s.wait_focus(gadget)
        for _ in range(2):
            s.key("space")
            box = s.wait_box(timeout=3)
            s.key("Return")
            wait_for(lambda: not s.boxes(), what="the box to close")
            s.wait_main(lambda m: m["enabled"], "the window to be enabled again")
        self.assertEqual(box["buttons"][0]["id"], 1)


class LinkLabelTest(WizardCase):
    HOVER = (0, 0, 128)

    def label_colours(self):
        rect = self.s.control(10)["rect"]
        colours = self.s.screen_colours(rect)
        background = max(set(colours), key=colours.count)
        return {c for c in colours if sum(c) < sum(background) - 200}

    def test_hover_colour_and_click_opens_the_page(self):
        s = self.s
        recorder = s.work / "handler" / "url_recorder.exe"
        recorder.parent.mkdir()
        shutil.copy(OPTIONS.recorder, recorder)
        for key in HANDLER_KEYS:
            s.set_default_value("HKCR", key, f'"{windows_path(recorder)}" "%1"')
        s.start_standard()
        rect = s.control(10)["rect"]
        s.move(SCREEN[0] - 5, SCREEN[1] - 5)
        idle = wait_for(self.label_colours, what="the label's text")
        self.assertIn((0, 0, 0), idle)
        self.assertNotIn(self.HOVER, idle)
        s.move(rect[0] + 30, (rect[1] + rect[3]) // 2)
        hovered = wait_for(lambda: self.HOVER in self.label_colours(), what="the hover colour")
        self.assertTrue(hovered)
        # Off the label, still over the window.
        s.move(rect[0] + 30, rect[1] - 20)
        wait_for(lambda: self.HOVER not in self.label_colours(), what="the normal colour again")
        record = recorder.parent / "opened.txt"
        for clicks in (1, 2):
            s.click(rect[0] + 30, (rect[1] + rect[3]) // 2)
            wait_for(lambda: record.exists() and len(record.read_text().splitlines()) == clicks,
                     what=f"the page to be opened {clicks} time(s)")
        lines = record.read_text().splitlines()
        self.assertRegex(lines[0], r'"https?://[^ "]+"')
        self.assertEqual(lines[0], lines[1])

    # A captured window hears of no move over another program's window while
    # no button is down; a pointer that leaves the window in one jump (the
    # label lies 3 pixels above its bottom edge) must still end the hover.
    def test_hover_ends_when_the_pointer_leaves_the_window(self):
        s = self.s
        s.start_standard()
        rect = s.control(10)["rect"]
        s.move(rect[0] + 30, (rect[1] + rect[3]) // 2)
        wait_for(lambda: self.HOVER in self.label_colours(), what="the hover colour")
        s.move(rect[0] + 30, rect[3] + 40)
        wait_for(lambda: self.HOVER not in self.label_colours(), timeout=3, what="the normal colour again")


class ClosingTest(WizardCase):
    def test_close_box_ends_with_code_zero(self):
        s = self.s
        s.start_standard()
        s.type("не сохранять")
        m = s.main()
        rect, client = m["rect"], m["client"]
        frame = client[0] - rect[0]
        caption = client[1] - rect[1] - frame
        s.click(rect[2] - frame - caption // 2 - 1, rect[1] + frame + caption // 2)
        self.assertEqual(s.exit_code(), 0)

    def test_alt_f4_ends_with_code_zero(self):
        s = self.s
        s.start_standard()
        s.key("Return")
        s.wait_focus(2)
        s.type("текст")
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


class StartupTest(WizardCase):
    def setUp(self):
        super().setUp()
        for root, key in PUREBASIC_KEYS:
            self.s.delete_key(root, key)
            self.addCleanup(self.s.delete_key, root, key)

    def test_no_library_anywhere_shows_one_error_box(self):
        s = self.s
        s.start(s.install_app("bare"), wait_window=False)
        box = s.wait_box()
        self.assertEqual(bytes.fromhex(box["caption"]), b"MessageRequester")
        self.assertEqual(shown(box["text"]), FAILURE_TEXT)
        self.assertEqual(box["icon"], "hand")
        self.assertEqual([b["id"] for b in box["buttons"]], [1])
        # The box has drawn its icon, so the program waits in the box's own
        # loop: all it does before the user answers is done.
        self.assertEqual(len(s.boxes()), 1)
        self.assertFalse(s.main()["found"])
        s.click_rect(box["buttons"][0]["rect"])
        self.assertEqual(s.exit_code(), 0)
        self.assertFalse(s.main()["found"])

    def test_library_in_compilers_beside_the_program(self):
        s = self.s
        s.start(s.install_app("beside", "Compilers/Scintilla.dll"))
        self.assertEqual(s.boxes(), [])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)

    def test_library_under_the_registered_purebasic_folder(self):
        s = self.s
        purebasic = s.work / "Pure Basic"
        (purebasic / "Compilers").mkdir(parents=True)
        shutil.copy(OPTIONS.scintilla, purebasic / "Compilers" / "Scintilla.dll")
        # The command names the program only when it exists.
        (purebasic / "PureBasic.exe").write_bytes(b"MZ")
        command = f'"{windows_path(purebasic / "PureBasic.exe")}" "%1"'
        for root, key in PUREBASIC_KEYS:
            s.set_default_value(root, key + PUREBASIC_COMMAND, command)
        s.start(s.install_app("elsewhere"))
        self.assertEqual(s.boxes(), [])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


    def test_no_library_is_loaded_from_where_other_users_can_write(self):
        """A library that leaves a mark when loaded stands where the search
        must not look: in the folder the program is started from, in a folder
        on PATH, in C:\\Compilers\\ (where an unquoted command with blanks,
        a quoted one naming a missing program or a name holding "|", and a
        PureBasic in the drive's root used to lead), and in Compilers\\ below
        the current folder (where a command with a leading blank or with /
        separators used to lead). The window comes up with the real library's
        editor, or, where no place holds it, the start-up message; the mark
        never appears. All of it once with the program as built and once with
        the copy whose loader is that of Windows 7 without its loader update
        (no SetDefaultDllDirectories, no LOAD_LIBRARY_SEARCH_ flags), where
        a library named without a folder would still be looked for on PATH."""
        s = self.s
        drive_c = Path(s.env["WINEPREFIX"]) / "drive_c"
        purebasic = drive_c / "Program Files" / "PureBasic"
        (purebasic / "Compilers").mkdir(parents=True)
        self.addCleanup(shutil.rmtree, purebasic, True)
        self.addCleanup(shutil.rmtree, drive_c / "Compilers", True)
        (purebasic / "PureBasic.exe").write_bytes(b"MZ")
        (drive_c / "PB.exe").write_bytes(b"MZ")
        self.addCleanup((drive_c / "PB.exe").unlink, True)
        shutil.copy(OPTIONS.scintilla, purebasic / "Compilers" / "Scintilla.dll")
        started_in = s.work / "started-in"
        on_path = s.work / "on-path"
        started_in.mkdir()
        on_path.mkdir()
        pb = "C:\\Program Files\\PureBasic\\PureBasic.exe"
        in_root = drive_c / "Compilers" / "Scintilla.dll"
        # Name, whether the library is beside the program, the open command,
        # where the library is planted, and whether the window comes up (else
        # the start-up message: no place holds the library).
        compilers_below_current = started_in / "Compilers" / "Scintilla.dll"
        cases = [
            ("current folder", True, None, started_in / "Scintilla.dll", True),
            ("folder on PATH", True, None, on_path / "Scintilla.dll", True),
            ("unquoted command", False, f'{pb} "%1"', in_root, True),
            ("tab after an unquoted command", False, f'{pb}\t"%1"', in_root, True),
            ("leading blank", False, f' "{pb}" "%1"', compilers_below_current, True),
            ("slashes", False, f'"{pb.replace(chr(92), "/")}" "%1"', compilers_below_current, True),
            ("quoted missing program", False, '"C:\\Missing.exe" "%1"', in_root, False),
            ("program in the drive's root", False, '"C:\\PB.exe" "%1"', in_root, False),
            ("the drive's root quoted", False, '"C:\\"', in_root, False),
            ("a name holding |", False, '"C:\\x|y\\PureBasic.exe" "%1"', in_root, False),
        ]
        programs = [("as-built", OPTIONS.program), ("windows7-loader", OPTIONS.windows7_loader_program)]
        for (loader, program_file), (name, beside, command, planted, window) in itertools.product(programs, cases):
            with self.subTest(f"{name}, {loader}"):
                program = s.install_app(f"{loader}-{'with' if beside else 'without'}-library",
                                        "Compilers/Scintilla.dll" if beside else None, program_file)
                for root, key in PUREBASIC_KEYS:
                    if command:
                        s.set_default_value(root, key + PUREBASIC_COMMAND, command)
                    else:
                        s.delete_key(root, key)
                planted.parent.mkdir(parents=True, exist_ok=True)
                shutil.copy(OPTIONS.planted, planted)
                mark = planted.with_name(planted.name + ".loaded")
                try:
                    # Every library is loaded before the window or the
                    # message is shown.
                    s.start(program, wait_window=window, cwd=started_in, path=windows_path(on_path))
                    if window:
                        self.assertEqual(s.editor_length(), 0, "the editor answers")
                        self.assertEqual(s.boxes(), [])
                    else:
                        self.assertEqual(shown(s.wait_box()["text"]), FAILURE_TEXT)
                finally:
                    s.stop_program()
                    loaded = mark.exists()
                    planted.unlink()
                    mark.unlink(missing_ok=True)
                self.assertFalse(loaded, f"the library planted at {planted} was loaded")


class RandomTest(WizardCase):
    """Long use: mixed actions chosen at random, every copy and every test
    box checked against the rules, the working set watched after a warm-up.
    The seed is fixed so that a failure can be repeated; E2E_SEED picks
    another."""
    ACTIONS = 1000
    WARM_UP = 50
    MEMORY_BOUND = 1 << 20
    MEMORY_SAMPLE_EVERY = 50
    SEED = 20261207
    PIECES = ["да", "Нет", '"', '""', " ", "  ", "abc", "Ёж", "x=1", "\\", "«»", "tab\there", "!"]
    # (action, weight)
    MIX = [("copy", 4), ("test", 3), ("title", 3), ("text", 3), ("list", 4), ("tab", 3)]

    def random_line(self, rng):
        return "".join(rng.choice(self.PIECES) for _ in range(rng.randint(0, 4)))

    def next_tab_stop(self, gadget, backward):
        if gadget == 2:
            return 9 if backward else 3
        step = -1 if backward else 1
        return TAB_ORDER[(TAB_ORDER.index(gadget) + step) % len(TAB_ORDER)]

    def type_title(self, rng, c):
        c.title = self.random_line(rng).replace("\t", " ")
        self.set_title(c.title)

    def enter_text(self, rng, c):
        c.text = "\n".join(self.random_line(rng) for _ in range(rng.randint(1, 4)))
        # Tabs cannot be typed (the key moves the focus): such a text is pasted.
        how = "type" if "\t" not in c.text and rng.random() < 0.5 else "paste"
        self.set_text([(how, c.text)] if c.text else [])

    def choose_from_a_list(self, rng, c):
        field = rng.choice(["icon", "modality", "button_set", "default_button"])
        choices = {"icon": [-1, 0, 1, 2, 3, 4], "modality": range(3),
                   "button_set": range(len(BUTTON_SETS)), "default_button": range(3)}[field]
        setattr(c, field, rng.choice(choices))
        if c.icon >= 0 and rng.random() < 0.3:
            self.choose_by_keyboard(c)
        else:
            self.choose_by_mouse(c)

    def tab_around(self, rng):
        s = self.s
        if s.focus() not in TAB_ORDER + [2]:
            s.click_gadget(1)
            s.wait_focus(1)
        backward = rng.random() < 0.5
        for _ in range(rng.randint(1, 3)):
            expected = self.next_tab_stop(s.focus(), backward)
            s.key("shift+Tab" if backward else "Tab")
            s.wait_focus(expected)

    def test_random_actions_match_the_rules_and_memory_stays_flat(self):
        s = self.s
        seed = int(os.environ.get("E2E_SEED", self.SEED))
        rng = random.Random(seed)
        print(f"\nrandom seed {seed} (E2E_SEED repeats it)", file=sys.stderr)
        s.start_standard()
        pid = s.main()["pid"]
        c = Choices()
        names, weights = zip(*self.MIX)
        counts = dict.fromkeys(names, 0)
        samples = []
        started = time.monotonic()
        for action in range(1, self.ACTIONS + 1):
            kind = rng.choices(names, weights)[0]
            counts[kind] += 1
            with self.subTest(action=action, kind=kind, seed=seed, choices=c):
                if kind == "copy":
                    self.assert_copied(c)
                elif kind == "test":
                    self.press_test(c)
                elif kind == "title":
                    self.type_title(rng, c)
                elif kind == "text":
                    self.enter_text(rng, c)
                elif kind == "list":
                    self.choose_from_a_list(rng, c)
                else:
                    self.tab_around(rng)
            if action >= self.WARM_UP and action % self.MEMORY_SAMPLE_EVERY == 0:
                samples.append(s.ask(f"mem {pid}"))
        seconds = time.monotonic() - started
        print(f"{self.ACTIONS} actions in {seconds:.0f} s ({counts})", file=sys.stderr)
        for measure in ("workingSet", "private", "gdiObjects", "userObjects"):
            values = [sample[measure] for sample in samples]
            print(f"{measure} after {self.WARM_UP} actions {values[0]}, at the end {values[-1]}, "
                  f"lowest {min(values)}, highest {max(values)}", file=sys.stderr)
        warm, end = samples[0]["workingSet"], samples[-1]["workingSet"]
        self.assertGreater(warm, 0)
        self.assertLessEqual(end - warm, self.MEMORY_BOUND)
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


ROOT = Path(__file__).resolve().parents[2]
SUPPORTED_OS = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}  # 10 and 11
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
MANIFEST = {"asm": "urn:schemas-microsoft-com:asm.v1", "asm3": "urn:schemas-microsoft-com:asm.v3",
            "compatibility": "urn:schemas-microsoft-com:compatibility.v1",
            "settings2005": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
            "settings2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
# Per-monitor (v2) from Windows 10 1703 on; Windows 10 1607 takes the first
# value of the list it knows, System; older Windows read dpiAware alone.
DPI_AWARENESS = ("true", "PerMonitorV2, System")


def manifest_entries(data):
    """The entries of a program's manifest that the package test checks."""
    manifest = ElementTree.fromstring(data)

    def attributes(path, *names):
        element = manifest.find(path, MANIFEST)
        return None if element is None else tuple(element.get(name) for name in names)

    def text(path):
        element = manifest.find("asm3:application/asm3:windowsSettings/" + path, MANIFEST)
        return None if element is None else element.text.strip()

    return {
        "identity": attributes("asm:assemblyIdentity", "name", "version", "processorArchitecture"),
        "controls": attributes("asm:dependency/asm:dependentAssembly/asm:assemblyIdentity",
                               "name", "version", "processorArchitecture"),
        "execution level": attributes("asm3:trustInfo/asm3:security/asm3:requestedPrivileges/"
                                      "asm3:requestedExecutionLevel", "level", "uiAccess"),
        "supported systems": {system.get("Id") for system in manifest.findall(
            "compatibility:compatibility/compatibility:application/compatibility:supportedOS", MANIFEST)},
        "DPI awareness": (text("settings2005:dpiAware"), text("settings2016:dpiAwareness")),
    }


def pinned_scintilla_source():
    """The names and values of scripts/scintilla-source.sh."""
    return dict(re.findall(r"^(\w+)=(\S+)$", (ROOT / "scripts" / "scintilla-source.sh").read_text(), re.MULTILINE))


def project_version():
    """The version in the project's CMakeLists.txt, read as text."""
    found = re.search(r"project\(\S+ VERSION (\d+)\.(\d+)\.(\d+)", (ROOT / "CMakeLists.txt").read_text())
    return tuple(int(part) for part in found.groups())


class PackageTest(unittest.TestCase):
    """The release zip and what it holds, read natively; only the test that
    starts the unpacked program uses Wine."""
    ARCHITECTURES = {"x86_64": (0x8664, "amd64"), "i686": (0x014C, "X86")}
    PROGRAM = "MessageRequesterWizard.exe"
    zip_path = None
    files = None

    @classmethod
    def setUpClass(cls):
        script = ROOT / "scripts" / "package.sh"
        x64_build = Path(OPTIONS.program).parent
        out = subprocess.run([str(script), str(x64_build), OPTIONS.x86_build], check=True,
                             capture_output=True, text=True, timeout=300).stdout
        cls.zip_path = Path(out.strip().splitlines()[-1])
        with zipfile.ZipFile(cls.zip_path) as package:
            cls.files = {n: package.read(n) for n in package.namelist() if not n.endswith("/")}

    def builds(self):
        return {"x86_64": (Path(OPTIONS.program), Path(OPTIONS.scintilla)),
                "i686": (Path(OPTIONS.x86_build) / Path(OPTIONS.program).name,
                         Path(OPTIONS.scintilla).parent.parent / "i686" / "Scintilla.dll")}

    def inside(self):
        """The zip's files by their paths below its top folder."""
        top = next(iter(self.files)).split("/")[0]
        return {n[len(top) + 1:]: data for n, data in self.files.items()}

    def programs(self):
        return {arch: PeFile(self.inside()[f"{arch}/{self.PROGRAM}"]) for arch in self.ARCHITECTURES}

    def test_zip_holds_both_programs_each_with_its_library(self):
        files = self.inside()
        self.assertEqual(next(iter(self.files)).split("/")[0], "MessageRequesterWizard-%d.%d.%d" % project_version())
        expected = {"README.txt", "LICENSE.txt", "winpthreads-License.txt", "BUILDINFO.txt"}
        for arch in self.ARCHITECTURES:
            expected |= {f"{arch}/{self.PROGRAM}", f"{arch}/Compilers/Scintilla.dll",
                         f"{arch}/Compilers/Scintilla-License.txt"}
        self.assertEqual(set(files), expected)
        for arch, (machine, _) in self.ARCHITECTURES.items():
            program, library = self.builds()[arch]
            with self.subTest(arch=arch):
                exe = files[f"{arch}/{self.PROGRAM}"]
                dll = files[f"{arch}/Compilers/Scintilla.dll"]
                self.assertEqual(PeFile(exe).machine, machine)
                self.assertEqual(PeFile(dll).machine, machine)
                self.assertEqual(exe, program.read_bytes())
                self.assertEqual(dll, library.read_bytes())
                self.assertIn(b"License", files[f"{arch}/Compilers/Scintilla-License.txt"])
        # Notepad of Windows 7 reads UTF-8 as such only after its mark; the
        # Russian text comes first, then the English.
        readme = files["README.txt"]
        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"), "README.txt begins with the UTF-8 mark")
        text = readme.decode("utf-8-sig")
        self.assertLess(text.index("Где программа ищет Scintilla.dll"), text.index("Where the program looks"))
        for phrase in ("Compilers\\Scintilla.dll", "PureBasic", "Tools", "full path", "SHA256SUMS", "BUILDINFO.txt",
                       "MessageRequesterWizard-%d.%d.%d-windows.zip" % project_version()):
            self.assertIn(phrase, text)
        self.assertNotIn(b"\n", readme.replace(b"\r\n", b""))
        licence = (ROOT / "LICENSE").read_bytes()
        self.assertEqual(files["LICENSE.txt"], licence.replace(b"\n", b"\r\n"))

    def test_build_information(self):
        """BUILDINFO.txt, in CR LF lines, names the commit, the pinned Scintilla
        source the libraries' recipes name, the Debian packages of the tools
        and the zlib that compressed the zip."""
        data = self.inside()["BUILDINFO.txt"]
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
        title, *lines = data.decode("ascii").splitlines()
        fields = dict(line.split(": ", 1) for line in lines)
        self.assertEqual(title, "MessageRequester wizard %d.%d.%d" % project_version())
        head = subprocess.run(["git", "rev-parse", "HEAD"], cwd=ROOT, capture_output=True, text=True).stdout.strip()
        self.assertRegex(fields["commit"], "^%s(, with changes not committed)?$" % head)
        pinned = pinned_scintilla_source()
        self.assertEqual(fields["Scintilla"], pinned["scintilla_version"])
        self.assertRegex(fields["Scintilla source"], r"^scite %s, scite_\S+\.orig\.tar\.gz SHA-256 %s$"
                         % (re.escape(pinned["scite_package_version"]), pinned["scite_source_sha256"]))
        for arch, name in (("x86_64", "x86-64"), ("i686", "i686")):
            recipe = (Path(OPTIONS.scintilla).parents[1] / arch / "recipe").read_text()
            self.assertIn("sha256:" + pinned["scite_source_sha256"], recipe.splitlines()[1])
            for tool, package in (("compiler", f"g++-mingw-w64-{name}-posix"),
                                  ("binutils", f"binutils-mingw-w64-{name}"), ("runtime", f"mingw-w64-{name}-dev")):
                installed = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Version}", package],
                                           capture_output=True, text=True).stdout
                self.assertEqual(fields[f"{arch} {tool}"], installed)
        self.assertRegex(fields["zip"], r"^Python \S+ zipfile, zlib %s \(zlib1g \S+\)$"
                         % re.escape(zlib.ZLIB_RUNTIME_VERSION))

    def test_scintilla_source_of_another_hash_is_refused(self):
        upstream = pinned_scintilla_source()["scite_package_version"].rsplit("-", 1)[0]
        with tempfile.TemporaryDirectory() as cache:
            tarball = Path(cache) / "download" / f"scite_{upstream}.orig.tar.gz"
            tarball.parent.mkdir()
            tarball.write_bytes(b"another source")
            run = subprocess.run([str(ROOT / "scripts" / "build-scintilla.sh")], capture_output=True, text=True,
                                 env=dict(os.environ, SCINTILLA_CACHE=cache), timeout=120)
            self.assertEqual((run.returncode, sorted(p.name for p in Path(cache).iterdir())), (1, ["download"]))
        self.assertIn("refusing to build", run.stderr)
        self.assertIn(pinned_scintilla_source()["scite_source_sha256"], run.stderr)
        self.assertIn(hashlib.sha256(b"another source").hexdigest(), run.stderr)

    def test_version_information(self):
        version = project_version()
        text = "%d.%d.%d" % version
        copyright_line = next(line for line in (ROOT / "LICENSE").read_text().splitlines()
                              if line.startswith("Copyright"))
        for arch, program in self.programs().items():
            with self.subTest(arch=arch):
                fields, strings, translations = version_information(program.resource(RT_VERSION, 1))
                file_version = (fields[2] >> 16, fields[2] & 0xFFFF, fields[3] >> 16, fields[3] & 0xFFFF)
                product_version = (fields[4] >> 16, fields[4] & 0xFFFF, fields[5] >> 16, fields[5] & 0xFFFF)
                self.assertEqual(file_version, version + (0,))
                self.assertEqual(product_version, version + (0,))
                self.assertEqual(translations, [(0x0419, 1251)])
                self.assertEqual(strings, {"041904E3": {
                    "FileDescription": "MessageRequester wizard", "ProductName": "MessageRequester wizard",
                    "FileVersion": text, "ProductVersion": text, "LegalCopyright": copyright_line,
                    "InternalName": "MessageRequesterWizard", "OriginalFilename": self.PROGRAM}})
        newest = re.search(r"^## (\S+)", (ROOT / "CHANGELOG.md").read_text(), re.MULTILINE).group(1)
        self.assertEqual(newest, text, "the newest entry of CHANGELOG.md")

    def test_icon(self):
        for arch, program in self.programs().items():
            with self.subTest(arch=arch):
                images = icon_images(program, 1)
                self.assertEqual(sorted(width for width, *_ in images), ICON_SIZES)
                for width, height, bits, png, alpha in images:
                    self.assertEqual((height, bits, png, alpha), (width, 32, width == 256, True), f"{width} pixels")

    def test_manifest_and_header(self):
        version = "%d.%d.%d.0" % project_version()
        programs = self.programs()
        for arch, (_, manifest_arch) in self.ARCHITECTURES.items():
            program = programs[arch]
            with self.subTest(arch=arch):
                self.assertTrue(program.characteristics & LARGE_ADDRESS_AWARE, "large-address-aware")
                self.assertEqual(program.time_stamp, 0)
                self.assertEqual(manifest_entries(program.resource(RT_MANIFEST, 1)), {
                    "identity": ("MessageRequesterWizard", version, manifest_arch),
                    "controls": ("Microsoft.Windows.Common-Controls", "6.0.0.0", manifest_arch),
                    "execution level": ("asInvoker", "false"),
                    "supported systems": SUPPORTED_OS,
                    "DPI awareness": DPI_AWARENESS})

    def test_checksums_of_the_zip_and_of_its_programs_and_libraries(self):
        sums = (self.zip_path.parent / "SHA256SUMS").read_text()
        listed = {line.split("  ", 1)[1] for line in sums.splitlines()}
        expected = {name for name in self.files if name.endswith((".exe", ".dll", "/BUILDINFO.txt"))}
        expected |= {self.zip_path.name}
        self.assertEqual(set(listed), expected)
        # sha256sum itself checks them where the zip is unpacked beside the list.
        with tempfile.TemporaryDirectory() as folder:
            shutil.copy(self.zip_path, folder)
            shutil.copy(self.zip_path.parent / "SHA256SUMS", folder)
            with zipfile.ZipFile(self.zip_path) as package:
                package.extractall(folder)
            checked = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=folder,
                                     capture_output=True, text=True)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertEqual(checked.stdout.count(": OK\n"), len(expected))

    def test_unpacked_program_runs_with_its_own_library(self):
        s = Session(OPTIONS, self.id().split(".")[-1])
        self.addCleanup(s.close)
        for root, key in PUREBASIC_KEYS:
            s.delete_key(root, key)
        with zipfile.ZipFile(self.zip_path) as package:
            package.extractall(s.work / "unpacked")
        program = next((s.work / "unpacked").glob(f"*/x86_64/{self.PROGRAM}"))
        s.start(program)
        self.assertEqual(s.boxes(), [])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


def ascii_only(source):
    """The call as a source in a single-byte code page gets it: every
    character beyond ASCII in its literals as Chr() terms of its UTF-16
    units."""
    def literal(match):
        if match.group(1).isascii():
            return match.group(0)
        terms = []
        for run in re.findall(r'[\x00-\x7f]+|[^\x00-\x7f]', match.group(1)):
            units = run.encode("utf-16-le")
            terms += ['"' + run + '"'] if run.isascii() else [
                f"Chr({int.from_bytes(units[i:i + 2], 'little')})" for i in range(0, len(units), 2)]
        return "+".join(terms)
    return re.sub(r'"([^"]*)"', literal, source)


def indented(source, indent):
    return source.replace("\r\n", "\r\n" + indent)


class IdeTest(WizardCase):
    """Started from the stand-in IDE as a tool: the call read from the IDE's
    selection, and Вставить changing only that call, or adding one on lines
    of its own, through the IDE's own paste."""

    CALL = Choices("Заголовок «1»", "Строка 1\r\n\r\nLine \"3\"", 3, 2, 3, 1)
    BEFORE, AFTER = "a = 1\r\n", "\r\nb = 2"
    NO_CALL_NOTE = "В выделении нет вызова MessageRequester."
    CHANGED_TEXT = "Ничего не заменено: вызов в исходном тексте PureBasic изменился после открытия.\nНовый вызов остался в буфере обмена."

    def setUp(self):
        self.s = Session(OPTIONS, self.id().split(".")[-1])
        self.addCleanup(self.s.close)

    def new_session(self, name):
        self.s.close()
        self.s = Session(OPTIONS, self.id().split(".")[-1] + "-" + name)
        self.addCleanup(self.s.close)

    def start_ide(self, source, selection, options="", encoding="utf-8"):
        path = self.s.work / "source.pb"
        path.write_bytes(source.encode(encoding))
        program = self.s.install_app("app", "Compilers/Scintilla.dll")
        self.s.program = subprocess.Popen(
            [WINE, OPTIONS.ide, windows_path(OPTIONS.scintilla),
             windows_path(program), windows_path(path), selection] + ([options] if options else []),
            env=self.s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The insert button is the last control the wizard creates.
        return self.s.wait_main(lambda m: m["visible"] and m["focus"] == 1 and 11 in [c["id"] for c in m["controls"]],
                                "the wizard started by the IDE")

    def ide_text(self, encoding="utf-8"):
        """The IDE's source as its user sees it; a single-byte source's editor
        hands its bytes out through Windows-1252."""
        text = shown(self.s.ask("ide")["text"])
        return text if encoding == "utf-8" else text.encode("cp1252").decode(encoding)

    def insert(self, source_before, expected, encoding="utf-8"):
        self.s.click_gadget(11)
        wait_for(lambda: self.ide_text(encoding) != source_before, what="the inserted call")
        self.assertEqual(self.ide_text(encoding), expected)
        wait_for(lambda: self.s.ask("ide")["foreground"], what="the IDE in front")

    def assert_choices(self, main, c):
        self.assertEqual(shown(self.s.control(1, main)["text"]), c.title)
        self.assertEqual(shown(self.s.ask("ide")["wizardEditor"]), c.text)
        for gadget, index in ((3, c.icon), (4, c.modality), (5, c.button_set), (6, c.default_button)):
            self.assertEqual(self.s.control(gadget, main)["selected"], index, f"gadget {gadget}")

    def insert_without_call(self, selection, expected, note=None):
        """The wizard opens as when started alone, with the note where a
        selection did not open; Вставить walks after Скопировать, and puts the
        call where expected puts {}."""
        source = self.BEFORE + "b = 2"
        main = self.start_ide(source, selection)
        self.assert_choices(main, Choices())
        self.assertEqual([shown(c["text"]) for c in main["controls"] if c["id"] == 12], [note] if note else [])
        button = self.s.control(11, main)
        self.assertEqual((shown(button["text"]), button["visible"]), ("Вставить", 1))
        self.assertIn("Вставить в исходный текст PureBasic", [shown(t) for t in main["toolTips"]])
        for key, gadget in (("shift+Tab", 11), ("shift+Tab", 9), ("Tab", 11), ("Tab", 1)):
            self.s.key(key)
            self.s.wait_focus(gadget)
        self.set_title("Новый")
        self.insert(source, expected.format(generated_source(Choices("Новый"))))

    def test_insert_at_the_caret(self):
        """At the start of a line: on a line of its own before it."""
        self.insert_without_call("2x1x2x1", self.BEFORE + "{}\r\nb = 2")

    def test_a_selection_that_is_not_a_call_is_kept(self):
        """Selected up to a line's end or with its line end: the call goes
        after it, and the window says why it did not open."""
        for name, selection in (("line", "1x1x1x6"), ("whole-line", "1x1x2x1")):
            with self.subTest(selection=name):
                if name != "line":
                    self.new_session(name)
                self.insert_without_call(selection, self.BEFORE + "{}\r\nb = 2", self.NO_CALL_NOTE)

    def test_the_caret_moved_since_start_up_and_indented(self):
        """Without an opened call the insert goes where the caret is at the
        click, its follow-on lines indented like that line."""
        source = "If a\r\n    \r\nEndIf"
        self.start_ide(source, "1x1x1x1")
        self.assertTrue(self.s.ask("idesel 10 10")["ok"])
        changed = Choices("Отступ", button_set=1)
        self.set_title(changed.title)
        self.choose_by_keyboard(changed)
        self.insert(source, "If a\r\n    " + indented(generated_source(changed), "    ") + "\r\nEndIf")

    def test_edit_the_selected_call_in_place(self):
        """Selected as whole lines (Shift+Down): the call replaced where it
        was opened, its line end kept."""
        call = generated_source(self.CALL)
        lines = call.split("\r\n")
        source = self.BEFORE + call + self.AFTER
        self.assert_choices(self.start_ide(source, f"2x1x{2 + len(lines)}x1"), self.CALL)
        # A click elsewhere in the IDE since does not move the opened call.
        self.assertTrue(self.s.ask("idesel 0 0")["ok"])
        self.set_title("Другой")
        changed = dataclasses.replace(self.CALL, title="Другой")
        self.insert(source, self.BEFORE + generated_source(changed) + self.AFTER)

    def test_a_call_among_code_is_replaced_alone(self):
        """Inside an expression or a Select whose Case lines hold code: only
        the MessageRequester(...) call changes, as a plain call."""
        cases = (
            ("If ", " = #PB_MessageRequester_Yes\r\n  a = 1\r\nEndIf", "1x1x1x{end}"),
            ("Select ", "\r\n  Case #IdYes : a = 1 ; yes\r\nEndSelect", "1x1x3x10"),
        )
        read = Choices("Q", "Sure?", button_set=4)
        for before, after, selection in cases:
            with self.subTest(before=before):
                if before != "If ":
                    self.new_session("select")
                call = 'MessageRequester("Q", "Sure?", #PB_MessageRequester_YesNo)'
                source = before + call + after
                self.assert_choices(self.start_ide(source, selection.format(end=len(before + call) + 1)), read)
                self.set_title("Новый")
                plain = generated_source(dataclasses.replace(read, title="Новый", button_set=0))
                self.insert(source, before + plain.replace("#MB_OK", "#MB_YESNO") + after)

    def test_the_opened_call_changed_before_the_click(self):
        """Nothing is replaced: a message says so, and the call is on the
        clipboard."""
        call = generated_source(self.CALL)
        source = self.BEFORE + call + self.AFTER
        self.start_ide(source, f"2x1x{1 + len(call.split(chr(13) + chr(10)))}x10")
        self.assertTrue(self.s.ask(f"idetype {len(self.BEFORE.encode()) + 7}")["ok"])
        typed = self.BEFORE + call[:7] + "X" + call[7:] + self.AFTER
        wait_for(lambda: self.ide_text() == typed, what="the IDE's source typed in")
        self.s.click_gadget(11)
        box = self.s.wait_box()
        self.assertEqual((shown(box["caption"]), shown(box["text"])), ("MessageRequester", self.CHANGED_TEXT))
        self.assertEqual(self.s.clipboard_unicode(), (call + "\0").encode("utf-16-le"))
        self.assertEqual(self.ide_text(), typed)

    def test_a_single_byte_source_with_negative_handles(self):
        """A source without a byte-order mark reads as its user sees it (code
        page 1251) and gets the call in ASCII; the IDE wrote its handles
        negative."""
        source = 'a = 1\r\nMessageRequester("Заголовок", "Текст")\r\nb = 2'
        main = self.start_ide(source, "2x1x3x1", "single-byte negative", "cp1251")
        self.assert_choices(main, Choices("Заголовок", "Текст"))
        self.set_title("Ящик 😀")
        expected = ascii_only(generated_source(Choices("Ящик 😀", "Текст")))
        self.assertTrue(expected.isascii())
        self.insert(source, "a = 1\r\n" + expected + "\r\nb = 2", "cp1251")

    def test_the_editor_gone_before_the_click(self):
        """Closed, or hidden as the IDE hides a source whose tab is left:
        nothing is pasted, and the call stays on the clipboard."""
        for hide in (0, 1):
            with self.subTest(hide=hide):
                if hide:
                    self.new_session("hidden")
                source = self.BEFORE + "b = 2"
                self.start_ide(source, "2x1x2x1")
                self.assertTrue(self.s.ask(f"idedrop {hide}")["ok"])
                wait_for(lambda: not self.s.ask("ide")["editorShown"], what="the editor closed")
                self.set_title("Потеря")
                self.s.click_gadget(11)
                box = self.s.wait_box()
                self.assertEqual((shown(box["caption"]), shown(box["text"])), ("MessageRequester", INSERT_FAILED_TEXT))
                self.assertEqual(self.s.clipboard_unicode(),
                                 (generated_source(Choices("Потеря")) + "\0").encode("utf-16-le"))
                self.assertEqual(self.ide_text(), source if hide else "")


def main():
    global OPTIONS
    OPTIONS, rest = parse_options(__doc__, ("program", "probe", "recorder", "scintilla", "planted",
                                            "windows7-loader-program", "work"),
                                  optional=("x86-build", "locale", "code-page", "ide"))
    run_in_private_display()
    unittest.main(argv=[sys.argv[0], "-v", *rest], module=__name__)


if __name__ == "__main__":
    main()
