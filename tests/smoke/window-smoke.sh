#!/usr/bin/env bash
# Starts the built program in a real X server, checks its window and caption, saves a
# screenshot, and closes it through the window manager as a user would.
set -u
program=$1
shots=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

mkdir -p "$shots"
make_play_folder
start_x_session

caption='Marelto Ver1.0～首都・地域・公用語まで'
start_in_play_folder "$program"
name=$(xdotool getwindowname "$main")
if [ "$name" != "$caption" ]; then
    echo "FAIL: window name is '$name', expected '$caption'"
    exit 1
fi
sleep 0.5
import -window root "$shots/main-window.png"
echo "screenshot: $shots/main-window.png"

if ! close_window "$main" "$APP_PID" 30; then
    echo "FAIL: the program did not end when its window was closed"
    report_windows "$main" "$APP_PID"
    exit 1
fi
wait "$APP_PID"
rc=$?
APP_PID=
[ "$rc" -eq 0 ] || { echo "FAIL: exit status $rc"; exit 1; }
echo "PASS: window '$name' shown and closed"
