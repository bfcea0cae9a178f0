#!/usr/bin/env bash
# package_test.sh ZIP NATIVE_BUILD VERSION SDL_DEBIAN_VERSION: the portable zip as a player
# unpacks it: exactly the files of the layout, the pictures the native build drew, each program a
# 64-bit Windows GUI program that needs no DLL beyond Windows' own and the SDL.dll beside it, with
# its game's icon and version information (VERSION); the texts with Windows' line ends, naming
# SDL's source.
set -euo pipefail
zip=$1
native=$(cd "$2" && pwd)
version=$3
sdl_version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
objdump=x86_64-w64-mingw32-objdump

# The layout: each game's folder holds what it reads, at the paths it reads it.
layout="Drapple/Drapple.exe Drapple/SDL.dll Drapple/back1p.bmp Drapple/backtitle.bmp
Drapple/block.bmp Drapple/char.bmp Drapple/char/1/back.bmp Drapple/num.bmp Drapple/resault.bmp
LICENSE.txt Quandrel/Quandrel.exe Quandrel/SDL.dll Quandrel/gfx/cones.bmp Quandrel/gfx/gui.bmp
README.txt SDL-LICENSE.txt"
unzip -Z1 "$zip" | sort >"$work/listed"
tr ' ' '\n' <<<"$layout" | tr -s '\n' | sort >"$work/wanted"
diff -u "$work/wanted" "$work/listed" >&2 || fail "the zip's files are not the layout's"
unzip -q "$zip" -d "$work/unpacked"
cd "$work/unpacked"

# pictures_from FOLDER NATIVE_FOLDER: the game's pictures are the native build's.
pictures_from() {
    local folder=$1 native_folder=$2 picture
    for picture in $(cd "$folder" && find . -name '*.bmp'); do
        cmp -s "$folder/$picture" "$native/$native_folder/$picture" ||
            fail "$folder/$picture is not the native build's"
    done
}
pictures_from Quandrel cones
pictures_from Drapple blocks
cmp -s Quandrel/SDL.dll Drapple/SDL.dll || fail "the two SDL.dll differ"

# The DLLs of Windows itself that the programs and SDL may need; none of the compiler's.
windows_dlls="ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll WINMM.dll"
imports() { "$objdump" -p "$1" | sed -n 's/^\tDLL Name: //p' | sort -u; }
check_imports() {
    local file=$1 allowed=$2 dll
    for dll in $(imports "$file"); do
        [[ " $allowed " == *" $dll "* ]] || fail "$file needs $dll"
    done
}
check_imports Quandrel/SDL.dll "$windows_dlls"

# program FILE TITLE ICON: a 64-bit GUI program needing SDL.dll, with the icon and version.
program() {
    local file=$1 title=$2 icon=$3
    # (Read whole: a grep that stops early would fail the pipe.)
    "$objdump" -p "$file" >"$work/headers"
    grep -q 'file format pei-x86-64' "$work/headers" || fail "$file is not 64-bit"
    grep -q '^Subsystem.*(Windows GUI)' "$work/headers" || fail "$file is no GUI program"
    check_imports "$file" "SDL.dll $windows_dlls"
    imports "$file" | grep -qx SDL.dll || fail "$file does not use SDL.dll"

    wrestool -l "$file" >"$work/resources"
    grep -q -- '--type=14 .*group_icon' "$work/resources" || fail "$file has no icon"
    grep -q -- '--type=16 .*version' "$work/resources" || fail "$file has no version information"
    # The icon holds the same pictures as the one the art drew, at every size.
    wrestool -x --type=14 "$file" >"$work/$title.ico"
    mkdir "$work/$title-icon" "$work/$title-art"
    icotool -x -o "$work/$title-icon" "$work/$title.ico"
    icotool -x -o "$work/$title-art" "$native/windows-icons/$icon.ico"
    [ "$(ls "$work/$title-icon" | wc -l)" = 6 ] || fail "$file's icon has not the six sizes"
    for picture in "$work/$title-art"/*; do
        cmp -s "$picture" "$work/$title-icon/${title}_${picture##*/"${icon}"_}" ||
            fail "$file's icon differs from the art's at ${picture##*/}"
    done
    # The version's strings, key after value, as Windows' Properties show them.
    wrestool -x --raw --type=16 "$file" >"$work/$title.version-resource"
    strings -el "$work/$title.version-resource" >"$work/$title.version"
    value() { grep -A1 -x "$1" "$work/$title.version" | tail -n1; }
    [ "$(value ProductName)" = "$title" ] || fail "$file: product name $(value ProductName)"
    [ "$(value FileVersion)" = "$version" ] || fail "$file: file version $(value FileVersion)"
    [ "$(value OriginalFilename)" = "$title.exe" ] || fail "$file: file name $(value OriginalFilename)"
    [[ "$(value LegalCopyright)" == "Copyright (c) "*"MIT License." ]] ||
        fail "$file: copyright $(value LegalCopyright)"
    echo "$file: 64-bit GUI, needs $(imports "$file" | tr '\n' ' '); icon and version $title $version"
}
program Quandrel/Quandrel.exe Quandrel quandrel
program Drapple/Drapple.exe Drapple drapple

# Texts every Windows editor shows as lines; SDL's licence and where its source is.
for text in README.txt LICENSE.txt SDL-LICENSE.txt; do
    [ "$(grep -c $'\r$' "$text")" = "$(grep -c '' "$text")" ] || fail "$text has lines without CR LF"
done
grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' SDL-LICENSE.txt && grep -q 'Version 2.1' SDL-LICENSE.txt ||
    fail "SDL-LICENSE.txt is not the LGPL 2.1"
tr '\r\n' '  ' <README.txt | grep -qF "version  $sdl_version." ||
    fail "README.txt does not name SDL's source package $sdl_version"
grep -q 'MIT License' LICENSE.txt || fail "LICENSE.txt is not ours"
echo "the zip holds the layout, the native pictures, and the texts with CR LF"
