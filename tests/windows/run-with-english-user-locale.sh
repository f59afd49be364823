#!/usr/bin/env bash
# Runs a Windows test program under Wine with an English user locale beside
# the Russian system locale: the ANSI code page stays 1251, but the platform
# itself would tag clipboard text with a locale of code page 1252. Wine takes
# the system locale from LC_CTYPE and the user locale from LC_MESSAGES, and
# both must name locales that exist (scripts/wine-env.sh builds them once).
#   run-with-english-user-locale.sh PROGRAM [ARGUMENT...]
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$@"
fi
source "$(dirname "$0")/../../scripts/wine-env.sh"
build_wine_locales ru_RU.CP1251 en_US.ISO-8859-1
unset LC_ALL
export LOCPATH="$wine_locales" LC_CTYPE=ru_RU.CP1251 LC_MESSAGES=en_US.ISO-8859-1
export WIZARD_TEST_ENGLISH_USER_LOCALE=1
exec "$WINE" "$@"
