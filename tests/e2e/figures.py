#!/usr/bin/env python3
"""Figures of the wizard under Wine, each beside a baseline taken in the same
run: start-up to the window shown (baseline: a minimal Win32 program opening
an empty window) and the copy action on a 1 MiB and a 16 MiB message
(baseline: a bare clipboard set of the same bytes).

    figures.py --program P --probe P --empty-window P --scintilla P --work DIR
"""

import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from composition import Choices, generated_call  # noqa: E402
from session import WINE, Session, parse_options, run_in_private_display, windows_path  # noqa: E402

STARTS = 7
COPIES = 5
SIZES = [(1, "1 MiB"), (16, "16 MiB")]
LINE = 'Строка {:06d}: "кавычки", пробелы  и\tтабуляция; plain ASCII text to the end'


def message_of(mebibytes):
    lines = []
    size = 0
    while size < mebibytes << 20:
        line = LINE.format(len(lines))
        lines.append(line)
        size += len(line.encode("cp1251")) + 1
    return "\n".join(lines)


def median_ms(session, command, count):
    times = []
    for _ in range(count):
        answer = session.ask(command)
        assert answer["ok"], f"{command}: {answer}"
        times.append(answer["ms"])
    return statistics.median(times)


def start_up(session, program, empty_window):
    """Alternates the two programs, so that neither profits from the other's
    warmed caches."""
    wizard, baseline = [], []
    for _ in range(STARTS):
        wizard.append(median_ms(session, f"launch {windows_path(program)} MessageRequester", 1))
        baseline.append(median_ms(session, f"launch {windows_path(empty_window)} EmptyWindow", 1))
    print(f"start-up to window shown   wizard {statistics.median(wizard):8.1f} ms   "
          f"empty Win32 window {statistics.median(baseline):8.1f} ms   (median of {STARTS})")


def copy_figures(session):
    session.start_standard()
    for mebibytes, label in SIZES:
        c = Choices(text=message_of(mebibytes))
        session.clear_editor()
        session.paste_into_editor(c.text, timeout=120)
        wizard = median_ms(session, "copytime", COPIES)
        expected = generated_call(c)
        copied = session.clipboard()
        if copied != expected + b"\0":
            (session.work / f"copied-{mebibytes}.bin").write_bytes(copied or b"")
            (session.work / f"expected-{mebibytes}.bin").write_bytes(expected)
            formats = session.ask("clip")["formats"]
            raise AssertionError(f"the copied text of the {label} message differs from the expectation; "
                                 f"clipboard formats {formats}")
        output = session.work / f"copy-{mebibytes}.bin"
        output.write_bytes(expected)
        baseline = median_ms(session, f"clipbench {windows_path(output)}", COPIES)
        print(f"copy, {label} message ({len(expected) / 2**20:5.2f} MiB of source)   wizard {wizard:8.1f} ms"
              f"   bare clipboard set {baseline:8.1f} ms   (median of {COPIES})")
    session.key("alt+F4")
    session.exit_code()


def main():
    options, _ = parse_options(__doc__, ("program", "probe", "empty-window", "scintilla", "work"),
                               optional=("recorder",))
    run_in_private_display()
    session = Session(options, "figures")
    try:
        program = session.install_app("timed", "Compilers/Scintilla.dll")
        wine = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
        print(f"{wine}, "
              f"{os.cpu_count()} cores, private Xvfb")
        start_up(session, program, options.empty_window)
        copy_figures(session)
    finally:
        session.close()


if __name__ == "__main__":
    main()
