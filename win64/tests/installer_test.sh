#!/usr/bin/env bash
# installer_test.sh INSTALLER ZIP VERSION PREFIX CONES_TOOLS: the installer as a player runs it,
# silently (/S), in a fresh Wine prefix made at PREFIX (and removed after): the zip's files under
# the 64-bit Program Files with the uninstaller, a Start menu entry for each game that starts it
# in its own folder with its icon, and the entry in Windows' list of installed programs. The
# installed Quandrel is then played from its shortcut's folder (tests/cones/player_test.sh, with
# the native screen reader in CONES_TOOLS), and the uninstaller, run silently, leaves the prefix
# as it was: files, Start menu and registry.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
installer=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
version=$3
tools=$5
source "$here/wine_env.sh" "$4"
source "$here/shortcut.sh"
work=$(mktemp -d)
artefacts=${WINDOW_TEST_ARTEFACTS:-$work/artefacts}
rm -rf "$artefacts"
finish() {
    local status=$?
    stop_wine
    rm -rf "$WINEPREFIX" "$work"
    exit $status
}
trap finish EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "listings kept in $artefacts" >&2
    exit 1
}
keep() { mkdir -p "$artefacts" && cp "$@" "$artefacts/"; }

bash "$here/wine_prefix.sh" "$WINEPREFIX" >/dev/null
drive=$WINEPREFIX/drive_c
home='C:\Program Files\Quandrel and Drapple'
installed="$drive/Program Files/Quandrel and Drapple"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quandrel and Drapple"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandrel and Drapple'
vendor_key='HKLM\Software\Quandrel and Drapple developers'

# Every file and folder of the prefix's drive, but the folders inside the users' Temp: NSIS's
# uninstaller runs from a copy of itself there, which Windows deletes at the next restart, all but
# its empty folder.
snapshot() {
    (cd "$drive" && find "Program Files" ProgramData users ! \( -type d -path '*/Temp/*' \) | sort)
}
snapshot >"$work/before"

wine "$installer" /S
wineserver --wait
# A 32-bit installer fails under 64-bit Wine while wine still returns 0: the files tell.
[ -f "$installed/Uninstall.exe" ] || fail "nothing installed in $home"

# The files: the zip's, the same bytes, and the uninstaller.
unzip -q "$zip" -d "$work/zip"
(cd "$work/zip" && find . -type f | sort) >"$work/zip-files"
(cd "$installed" && find . -type f ! -path ./Uninstall.exe | sort) >"$work/installed-files"
diff -u "$work/zip-files" "$work/installed-files" >&2 || fail "the installed files are not the zip's"
while read -r file; do
    cmp -s "$work/zip/$file" "$installed/$file" || fail "installed $file differs from the zip's"
done <"$work/zip-files"
echo "installed: the zip's $(wc -l <"$work/zip-files") files and Uninstall.exe in $home"

# The Start menu: each game's entry starts its program in its own folder, with its icon.
[ "$(ls "$menu" | tr '\n' ' ')" = "Drapple.lnk Quandrel.lnk Uninstall.lnk " ] ||
    fail "the Start menu holds: $(ls "$menu")"
for game in Quandrel Drapple; do
    for field in target:"$home\\$game\\$game.exe" folder:"$home\\$game" icon:"$home\\$game\\$game.exe"; do
        got=$(shortcut_field "$menu/$game.lnk" "${field%%:*}")
        [ "$got" = "${field#*:}" ] || fail "$game's shortcut: ${field%%:*} $got, not ${field#*:}"
    done
done
[ "$(shortcut_field "$menu/Uninstall.lnk" target)" = "$home\\Uninstall.exe" ] ||
    fail "the Start menu's Uninstall does not start the uninstaller"
echo "the Start menu: Quandrel, Drapple (each in its folder, with its icon) and Uninstall"

# Windows' list of installed programs.
wine reg query "$uninstall_key" | tr -d '\r' >"$work/uninstall-entry"
keep "$work/uninstall-entry"
entry() { sed -n "s/^    $1    REG_[A-Z]*    //p" "$work/uninstall-entry"; }
for field in "DisplayName:Quandrel and Drapple" "DisplayVersion:$version" \
    "Publisher:Quandrel and Drapple developers" "DisplayIcon:$home\\Quandrel\\Quandrel.exe" \
    "UninstallString:\"$home\\Uninstall.exe\""; do
    [ "$(entry "${field%%:*}")" = "${field#*:}" ] ||
        fail "the uninstall entry's ${field%%:*} is $(entry "${field%%:*}"), not ${field#*:}"
done
size=$(($(entry EstimatedSize)))
actual=$(du -sk --apparent-size "$installed" | cut -f1)
[ "$size" -ge $((actual * 9 / 10)) ] && [ "$size" -le $((actual * 11 / 10)) ] ||
    fail "the uninstall entry says $size KB; $actual KB are installed"
echo "the uninstall entry: name, version $version, publisher, icon, $size KB, uninstaller"

# The installed Quandrel, started where its shortcut starts it, plays a round.
folder=$(winepath -u "$(shortcut_field "$menu/Quandrel.lnk" folder)")
program=$(shortcut_field "$menu/Quandrel.lnk" target)
program=${program##*\\}
stop_wine
GAME_LINE_END=crlf WINDOW_TEST_ARTEFACTS="$artefacts/quandrel" \
    bash "$here/../../tests/cones/player_test.sh" "$folder" "$tools" "$program" wine ||
    fail "the installed Quandrel did not play from its shortcut's folder"
stop_wine

# The uninstaller, silently: nothing of the games is left, and after a restart nothing at all.
uninstaller=$(entry UninstallString | tr -d '"')
wine "$uninstaller" /S
wineserver --wait
wine wineboot --restart
wineserver --wait
snapshot >"$work/after"
keep "$work/before" "$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "the uninstall left the prefix changed"
for key in "$uninstall_key" "$vendor_key"; do
    ! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall left $key"
done
echo "uninstalled silently: the prefix's files, Start menu and registry as before the install"
