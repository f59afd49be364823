#!/usr/bin/env bash
# Runs one Windows program under the project's Wine settings; CTest starts
# every Windows-side test through it. Starts a private X server when none is
# given, so that a test can also be run on its own.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$@"
fi
source "$(dirname "$0")/wine-env.sh"

# The session's locale installed, so that file names keep their letters.
if [[ "$LC_ALL" == *.* ]] && build_wine_locales "$LC_ALL"; then
    export LOCPATH="$wine_locales"
fi
exec "$WINE" "$@"
