#!/usr/bin/env python3
"""Figures of the wizard under Wine, each beside baselines taken in the same
run, as ratios:

- start-up to the window shown, beside a minimal Win32 program opening an
  empty window and beside the floor of the wizard's kind: the same window
  that loads the same Scintilla.dll from Compilers\\ and creates one editor;
- the copy action on a 1 MiB and a 16 MiB message, from the click until the
  action has closed the clipboard after its last step, beside the floor of a
  Unicode copy (a window with the same editor and text whose button reads
  the text in one message, converts it to UTF-16 and Windows-1251 with
  Windows' converters and places both with CF_LOCALE in one opening of the
  clipboard, timed the same way) and a bare clipboard set of the same bytes;
  the three alternate.

Any launch or copy that fails or times out ends the script with an error
instead of a figure.

    figures.py --program P --probe P --empty-window P --scintilla P --work DIR
"""

import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from composition import Choices, generated_call  # noqa: E402
from session import WINE, Session, parse_options, run_in_private_display, wait_for, windows_path  # noqa: E402

STARTS = 9
COPIES = 5
SIZES = [(1, "1 MiB"), (16, "16 MiB")]
LINE = 'Строка {:06d}: "кавычки", пробелы  и\tтабуляция; plain ASCII text to the end'


class FigureFailed(Exception):
    pass


def message_of(mebibytes):
    lines = []
    size = 0
    while size < mebibytes << 20:
        line = LINE.format(len(lines))
        lines.append(line)
        size += len(line.encode("cp1251")) + 1
    return "\n".join(lines)


def timed(session, command):
    answer = session.ask(command)
    if not answer.get("ok"):
        raise FigureFailed(f"{command}: {answer}")
    return answer["ms"]


def line(figure, wizard, baselines):
    parts = [f"{figure:<44} wizard {wizard:8.1f} ms"]
    for name, value in baselines:
        parts.append(f"{name} {value:8.1f} ms (ratio {wizard / value:4.2f})")
    print("   ".join(parts), flush=True)


def start_up(session, program, empty_window, editor_window):
    """Alternates the three programs, so that none profits from another's
    warmed caches more than the others do."""
    runs = {"wizard": [], "empty": [], "editor": []}
    for _ in range(STARTS):
        runs["wizard"].append(timed(session, f"launch {windows_path(program)} MessageRequesterWizard MessageRequester"))
        runs["empty"].append(timed(session, f"launch {windows_path(empty_window)} EmptyWindow EmptyWindow"))
        runs["editor"].append(timed(session, f"launch {windows_path(editor_window)} EmptyWindow EditorWindow editor"))
    medians = {name: statistics.median(times) for name, times in runs.items()}
    line(f"start-up to the window shown (median of {STARTS})", medians["wizard"],
         [("window with one editor", medians["editor"]), ("empty window", medians["empty"])])


def start_copy_floor(session, editor_window, text):
    """The floor of the copy figure: a window with the same editor holding the
    same text, whose button does the least a Unicode copy must do."""
    source = session.work / "floor-text.txt"
    source.write_bytes(text.replace("\n", "\r\n").encode("utf-8"))
    program = subprocess.Popen([WINE, str(editor_window), "copyfloor", windows_path(source)], env=session.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The first copy, untimed, waits for the window and its text.
    length = len(text.replace("\n", "\r\n").encode("cp1251"))
    wait_for(lambda: session.ask(f"copytime {length} CopyFloor")["ok"], timeout=120, interval=0.5,
             what="the copy floor's window")
    return program


def copy_figures(session, editor_window):
    session.start_standard()
    for mebibytes, label in SIZES:
        c = Choices(text=message_of(mebibytes))
        session.clear_editor()
        session.paste_into_editor(c.text, timeout=120)
        expected = generated_call(c)
        output = session.work / f"copy-{mebibytes}.bin"
        output.write_bytes(expected)
        wizard, baseline, floor = [], [], []
        floor_program = start_copy_floor(session, editor_window, c.text)
        for _ in range(COPIES):
            wizard.append(timed(session, f"copytime {len(expected)}"))
            copied = session.clipboard()
            if copied != expected + b"\0":
                (session.work / f"copied-{mebibytes}.bin").write_bytes(copied or b"")
                raise FigureFailed(f"the copied text of the {label} message differs from the expectation")
            baseline.append(timed(session, f"clipbench {windows_path(output)}"))
            floor.append(timed(session, f"copytime {len(c.text.replace(chr(10), chr(13) + chr(10)).encode('cp1251'))} CopyFloor"))
        line(f"copy, {label} message ({len(expected) / 2**20:5.2f} MiB of source, median of {COPIES})",
             statistics.median(wizard), [("Unicode copy floor", statistics.median(floor)),
                                         ("bare clipboard set", statistics.median(baseline))])
        floor_program.terminate()
        floor_program.wait(timeout=30)
    # The floor's window took the foreground; the wizard's is given it back.
    session.click_gadget(1)
    session.wait_focus(1)
    session.key("alt+F4")
    if session.exit_code() != 0:
        raise FigureFailed("the wizard did not end with exit code 0")


def main():
    options, _ = parse_options(__doc__, ("program", "probe", "empty-window", "scintilla", "work"),
                               optional=("recorder",))
    run_in_private_display()
    session = Session(options, "figures")
    try:
        program = session.install_app("timed", "Compilers/Scintilla.dll")
        floor = session.work / "floor"
        (floor / "Compilers").mkdir(parents=True)
        editor_window = floor / os.path.basename(options.empty_window)
        editor_window.write_bytes(open(options.empty_window, "rb").read())
        (floor / "Compilers" / "Scintilla.dll").write_bytes(open(options.scintilla, "rb").read())
        wine = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
        size = os.path.getsize(options.program)
        print(f"{wine}, {os.cpu_count()} cores, private Xvfb; the program {size / 1024:.0f} KiB", flush=True)
        start_up(session, program, options.empty_window, editor_window)
        copy_figures(session, editor_window)
    except FigureFailed as failure:
        sys.exit(f"figures.py: {failure}")
    finally:
        session.close()


if __name__ == "__main__":
    main()
