#!/usr/bin/env bash
# Runs one Windows program under the project's Wine settings; CTest starts
# every Windows-side test through it. Starts a private X server when none is
# given, so that a test can also be run on its own.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$@"
fi
source "$(dirname "$0")/wine-env.sh"

# Wine names files on the Linux side in the character set of the session's
# locale, and one that is not installed gives plain ASCII: a folder such as
# C:\Users\Иван\ could then not exist at all. The locale is built once into
# the build folder; Windows' code page still comes from its name alone.
wine_locales="$(cd "$(dirname "$0")/.." && pwd)/build/wine-locales"
if [[ "$LC_ALL" == *.* ]] && [ ! -d "$wine_locales/$LC_ALL" ]; then
    mkdir -p "$wine_locales"
    building="$wine_locales/$LC_ALL.new.$$"
    if localedef -i "${LC_ALL%%.*}" -f "${LC_ALL#*.}" "$building" >/dev/null 2>&1; then
        # Another run may have built it meanwhile; then its copy stays.
        mv -T "$building" "$wine_locales/$LC_ALL" 2>/dev/null || true
    fi
    rm -rf "$building"
fi
if [ -d "$wine_locales/$LC_ALL" ]; then
    export LOCPATH="$wine_locales"
fi
exec "$WINE" "$@"
