# Sourced: the Wine settings of the project's Windows-side runs, and the
# project's own Wine prefix under the build folder, created on first use.
# Only the 64-bit loader is used; the 32-bit one cannot run on these machines.

wine_env_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# One Wine server serves a prefix, bound to one X display: runs that may
# overlap (another Xvfb) name a prefix of their own in PROJECT_WINEPREFIX.
export WINEPREFIX="${PROJECT_WINEPREFIX:-$wine_env_repo/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# Gives Wine the ANSI code page 1251 without the locale being generated (the
# shell's own complaint about the missing locale is silenced). A run under
# another system code page names its locale in PROJECT_WINE_LOCALE (en_US.UTF-8
# gives 1252, hi_IN.UTF-8 UTF-8): Wine takes a program's code page from the
# locale it is started in, not from a Windows environment block.
{ export LC_ALL="${PROJECT_WINE_LOCALE:-ru_RU.UTF-8}"; } 2>/dev/null
export WINE=/usr/lib/wine/wine64
export WINELOADER="$WINE"

if [ ! -f "$WINEPREFIX/.project-ready" ]; then
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko prompts: the tests need neither.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot --init >/dev/null 2>&1
    # Xvfb has no window manager: unmanaged windows spare each hidden window
    # Wine's wait for one.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A run at another display scale than 100 % names its DPI in
    # PROJECT_WINE_DPI, and a prefix of its own: Wine takes the scale from
    # the prefix's LogPixels.
    if [ -n "${PROJECT_WINE_DPI:-}" ]; then
        "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$PROJECT_WINE_DPI" /f \
            >/dev/null 2>&1
    fi
    # The caption buttons are drawn with the Marlett font, which Wine does not
    # find in its own data folder here.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    wineserver -w
    touch "$WINEPREFIX/.project-ready"
fi

# Wine names files on the Linux side in the character set of the session's
# locale, and one that is not installed gives plain ASCII: a folder such as
# C:\Users\Иван\ could then not exist at all. build_wine_locales NAME...
# builds each locale (language_COUNTRY.CHARSET) once into wine_locales, for
# LOCPATH; it fails when one cannot be built. Windows' code page still comes
# from the locale's name alone.
wine_locales="$wine_env_repo/build/wine-locales"
build_wine_locales() {
    local name building status=0
    for name in "$@"; do
        [ -d "$wine_locales/$name" ] && continue
        mkdir -p "$wine_locales"
        building="$wine_locales/$name.new.$$"
        if localedef -i "${name%%.*}" -f "${name#*.}" "$building" >/dev/null 2>&1; then
            # Another run may have built it meanwhile; then its copy stays.
            mv -T "$building" "$wine_locales/$name" 2>/dev/null || true
        else
            status=1
        fi
        rm -rf "$building"
    done
    return "$status"
}
unset wine_env_repo
