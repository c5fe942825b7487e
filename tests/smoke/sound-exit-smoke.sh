#!/usr/bin/env bash
# Answers one question with the sound effects on, in a real X server, then closes the window
# with its close box: the program must end cleanly (status 0), the audio torn down in order.
set -u
program=$1
questions=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

make_play_folder "$questions"
round_settings 30 1 1
start_x_session

start_in_play_folder "$program" "$play/out.log"
xdotool windowactivate --sync "$main" >/dev/null 2>&1
sleep 0.5
xdotool key --window "$main" Tab Tab Tab Tab Tab space # 開始
sleep 1
xdotool key --window "$main" 1 # an answer: its sound plays, the verdict shows and closes itself
sleep 4
if ! close_window "$main" "$APP_PID" 30; then
    echo "FAIL: the program did not end when its window was closed"
    report_windows "$main" "$APP_PID"
    exit 1
fi
wait "$APP_PID"
status=$?
APP_PID=
if [ "$status" -ne 0 ]; then
    echo "FAIL: the program ended with status $status after playing a sound"
    cat "$play/out.log"
    exit 1
fi
echo "PASS: the program ended cleanly after playing a sound"
