# wine_env.sh PREFIX: sourced by what runs the Windows programs under Wine: Wine set up for
# tests, in the prefix PREFIX, and stop_wine.
#
# Wine says nothing of its own (WINEDEBUG), puts nothing into the desktop's menus
# (winemenubuilder), and asks for no Mono or Gecko, which the games do not need. 64-bit only: the
# programs and the installer are 64-bit, and Debian's wine64 alone runs them.
export WINEPREFIX
WINEPREFIX=$(mkdir -p "$(dirname "$1")" && cd "$(dirname "$1")" && pwd)/$(basename "$1")
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"

# stop_wine: ends the prefix's wineserver and every program in it, and waits for them. A
# wineserver that is left running remembers the screen of the X server it served last.
stop_wine() {
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
}
