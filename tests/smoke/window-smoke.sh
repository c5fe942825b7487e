#!/usr/bin/env bash
# Starts the built program in a real X server, checks its window and caption, saves a
# screenshot, and closes it through the window manager as a user would.
set -u
program=$1
shots=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

mkdir -p "$shots"
play=$(mktemp -d)
trap 'stop_x_session; rm -rf "$play"' EXIT
start_x_session
trap 'stop_x_session; rm -rf "$play"' EXIT

caption='Marelto Ver1.0～首都・地域・公用語まで'
(cd "$play" && exec "$program") &
APP_PID=$!

if ! id=$(wait_for_window 'Marelto' 30); then
    echo "FAIL: no window appeared"
    exit 1
fi
name=$(xdotool getwindowname "$id")
if [ "$name" != "$caption" ]; then
    echo "FAIL: window name is '$name', expected '$caption'"
    exit 1
fi
sleep 0.5
import -window root "$shots/main-window.png"
echo "screenshot: $shots/main-window.png"

wmctrl -i -c "$id"
# A process that has ended stays a zombie until waited for, so look at its state.
running() { case "$(ps -o stat= -p "$APP_PID" 2>/dev/null)" in ""|Z*) return 1 ;; esac; }
for _ in $(seq 1 300); do
    running || break
    sleep 0.1
done
if running; then
    echo "FAIL: the program did not end when its window was closed"
    exit 1
fi
wait "$APP_PID"
rc=$?
APP_PID=
[ "$rc" -eq 0 ] || { echo "FAIL: exit status $rc"; exit 1; }
echo "PASS: window '$name' shown and closed"
