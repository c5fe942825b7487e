#!/usr/bin/env bash
# Every command answers --help and --version in the locale's language and ends, without a
# display (a window would need one), and ends on an unknown option with one line and status 2.
# Usage: help-test.sh MARELTO MARELTO-QUESTIONS MARELTO-LAUNCHER VERSION
set -u
declare -A cmd=([marelto]=$1 [marelto-questions]=$2 [marelto-launcher]=$3)
version=$4
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
failed=0

# program | environment | arguments | status | stream with the text | a line it must hold
cases="
marelto|LANG=C|--help|0|out|^Usage: marelto
marelto|LANG=ja_JP.UTF-8|-h|0|out|^使い方: marelto
marelto|LC_ALL=C LANG=ja_JP.UTF-8|--help|0|out|^Usage: marelto
marelto|LC_MESSAGES=ja_JP.UTF-8 LANG=C|--help|0|out|^使い方: marelto
marelto|LANG=C|--version|0|out|^marelto $version\$
marelto|LANG=C|-platform offscreen -style=fusion --version|0|out|^marelto $version\$
marelto|LANG=C|--bogus|2|err|^marelto: unknown option: --bogus (see marelto --help)\$
marelto|LANG=ja_JP.UTF-8|stray|2|err|^marelto: 知らないオプションです: stray
marelto-questions|LANG=C|--help|0|out|^Usage:
marelto-questions|LANG=ja_JP.UTF-8|--help|0|out|^使い方:
marelto-questions|LANG=C|--version|0|out|^marelto-questions $version\$
marelto-questions|LANG=C|--bogus|2|err|^marelto-questions: unknown option: --bogus
marelto-questions|LANG=ja_JP.UTF-8|check --bogus x.txt|2|err|^marelto-questions: 知らないオプションです: --bogus
marelto-questions|LANG=C|print --map 世界 -o $home/world.pdf|0|out|world.pdf\$
marelto-questions|LANG=C|print --map 南極 -o $home/x.pdf|2|err|^marelto-questions: 州の名前ではありません: 南極
marelto-launcher|LANG=C|--help|0|out|^Usage: marelto-launcher
marelto-launcher|LANG=ja_JP.UTF-8|-h|0|out|^使い方: marelto-launcher
marelto-launcher|LANG=C|--version|0|out|^marelto-launcher $version\$
marelto-launcher|LANG=C|--bogus|2|err|^marelto: unknown option: --bogus
"
while IFS='|' read -r program environment args status stream pattern; do
    [ -n "$program" ] || continue
    what="$program $args ($environment)"
    # No display: a program that made a window would fail here instead of answering.
    # shellcheck disable=SC2086
    env -i PATH="$PATH" HOME="$home" QT_QPA_PLATFORM=xcb $environment \
        "${cmd[$program]}" $args >"$home/out" 2>"$home/err"
    got=$?
    quiet=err
    [ "$stream" = out ] || quiet=out
    if [ "$got" -ne "$status" ]; then
        echo "FAIL: $what: status $got, not $status"; cat "$home/err"; failed=1
    elif ! grep -q -- "$pattern" "$home/$stream"; then
        echo "FAIL: $what: no line like '$pattern' in:"; cat "$home/$stream"; failed=1
    elif [ -s "$home/$quiet" ]; then
        echo "FAIL: $what: something on std$quiet:"; cat "$home/$quiet"; failed=1
    elif [ "$status" -eq 2 ] && [ "$(wc -l <"$home/err")" -ne 1 ]; then
        echo "FAIL: $what: the error is not one line:"; cat "$home/err"; failed=1
    fi
done <<<"$cases"
# The launcher placed nothing for options it only answered or refused.
[ ! -e "$home/.local/share/marelto" ] || { echo "FAIL: the launcher made its play folder"; failed=1; }
[ "$failed" -eq 0 ] && echo "PASS: --help, --version and unknown options"
exit "$failed"
