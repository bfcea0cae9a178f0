# shortcut.sh: sourced by the installer's test: reads a Windows shortcut (.lnk, the Shell Link
# format), which no Debian tool reads.
#
# shortcut_field FILE target|folder|icon: the program the shortcut starts (the local path of its
# link information), its working folder, or where its icon comes from.
shortcut_field() {
    local -a byte
    mapfile -t byte < <(od -An -v -tu1 -w1 "$1" | tr -d ' ')
    le() { # le AT SIZE: the little-endian number of SIZE bytes at AT
        local value=0 k
        for ((k = $2 - 1; k >= 0; k--)); do value=$((value * 256 + byte[$1 + k])); done
        echo "$value"
    }
    local flags at info_at ansi="" text k c count
    flags=$(le 20 4)
    at=76 # past the header
    ((flags & 0x01)) && at=$((at + 2 + $(le $at 2))) # the item list
    if ((flags & 0x02)); then
        info_at=$at
        for ((k = info_at + $(le $((info_at + 16)) 4); byte[k] != 0; k++)); do
            ansi+=$(printf "\\x$(printf %02x "${byte[k]}")")
        done
        at=$((at + $(le $at 4)))
    fi
    [ "$2" = target ] && { echo "$ansi"; return; }
    # The strings that follow, each its length in characters then UTF-16 (Unicode links only; the
    # paths here are ASCII): name, relative path, working folder, arguments, icon, each there if
    # its flag is set.
    local -a fields=(name relative folder arguments icon)
    for k in "${!fields[@]}"; do
        ((flags & (0x04 << k))) || continue
        count=$(le $at 2)
        text=""
        for ((c = 0; c < count; c++)); do
            ((byte[at + 2 + 2 * c] == 0)) || text+=$(printf "\\x$(printf %02x "${byte[at + 2 + 2 * c]}")")
        done
        [ "${fields[k]}" = "$2" ] && { echo "$text"; return; }
        at=$((at + 2 + 2 * count))
    done
}
