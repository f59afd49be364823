"""A Wine session in a private X server, driven like a person: X keyboard and
mouse input through xdotool, and the probe helper reading back what a person
could see or paste. Every wait polls with a time limit."""

import argparse
import json
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

WINE = "/usr/lib/wine/wine64"
SCREEN = (1024, 768)
DOUBLE_CLICK_SECONDS = 0.6

HANDLER_KEYS = ["http\\shell\\open\\command", "https\\shell\\open\\command"]
PUREBASIC_KEYS = [
    ("HKCR", "Applications\\PureBasic.exe"),
    ("HKLM", "Software\\Classes\\PureBasic.exe"),
]
PUREBASIC_COMMAND = "\\shell\\open\\command"


VIRTUAL_KEYS = {
    "backspace": 0x08, "tab": 0x09, "return": 0x0D, "shift": 0x10, "ctrl": 0x11, "alt": 0x12,
    "escape": 0x1B, "space": 0x20, "end": 0x23, "home": 0x24, "left": 0x25, "up": 0x26,
    "right": 0x27, "down": 0x28, "delete": 0x2E, "a": 0x41, "c": 0x43, "v": 0x56, "f4": 0x73,
}


class WaitTimeout(AssertionError):
    pass


def wait_for(condition, timeout=10.0, interval=0.05, what="condition"):
    """Polls until condition() answers something true and answers it."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise WaitTimeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def parse_options(doc, names, optional=()):
    """The scripts' common command line: paths named --NAME."""
    parser = argparse.ArgumentParser(description=doc)
    for name in names:
        parser.add_argument("--" + name, required=True)
    for name in optional:
        parser.add_argument("--" + name)
    return parser.parse_known_args()


def run_in_private_display():
    """Re-runs the calling script inside a private X server of its own, in
    colour and of the screen size the suite expects, whatever DISPLAY says."""
    if os.environ.get("E2E_IN_XVFB") == "1":
        return
    os.environ["E2E_IN_XVFB"] = "1"
    os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", f"-screen 0 {SCREEN[0]}x{SCREEN[1]}x24",
                           sys.executable, *sys.argv])


def windows_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def hex_text(text):
    return text.encode("cp1251").hex()


# The session's locale gives every program in it its system code page:
# ru_RU 1251, en_US 1252, and a locale without one of its own (hi_IN) UTF-8.
DEFAULT_LOCALE = "ru_RU.UTF-8"


def wine_environment(prefix, locale=DEFAULT_LOCALE):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEARCH="win64", WINEDEBUG="-all",
               LC_ALL=locale, WINEDLLOVERRIDES="mscoree,mshtml=")
    return env


