#!/usr/bin/env bash
# Runs a Windows test program under Wine with an English user locale beside
# the Russian system locale: the ANSI code page stays 1251, but the platform
# itself would tag clipboard text with a locale of code page 1252. Wine takes
# the system locale from LC_CTYPE and the user locale from LC_MESSAGES, and
# both must name locales that exist; they are built once into the folder given.
#   run-with-english-user-locale.sh LOCALE-FOLDER PROGRAM [ARGUMENT...]
set -euo pipefail
locales="$1"
shift

if [ ! -d "$locales/ru_RU.CP1251" ] || [ ! -d "$locales/en_US.ISO-8859-1" ]; then
    rm -rf "$locales.new"
    mkdir -p "$locales.new"
    localedef -i ru_RU -f CP1251 "$locales.new/ru_RU.CP1251"
    localedef -i en_US -f ISO-8859-1 "$locales.new/en_US.ISO-8859-1"
    rm -rf "$locales"
    mv "$locales.new" "$locales"
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$locales" "$@"
fi
source "$(dirname "$0")/../../scripts/wine-env.sh"
unset LC_ALL
export LOCPATH="$locales" LC_CTYPE=ru_RU.CP1251 LC_MESSAGES=en_US.ISO-8859-1
export WIZARD_TEST_ENGLISH_USER_LOCALE=1
exec "$WINE" "$@"
