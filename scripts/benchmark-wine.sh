#!/usr/bin/env bash
# Measures the wizard under Wine, each figure beside baselines from the same
# run: start-up to the window shown (an empty Win32 window, and a window that
# loads the same Scintilla.dll and creates one editor), the copy action on a
# 1 MiB and a 16 MiB message (a bare clipboard set of the same bytes), and the
# size of both shipped programs. A launch or copy that fails fails the script.
# Builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
scripts/build-windows.sh >/dev/null
build=build/mingw-x64
for program in build/mingw-x64/MessageRequesterWizard.exe build/mingw-x86/MessageRequesterWizard.exe; do
    echo "$program: $(( $(stat -c %s "$program") / 1024 )) KiB"
done
python3 tests/e2e/figures.py --program "$build/MessageRequesterWizard.exe" \
    --probe "$build/tests/e2e/e2e_probe.exe" --empty-window "$build/tests/e2e/e2e_empty_window.exe" \
    --scintilla build/scintilla/x86_64/Scintilla.dll --work "$build/tests/e2e/figures"
