#!/usr/bin/env bash
# Renders the README's pictures of the wizard under Wine into docs/:
# window.png (as it opens), composed.png (a composed message),
# preview.png (its test box), window-150.png (at 150 %) and
# window-english.png (in English). Builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
scripts/build-windows.sh >/dev/null
build=build/mingw-x64
python3 tests/e2e/screenshots.py --program "$build/MessageRequesterWizard.exe" \
    --probe "$build/tests/e2e/e2e_probe.exe" --scintilla build/scintilla/x86_64/Scintilla.dll \
    --work "$build/tests/e2e/pictures" --out docs