def prepare_prefix(prefix, env, dpi=None):
    """Creates a Wine prefix of the suite's own once: Wine draws the windows
    in a virtual desktop the size of the screen, so that captions, close boxes
    and keyboard focus work without a window manager. A prefix made for
    another display scale than 100 % has that DPI as its LogPixels."""
    marker = prefix / ".e2e-ready"
    if marker.exists():
        return
    prefix.mkdir(parents=True, exist_ok=True)
    run = lambda *a: subprocess.run([WINE, *a], env=env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, timeout=300)
    run("wineboot", "--init")
    # The caption buttons are drawn with the Marlett font, which Wine does
    # not find in its own data folder here.
    marlett = Path("/usr/share/wine/fonts/marlett.ttf")
    if marlett.exists():
        shutil.copy(marlett, prefix / "drive_c" / "windows" / "Fonts")
    run("reg", "add", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/d", "Default", "/f")
    run("reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", "Default",
        "/d", f"{SCREEN[0]}x{SCREEN[1]}", "/f")
    if dpi:
        run("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    subprocess.run(["wineserver", "-w"], env=env, timeout=120)
    marker.touch()


class Probe:
    """One long-running probe process answering one JSON line a command."""

    def __init__(self, probe_exe, env):
        self.process = subprocess.Popen([WINE, str(probe_exe)], env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def ask(self, command):
        self.process.stdin.write((command + "\n").encode())
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError(f"probe ended while answering {command!r}")
        return json.loads(line)

    def close(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write(b"quit\n")
                self.process.stdin.close()
                self.process.wait(timeout=10)
            except (OSError, subprocess.TimeoutExpired):
                self.process.kill()
                self.process.wait(timeout=30)
        self.process.stdout.close()


class Session:
    def __init__(self, options, name):
        self.options = options
        # One prefix, and so one Wine server, for each work folder: the suite
        # and the figure scripts never see each other's windows or clipboard.
        prefix = Path(options.work).resolve() / "wineprefix"
        self.work = Path(options.work).resolve() / name
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        self.env = wine_environment(prefix, getattr(options, "locale", None) or DEFAULT_LOCALE)
        self.xenv = dict(os.environ, LC_ALL="C.UTF-8")
        self.program = None
        self.last_click = (None, 0.0)
        prepare_prefix(prefix, self.env, getattr(options, "dpi", None))
        self.probe = Probe(options.probe, self.env)
        try:
            wait_for(lambda: self.ask("boxes")["ok"], what="the probe")
        except Exception:
            self.close()
            raise

    # --- Wine side -----------------------------------------------------

    def ask(self, command):
        return self.probe.ask(command)

    def close(self):
        if self.program:
            if self.program.poll() is None:
                self.program.kill()
            self.program.wait(timeout=30)
        self.probe.close()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL, timeout=60)

    def set_default_value(self, root, key, value):
        answer = self.ask(f"regset {root} {hex_text(key)} {hex_text(value)}")
        assert answer["ok"], f"cannot write {root}\\{key}"

    def delete_key(self, root, key):
        self.ask(f"regdel {root} {hex_text(key)}")

    def install_app(self, folder, library_at=None, program_file=None):
        """Copies the program (program_file when given) into folder, and
        Scintilla.dll to library_at (a path relative to folder) when given.
        Answers the program's path."""
        folder = self.work / folder
        folder.mkdir(parents=True, exist_ok=True)
        program = folder / Path(self.options.program).name
        shutil.copy(program_file or self.options.program, program)
        if library_at:
            target = folder / library_at
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(self.options.scintilla, target)
        return program

    def start(self, program, wait_window=True, cwd=None, path=None):
        """Starts the program from its own folder, as a double click would,
        or from the folder cwd, as a command prompt there would; path (a
        Windows folder name) is put on its PATH."""
        env = dict(self.env, WINEPATH=path) if path else self.env
        self.program = subprocess.Popen([WINE, str(program)], env=env, cwd=str(cwd or Path(program).parent),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if wait_window:
            self.wait_main(lambda m: m["visible"] and m["focus"] == 1, "the main window with the focus in the title")
        return self.program

    def start_standard(self):
        return self.start(self.install_app("app", "Compilers/Scintilla.dll"))

    def main(self):
        return self.ask("main")

    def wait_main(self, condition, what, timeout=15.0):
        def check():
            m = self.main()
            return m if m["found"] and condition(m) else None
        return wait_for(check, timeout, what=what)

    def control(self, gadget, main=None):
        main = main or self.main()
        for c in main["controls"]:
            if c["id"] == gadget:
                return c
        raise AssertionError(f"no control with gadget number {gadget}")

    def focus(self):
        return self.main()["focus"]

    def wait_focus(self, gadget, timeout=5.0):
        try:
            return self.wait_main(lambda m: m["focus"] == gadget, f"the focus on gadget {gadget}", timeout)
        except WaitTimeout as timeout_error:
            self.screenshot(self.work / "focus-timeout.png")
            raise WaitTimeout(f"{timeout_error}; it is on gadget {self.focus()}") from None

    def boxes(self):
        return self.ask("boxes")["boxes"]

    def wait_box(self, timeout=10.0):
        """The first message box once it is drawn: its icon is read from the
        screen, so it is recognised only after the box has painted it. A box
        whose icon stays unknown is answered as it is, for the test to judge."""
        def drawn():
            boxes = self.boxes()
            return boxes if boxes and boxes[0]["icon"] != "unknown" else None
        try:
            return wait_for(drawn, timeout, what="a message box")[0]
        except WaitTimeout:
            boxes = self.boxes()
            if boxes:
                return boxes[0]
            raise

    def clipboard(self):
        """The clipboard's CF_TEXT block, every byte of it, or None."""
        text = self.ask("clip")["text"]
        return None if text is None else bytes.fromhex(text)

    def clipboard_unicode(self):
        """The clipboard's CF_UNICODETEXT block, every byte of it, or None."""
        text = self.ask("clip")["unicode"]
        return None if text is None else bytes.fromhex(text)

    def clipboard_locale(self):
        return self.ask("clip")["locale"]

    def clipboard_sequence(self):
        return self.ask("clip")["seq"]

    def put_on_clipboard(self, data):
        path = self.work / "clip.bin"
        path.write_bytes(data)
        assert self.ask(f"clipset {windows_path(path)}")["ok"]

    def editor_length(self):
        return self.ask("editorlength")["length"]

    def clear_editor(self):
        """Empties the editor by clicking into it, selecting all and deleting."""
        self.click_rect(self.control(2)["rect"])
        self.wait_focus(2)
        self.key("ctrl+a", "Delete")
        wait_for(lambda: self.editor_length() == 0, what="the empty editor")

    def settled_editor_length(self, quiet=0.2):
        """The editor's length once keys typed before have all arrived: the
        same answer twice, quiet seconds apart."""
        last = self.editor_length()
        for _ in range(50):
            time.sleep(quiet)
            now = self.editor_length()
            if now == last:
                return now
            last = now
        raise WaitTimeout("the editor's text keeps changing")

    def paste_into_editor(self, text, timeout=3.0):
        """Pastes text into the focused editor with Ctrl+V, again when it did
        not arrive: Wine's clipboard manager may hold the clipboard open for a
        moment after a copy, and the editor then pastes nothing."""
        before = self.settled_editor_length()
        # The editor keeps UTF-8 and turns pasted line ends into CR LF.
        after = before + len(text.replace("\n", "\r\n").encode("utf-8"))
        self.put_on_clipboard(text.encode("cp1251"))
        for _ in range(3):
            self.key("ctrl+v")
            try:
                wait_for(lambda: self.editor_length() == after, timeout=timeout, what="the pasted text")
                return
            except WaitTimeout:
                assert self.editor_length() == before, "a paste arrived in part"
        raise WaitTimeout("the editor took no paste")

    def exit_code(self, timeout=15.0):
        return self.program.wait(timeout=timeout)

    def stop_program(self):
        """Ends the program if it still runs."""
        if self.program and self.program.poll() is None:
            self.program.kill()
            self.program.wait(timeout=30)

    # --- X side ----------------------------------------------------------

    def xdo(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.xenv, check=True, timeout=60)

    def key(self, *chords):
        """Presses keys such as "Return", "shift+Tab" or "alt+F4". Keys go in
        through the same ordered input queue as the typed text."""
        for chord in chords:
            codes = "+".join(str(VIRTUAL_KEYS[name.lower()]) for name in chord.split("+"))
            assert self.ask("key " + codes)["ok"], chord

    def type(self, text):
        """Types one line of text. The letters come through the probe as
        Unicode key input: xdotool remaps spare keys for each Cyrillic letter,
        and Wine drops letters typed that way."""
        assert "\n" not in text and "\t" not in text
        if text:
            assert self.ask("type " + text.encode("utf-8").hex())["ok"]

    def post_chars(self, gadget, text):
        """Posts text to a control as Unicode character messages, as an input
        method may deliver letters."""
        assert self.ask(f"chars {gadget} {text.encode('utf-8').hex()}")["ok"]

    def type_lines(self, text):
        for i, line in enumerate(text.split("\n")):
            if i > 0:
                self.key("Return")
            self.type(line)

    def click(self, x, y, button=1):
        # Two clicks on one spot within the double-click time make a double
        # click, which a person clicking twice on purpose does not mean.
        since = time.monotonic() - self.last_click[1]
        if self.last_click[0] == (int(x), int(y)) and since < DOUBLE_CLICK_SECONDS:
            time.sleep(DOUBLE_CLICK_SECONDS - since)
        self.xdo("mousemove", int(x), int(y), "click", button)
        self.last_click = ((int(x), int(y)), time.monotonic())

    def move(self, x, y):
        self.xdo("mousemove", int(x), int(y))

    def click_rect(self, rect):
        self.click((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)

    def click_gadget(self, gadget):
        self.click_rect(self.control(gadget)["rect"])

    def screen_colours(self, rect):
        """The colours shown in a screen rectangle, as (r, g, b) per pixel."""
        left, top, right, bottom = rect
        out = subprocess.run(["import", "-window", "root", "-crop",
                              f"{right - left}x{bottom - top}+{left}+{top}", "-depth", "8", "txt:-"],
                             env=self.xenv, check=True, capture_output=True, text=True, timeout=60).stdout
        colours = []
        for line in out.splitlines()[1:]:
            hash_at = line.find("#")
            if hash_at >= 0:
                code = line[hash_at + 1:hash_at + 7]
                colours.append((int(code[0:2], 16), int(code[2:4], 16), int(code[4:6], 16)))
        return colours

    def screenshot(self, path, rect=None):
        args = ["import", "-window", "root"]
        if rect:
            left, top, right, bottom = rect
            args += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        subprocess.run(args + [str(path)], env=self.xenv, check=True, timeout=60)
