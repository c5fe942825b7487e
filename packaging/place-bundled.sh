#!/bin/sh
# Puts the bundled data files into a play folder without ever losing a user's change.
# Usage: place-bundled.sh BUNDLE-DIR PLAY-DIR VERSION NAME...
#
# A missing file is copied. A copy that differs from the bundled file is replaced only while it
# is still exactly what was placed there last time (its checksum is kept in PLAY-DIR/.bundled,
# one "NAME CHECKSUM" line per file); otherwise the bundled file arrives beside it as
# NAME-VERSION.EXT under the same rule, but only when the bundle itself changed since then (a
# user's edit alone brings no copy beside it). Parameter.INI, which the program itself
# rewrites, is only ever placed where none exists.
set -u
bundle=$1
play=$2
version=$3
shift 3
stamp="$play/.bundled"
mkdir -p "$play" || exit 1

checksum() { sha256sum < "$1" | cut -d' ' -f1; }

# The checksum recorded for name $1 (names may hold blanks: the checksum is the last field).
recorded() {
    [ -f "$stamp" ] || return 0
    while IFS= read -r line; do
        [ "${line% *}" = "$1" ] && printf '%s\n' "${line##* }"
    done < "$stamp" | tail -n 1
}

record() {
    {
        if [ -f "$stamp" ]; then
            while IFS= read -r line; do
                [ "${line% *}" = "$1" ] || printf '%s\n' "$line"
            done < "$stamp"
        fi
        printf '%s %s\n' "$1" "$2"
    } > "$stamp.new" && mv "$stamp.new" "$stamp"
}

copy() { cp "$1" "$play/.placing" && mv "$play/.placing" "$2"; }

# Puts bundled file $1 (checksum $3) at name $2 unless the user changed what is there.
put() {
    dst="$play/$2"
    if [ -e "$dst" ]; then
        if cmp -s "$1" "$dst"; then
            record "$2" "$3"
            return 0
        fi
        [ "$(checksum "$dst")" = "$(recorded "$2")" ] || return 1
    fi
    copy "$1" "$dst" && record "$2" "$3"
}

for name in "$@"; do
    src="$bundle/$name"
    [ -f "$src" ] || { echo "place-bundled: no $src" >&2; continue; }
    if [ "$name" = Parameter.INI ]; then
        [ -e "$play/$name" ] || copy "$src" "$play/$name"
        continue
    fi
    case $name in
        *?.*) alt="${name%.*}-$version.${name##*.}" ;;
        *) alt="$name-$version" ;;
    esac
    sum=$(checksum "$src")
    put "$src" "$name" "$sum" && continue
    [ "$(recorded "$name")" = "$sum" ] && continue # the user's own edit of an unchanged bundle
    put "$src" "$alt" "$sum" ||
        echo "place-bundled: kept $play/$name and $play/$alt as they are" >&2
done
exit 0
