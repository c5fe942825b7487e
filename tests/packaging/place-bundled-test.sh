#!/usr/bin/env bash
# The rule that fills a play folder (build and launcher): absent files arrive, untouched ones
# follow the bundle, changed ones stay and the new bundled file arrives beside them; the
# settings file is only placed where none exists. One name has blanks and Japanese characters.
set -u
place=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
bundle=$root/bundle play=$root/play
mkdir -p "$bundle"
bank='世界 の国旗.txt' alt='世界 の国旗-9.9.txt'
fail() { echo "FAIL: $step: $*"; exit 1; }

# A new release of every bundled file, then a start.
release() {
    for name in sample0524.txt "$bank" Parameter.INI; do printf '%s' "$1" > "$bundle/$name"; done
    sh "$place" "$bundle" "$play" 9.9 sample0524.txt "$bank" Parameter.INI 2>/dev/null ||
        fail "exit status"
}
# Each argument is NAME=CONTENT; an empty content means no such file.
expect() {
    local pair name want
    for pair in "$@"; do
        name=${pair%%=*} want=${pair#*=}
        if [ -z "$want" ]; then
            [ ! -e "$play/$name" ] || fail "$name should not exist"
        else
            [ "$(cat "$play/$name" 2>/dev/null)" = "$want" ] ||
                fail "$name holds '$(cat "$play/$name" 2>/dev/null)', not '$want'"
        fi
    done
}

step="first start"
release v1
expect sample0524.txt=v1 "$bank=v1" Parameter.INI=v1 sample0524-9.9.txt= "$alt="

step="untouched files follow the bundle, the settings never"
release v2
expect sample0524.txt=v2 "$bank=v2" Parameter.INI=v1 sample0524-9.9.txt= "$alt="

step="a changed file with the same bundle gets nothing beside it"
printf mine > "$play/$bank"
printf mine > "$play/Parameter.INI"
release v2
expect "$bank=mine" "$alt=" Parameter.INI=mine

step="changed files stay, a new bundle arrives beside them"
release v3
expect sample0524.txt=v3 "$bank=mine" "$alt=v3" Parameter.INI=mine

step="the file beside follows while untouched"
release v4
expect "$bank=mine" "$alt=v4"
printf 'mine too' > "$play/$alt"
release v5
expect "$bank=mine" "$alt=mine too" sample0524.txt=v5

step="a removed settings file is placed again"
rm "$play/Parameter.INI"
release v6
expect Parameter.INI=v6
echo "PASS: bundled files placed"
