#!/usr/bin/env bash
# Plays the first seconds of a real round in a real X server: starts the program beside a
# question file, presses 開始 from the keyboard, and saves a screenshot of the running round.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

start_round_test "$@" 10 1 0

start_in_play_folder "$program"
xdotool windowactivate --sync "$main" >/dev/null 2>&1
sleep 0.5
# Focus starts on the question; four answer texts later comes 開始 (disabled buttons are skipped).
xdotool key --window "$main" Tab Tab Tab Tab Tab space
sleep 2
import -window root "$shots/round.png"
# A round is running when 開始 is greyed and no error box came up.
if xdotool search --onlyvisible --name '^marelto$' >/dev/null 2>&1; then
    echo "FAIL: a message box is open"
    report_windows "$main" "$APP_PID"
    exit 1
fi
echo "screenshot: $shots/round.png"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=
echo "PASS: round running"
