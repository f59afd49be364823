#!/usr/bin/env bash
# Builds everything and opens the wizard under Wine on the current display.
# With no display it starts a virtual one, waits for the window, saves a
# screenshot as build/wizard-screenshot.png, says where, and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
scripts/build-windows.sh

program_dir=build/mingw-x64
mkdir -p "$program_dir/Compilers"
cp build/scintilla/x86_64/Scintilla.dll "$program_dir/Compilers/Scintilla.dll"

if [ -n "${DISPLAY:-}" ]; then
    source scripts/wine-env.sh
    exec "$WINE" "$program_dir/MessageRequesterWizard.exe"
fi

screenshot="$PWD/build/wizard-screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$program_dir" "$screenshot" <<'INNER'
set -euo pipefail
program_dir=$1
screenshot=$2
source scripts/wine-env.sh
"$WINE" "$program_dir/MessageRequesterWizard.exe" &
wizard=$!
shown=no
for _ in $(seq 1 120); do
    if xdotool search --onlyvisible --name '^MessageRequester$' >/dev/null 2>&1; then
        shown=yes
        break
    fi
    sleep 0.5
done
if [ "$shown" = yes ]; then
    sleep 1
    import -window root "$screenshot"
    echo "Screenshot of the wizard: $screenshot"
else
    echo "run: the wizard's window did not appear" >&2
fi
# Asks the program to close as the close box does, then waits for it.
"$WINE" taskkill /im MessageRequesterWizard.exe >/dev/null 2>&1 || true
for _ in $(seq 1 20); do
    kill -0 "$wizard" 2>/dev/null || break
    sleep 0.5
done
wineserver -k >/dev/null 2>&1 || true
[ "$shown" = yes ]
INNER
