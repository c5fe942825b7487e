#!/usr/bin/env bash
# The 地図 window following a real round in a real X server: with the switch on it reopens beside
# the main window without covering it, shows nothing while a question is open, the asked country
# once it is answered (screenshot), and closing it turns the switch off.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-session.sh"

start_round_test "$@" 30 0 0 $'[MAP]\r\nSW=1\r\n'

start_in_play_folder "$program"
if ! map=$(wait_for_window '^地図$' 30); then
    echo "FAIL: the 地図 window did not reopen with the switch on"
    report_windows "$main" "$APP_PID"
    exit 1
fi

# Frames as the window manager placed them: left, top, right, bottom.
frame() {
    local x y w h
    eval "$(xdotool getwindowgeometry --shell "$1")"
    x=$X y=$Y w=$WIDTH h=$HEIGHT
    echo "$x $y $((x + w)) $((y + h))"
}
read -r ml mt mr mb < <(frame "$main")
read -r pl pt pr pb < <(frame "$map")
if (( pl < mr && ml < pr && pt < mb && mt < pb )); then
    echo "FAIL: the map ($pl,$pt)-($pr,$pb) covers the main window ($ml,$mt)-($mr,$mb)"
    exit 1
fi

# Share of the map window's pixels in the highlight's colour.
highlighted() {
    import -window "$map" "$1"
    convert "$1" -alpha off -fill black +opaque '#d41e24' -fill white -opaque '#d41e24' \
        -format '%[fx:mean]' info:
}

xdotool windowactivate --sync "$main" >/dev/null 2>&1
sleep 0.5
# Focus starts on the question; four answer texts later comes 開始 (disabled buttons are skipped).
xdotool key --window "$main" Tab Tab Tab Tab Tab space
sleep 1.5
during=$(highlighted "$play/during.png")
xdotool key --window "$main" 1
sleep 0.8
import -window root "$shots/map-after-answer.png"
after=$(highlighted "$play/after.png")
echo "screenshot: $shots/map-after-answer.png"
if [ "$during" != 0 ]; then
    echo "FAIL: the map showed a country while the question was open ($during)"
    exit 1
fi
if [ "$after" = 0 ]; then
    echo "FAIL: the map showed no country after the answer"
    report_windows "$map" "$APP_PID"
    exit 1
fi

# The [MAP] section's switch, as stored.
map_switch_off() {
    awk '/^\[MAP\]/ { inside = 1; next } /^\[/ { inside = 0 } inside && /^SW=0\r?$/ { found = 1 }
         END { exit !found }' "$play/Parameter.INI"
}
# The verdict's popup blocks every other window of the program while it shows.
judge_gone() { ! xdotool search --onlyvisible --name '^正誤判定$' >/dev/null 2>&1; }
wait_until 15 judge_gone || { echo "FAIL: the verdict stayed open"; exit 1; }
wmctrl -i -c "$map"
if ! wait_until 10 map_switch_off; then
    echo "FAIL: closing the 地図 window did not turn the switch off"
    cat -A "$play/Parameter.INI"
    exit 1
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=
echo "PASS: map beside the main window, blank during the question, highlighted after the answer"
