#!/usr/bin/env bash
# Runs one Windows program under the project's Wine settings; CTest starts
# every Windows-side test through it. Starts a private X server when none is
# given, so that a test can also be run on its own.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$@"
fi
source "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
