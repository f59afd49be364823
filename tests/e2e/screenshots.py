#!/usr/bin/env python3
"""Renders the README's pictures of the wizard under Wine into a folder:
window.png (as it opens), composed.png (a message composed in it),
preview.png (its test box over the window), window-150.png (the composed
window on a display at 150 %, in a Wine prefix of its own at 144 DPI) and
window-english.png (the window as it opens in English).

    screenshots.py --program P --probe P --scintilla P --work DIR --out DIR
"""

import argparse
import os
import sys
import time
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from composition import Choices  # noqa: E402
from run_e2e import WizardCase  # noqa: E402
from session import SCREEN, parse_options, run_in_private_display  # noqa: E402

EXAMPLE = Choices(title="Сохранение", text='Файл "отчёт.pb" изменён.\nСохранить изменения?',
                  icon=2, modality=1, button_set=3, default_button=0)


def union(*rects):
    return [min(r[0] for r in rects), min(r[1] for r in rects),
            max(r[2] for r in rects), max(r[3] for r in rects)]


SETTLE_SECONDS = 1.0
SCALED_DPI = 144


class Pictures(WizardCase):
    """Borrows the suite's way of composing; not a test of its own."""

    def shoot(self, name, rect):
        # The pointer off the window, and time for late painting.
        self.s.move(SCREEN[0] - 5, SCREEN[1] - 5)
        time.sleep(SETTLE_SECONDS)
        self.s.screenshot(self.out / name, rect)

    def compose(self):
        s = self.s
        s.type(EXAMPLE.title)
        s.key("Return")
        s.wait_focus(2)
        s.type_lines(EXAMPLE.text)
        self.choose_by_mouse(EXAMPLE)
        s.click_gadget(2)

    def runTest(self):
        s = self.s
        s.start_standard()
        window = s.main()["rect"]
        self.shoot("window.png", window)
        self.compose()
        self.shoot("composed.png", window)
        s.click_gadget(7)
        box = s.wait_box()
        self.assert_box(box, EXAMPLE)
        self.shoot("preview.png", union(window, box["rect"]))
        s.click_rect(box["buttons"][0]["rect"])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


class ScaledPicture(Pictures):
    def runTest(self):
        s = self.s
        s.start_standard()
        self.compose()
        self.shoot("window-150.png", s.main()["rect"])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


class EnglishPicture(Pictures):
    def runTest(self):
        s = self.s
        s.start_standard()
        self.shoot("window-english.png", s.main()["rect"])
        s.key("alt+F4")
        self.assertEqual(s.exit_code(), 0)


def render(case):
    result = case.run()
    if not result.wasSuccessful():
        for _, trace in result.errors + result.failures:
            print(trace, file=sys.stderr)
        sys.exit(1)


def main():
    options, _ = parse_options(__doc__, ("program", "probe", "scintilla", "work", "out"), optional=("recorder",))
    run_in_private_display()
    import run_e2e
    run_e2e.OPTIONS = options
    Pictures.out = Path(options.out)
    Pictures.out.mkdir(parents=True, exist_ok=True)
    render(Pictures())
    # The session's prefix belongs to its work folder, so the scaled one
    # gets a folder of its own.
    run_e2e.OPTIONS = argparse.Namespace(**dict(vars(options), work=options.work + "-150", dpi=SCALED_DPI))
    render(ScaledPicture())
    # The IDE's language wins over that of the session, which stays Russian.
    os.environ["PB_TOOL_Language"] = "English"
    run_e2e.OPTIONS = argparse.Namespace(**dict(vars(options), work=options.work + "-english"))
    render(EnglishPicture())
    for name in ("window.png", "composed.png", "preview.png", "window-150.png", "window-english.png"):
        print(Pictures.out / name)


if __name__ == "__main__":
    main()
