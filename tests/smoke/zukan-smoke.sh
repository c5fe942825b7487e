#!/usr/bin/env bash
# The 国旗図鑑 in a real X server, driven by keys as a user would: ファイル → 国旗図鑑 opens it,
# the code jpn finds 日本 and Enter shows its facts and the record of a history left in the
# folder, Space picks it, the search is emptied again; a screenshot of the window is saved; Esc
# closes it and the main window stays. QT_SCALE_FACTOR and XVFB_SCREEN pass through, for the
# window at 2x.
# Usage: zukan-smoke.sh <program> <data folder> <screenshot.png>
set -u
program=$1
data=$2
shot=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

mkdir -p "$(dirname "$shot")"
make_play_folder
cp "$data/sample0524.txt" "$data/Parameter.INI" "$play/"
{
    printf 'time\tfile\trecord\tfingerprint\tcode\tresult\tseconds\tround\tquestion\n'
    printf '2026-12-07T19:03:11+09:00\tsample0524.txt\t1\t00000000000000a1\tjpn\t正解\t2.0\t2026-12-07T19:00:00+09:00\tq\n'
    printf '2026-12-08T19:05:42+09:00\tsample0524.txt\t1\t00000000000000a1\tjpn\t誤り\t3.5\t2026-12-08T19:00:00+09:00\tq\n'
    printf '2026-12-08T19:06:02+09:00\tsample0524.txt\t2\t00000000000000a2\tjpn\t正解\t1.5\t2026-12-08T19:00:00+09:00\tq\n'
} > "$play/marelto-history.tsv"
start_x_session

start_in_play_folder "$program"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+f
sleep 0.5
xdotool key z
if ! zukan=$(wait_for_window '国旗図鑑' 30); then
    echo "FAIL: ファイル → 国旗図鑑 opened no window"
    report_windows "$main" "$APP_PID"
    exit 1
fi
xdotool windowactivate --sync "$zukan"
xdotool key --clearmodifiers alt+s
xdotool type --delay 50 jpn
xdotool key Return space alt+s ctrl+a BackSpace alt+l
sleep 1
import -window "$zukan" "$shot"
echo "screenshot: $shot"

xdotool key Escape
for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name '国旗図鑑' >/dev/null 2>&1 || break
    sleep 0.1
done
if xdotool search --onlyvisible --name '国旗図鑑' >/dev/null 2>&1; then
    echo "FAIL: Esc left the 図鑑 open"
    exit 1
fi
running "$APP_PID" || { echo "FAIL: the program ended with the 図鑑"; exit 1; }
close_window "$main" "$APP_PID" 30 || { echo "FAIL: the program did not end"; exit 1; }
wait "$APP_PID"
rc=$?
APP_PID=
[ "$rc" -eq 0 ] || { echo "FAIL: exit status $rc"; exit 1; }
echo "PASS: the 図鑑 opened from the menu, searched, chose and closed"
