"""What the wizard must produce for a set of choices, written from the
composition rules alone, so that the end-to-end suite does not compare the
program with its own code.

Texts are Python str; the clipboard holds them exactly as UTF-16, and for
readers of single-byte text in Windows-1251 bytes wherever that code page
holds them (run_e2e.py checks the system's own code page where it does not).
"""

from dataclasses import dataclass

ENCODING = "cp1251"

# (caption, style bits, PureBasic constant) per entry, in list order.
ICONS = [
    ("Нет иконки", 0x00, ""),
    ("Стоп", 0x10, "#MB_ICONERROR"),
    ("Вопрос", 0x20, "#MB_ICONQUESTION"),
    ("Внимание!", 0x30, "#MB_ICONWARNING"),
    ("Информация", 0x40, "#MB_ICONINFORMATION"),
]
MODALITIES = [
    ("Приложение", 0x0000, ""),
    ("Задача", 0x2000, "#MB_TASKMODAL"),
    ("Системное", 0x1000, "#MB_SYSTEMMODAL"),
]
DEFAULT_BUTTONS = [
    ("1", 0x000, ""),
    ("2", 0x100, "#MB_DEFBUTTON2"),
    ("3", 0x200, "#MB_DEFBUTTON3"),
]
# (caption, style value, constant, result constants, dialog ids of the buttons)
BUTTON_SETS = [
    ("Ok", 0, "#MB_OK", [], [1]),
    ("Ok, Отмена", 1, "#MB_OKCANCEL", ["#IdOK", "#IdCancel"], [1, 2]),
    ("Прервать, Повторить, Игнорировать", 2, "#MB_ABORTRETRYIGNORE",
     ["#IdAbort", "#IdRetry", "#IdIgnore"], [3, 4, 5]),
    ("Да, Нет, Отмена", 3, "#MB_YESNOCANCEL", ["#IdYes", "#IdNo", "#IdCancel"], [6, 7, 2]),
    ("Да, Нет", 4, "#MB_YESNO", ["#IdYes", "#IdNo"], [6, 7]),
    ("Повторить, Отмена", 5, "#MB_RETRYCANCEL", ["#IdRetry", "#IdCancel"], [4, 2]),
]
ICON_NAMES = ["none", "hand", "question", "exclamation", "asterisk"]


@dataclass
class Choices:
    title: str = ""
    text: str = ""          # the editor's content, line ends as typed
    icon: int = 0           # -1: no entry selected
    modality: int = 0
    button_set: int = 0
    default_button: int = 0


def editor_lines(text):
    """The editor's lines: CR LF, LF and CR each end a line."""
    return text.replace("\r\n", "\n").replace("\r", "\n").split("\n")


def flags_expression(c):
    names = [BUTTON_SETS[c.button_set][2]]
    if 0 <= c.icon < len(ICONS):
        names.append(ICONS[c.icon][2])
    names += [MODALITIES[c.modality][2], DEFAULT_BUTTONS[c.default_button][2]]
    return "|".join(n for n in names if n)


def message_expression(c):
    """The message as a PureBasic expression: its lines joined by LF, each
    non-empty line a string literal (a double quote inside written as
    Chr(34)), each line break a Chr(10) term."""
    if c.text == "":
        return '""'
    terms = []
    for i, line in enumerate(editor_lines(c.text)):
        if i > 0:
            terms.append("Chr(10)")
        if line != "":
            terms.append('"' + line.replace('"', '"+Chr(34)+"') + '"')
    return "+".join(terms)


def generated_source(c):
    """The source text that "Скопировать" must place on the clipboard, exactly
    as typed: its Unicode form."""
    entry = BUTTON_SETS[c.button_set]
    results = entry[3]
    head = "Select MessageRequester(" if results else "MessageRequester("
    title = '"' + c.title.replace('"', '" + Chr(34) + "') + '"'
    call = head + title + ", " + message_expression(c) + ", " + flags_expression(c) + ")"
    if results:
        call += "".join("\r\nCase " + r for r in results) + "\r\nEndSelect"
    return call


def generated_call(c):
    """The clipboard's single-byte text: the source in Windows-1251, each
    UTF-16 unit of a character that the code page lacks (and that has no
    nearest letter in it) as "?"."""
    return "".join(single_byte(ch) for ch in generated_source(c)).encode(ENCODING)


def single_byte(ch):
    try:
        ch.encode(ENCODING)
        return ch
    except UnicodeEncodeError:
        return "?" * (len(ch.encode("utf-16-le")) // 2)


def preview_text(c):
    """The text of the box that "Тест" shows: the lines joined by LF."""
    return "\n".join(editor_lines(c.text))


def box_buttons(c):
    return BUTTON_SETS[c.button_set][4]


def default_button_id(c):
    """The box's default button, or None for a default beyond the set's
    buttons: the style passes unchanged and the platform decides."""
    ids = box_buttons(c)
    return ids[c.default_button] if c.default_button < len(ids) else None


def box_stays_on_top(c):
    """A system-modal box is shown above every other window."""
    return c.modality == 2


def box_icon(c):
    return ICON_NAMES[c.icon] if c.icon > 0 else "none"
