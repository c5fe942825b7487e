#!/usr/bin/env bash
# The real program in a real X server, started against things in its folder that are no usable
# file: a FIFO, socket, device link or folder in a file's place, a 2 GB sparse question file, a
# question file cut short, removed or replaced during a round, a read-only folder. What the
# window shows is read through the accessibility tree, as a screen reader reads it (screen.py).
# Every step is bounded by a timeout. One line per case, then
#   N cases, N held, 0 hung, 0 crashed, 0 blank questions
# and a non-zero status unless every case held.
# Usage: odd-files.sh PROGRAM QUESTIONS
set -u
program=$(realpath "$1")
questions=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)

# A session bus of its own, for the accessibility bus the program and screen.py meet on.
# Its daemons write to a file, not to whoever reads this script: some outlive the script a moment.
if [ -z "${ODD_FILES_SESSION:-}" ]; then
    export ODD_FILES_SESSION=1
    log=$(mktemp)
    dbus-run-session -- "$0" "$@" >"$log" 2>&1 </dev/null
    status=$?
    grep -v -e 'Failed to set fd limit' -e 'XDG_RUNTIME_DIR not set' "$log"
    rm -f "$log"
    exit "$status"
fi
. "$here/../smoke/xvfb-session.sh"

work=$(mktemp -d)
# Process $1 and everything it started, by their ids.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do descendants "$child"; done
    echo "$1"
}
cleanup() {
    # The accessibility bus and what it started first: stop_x_session waits for children.
    [ -n "${BUS_PID:-}" ] && kill $(descendants "$BUS_PID") 2>/dev/null
    stop_x_session
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
start_x_session
trap cleanup EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_PID=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

screen() { timeout 15 /usr/bin/python3 "$here/screen.py" "$@" 2>/dev/null; }

cases=0 held=0 hung=0 crashed=0 blanks=0
fail= blank= state=

# Reads the window; notes a blank question: a running round with no other window over it
# whose question or an answer is blank, or a verdict naming button 0. A blank question stays on
# screen: one seen is looked at again, so a read that crossed the window's update is not one.
look() {
    read_screen || return 1
    local suspect
    suspect=$(blank_in_state)
    if [ -n "$suspect" ]; then
        sleep 0.5
        read_screen || return 1
        [ -n "$(blank_in_state)" ] && blank=$suspect
    fi
    return 0
}

blank_in_state() {
    local key value
    if grep -q '^running=1' <<<"$state" && ! grep -q '^window=' <<<"$state"; then
        for key in question answer1 answer2 answer3 answer4; do
            value=$(sed -n "s/^$key=//p" <<<"$state" | tr -d ' \t　')
            [ -z "$value" ] && { echo "$key blank"; return; }
        done
    fi
    grep -q '正解は0番' <<<"$state" && echo "a verdict names button 0"
}

read_screen() {
    local rc
    state=$(screen read)
    rc=$?
    if [ $rc -ne 0 ] && [ $rc -ne 124 ]; then # a window closing under the reader: once more
        sleep 0.3
        state=$(screen read)
        rc=$?
    fi
    [ -n "${ODD_FILES_TRACE:-}" ] && printf '%s rc=%s\n%s\n' "$SECONDS" "$rc" "$state" >>"$ODD_FILES_TRACE"
    if [ $rc -ne 0 ]; then
        if running "$APP_PID"; then fail="hung (the window does not answer)"; else fail="crashed"; fi
        return 1
    fi
    return 0
}

# Looks until the window shows a line matching $1, for up to $2 seconds.
wait_for() {
    local end=$((SECONDS + $2))
    while ((SECONDS < end)); do
        look || return 1
        grep -q -- "$1" <<<"$state" && return 0
        sleep 0.3
    done
    fail="${fail:-never showed: $1}"
    return 1
}

# Presses or chooses through the tree without waiting: an action that opens a modal window
# answers only once it closes. What it did shows in the next wait_for.
act() { (screen "$@" >/dev/null &); }

# A folder to play in: the question file and settings for a long round in file order.
new_play() {
    play=$work/$1
    mkdir "$play"
    cp "$questions" "$play/sample0524.txt"
    printf '[TIME_LIMIT]\r\n1=30\r\n[LIFE]\r\n1=3\r\n[QUESTION_CNT]\r\n1=10\r\n[SEQ]\r\n1=0\r\n[SOUND]\r\nSW=0\r\n' \
        >"$play/Parameter.INI"
}

# Starts the program in $play (through the command in $@ if any) and waits for its window.
launch() {
    (cd "$play" && exec "$@" "$program") >"$work/$case.log" 2>&1 &
    APP_PID=$!
    local end=$((SECONDS + 30)) id=
    while running "$APP_PID" && ((SECONDS < end)); do
        id=$(xdotool search --onlyvisible --name '^Marelto' 2>/dev/null | head -n 1)
        [ -n "$id" ] && managed "$id" && break
        id=
        sleep 0.2
    done
    if [ -z "$id" ]; then
        if running "$APP_PID"; then fail="hung (no window)"; else fail="crashed before its window"; fi
        return 1
    fi
    wait_for '^running=0' 20
}

start_round() { act press 開始 && wait_for '^running=1' 10 && look; }

# The menu from the keyboard: a menu item chosen through the tree would hold the tree's answer
# until the modal window it opens closes.
menu_keys() {
    local id
    id=$(xdotool search --onlyvisible --name '^Marelto' 2>/dev/null | head -n 1)
    xdotool windowactivate --sync "$id" key --clearmodifiers "alt+$1" sleep 0.5 key "$2" >/dev/null 2>&1
}
open_results() { menu_keys f g; }

make_socket() { /usr/bin/python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$1"; }

# A question file that is no file: refused at Start with the file-error message naming it.
refused_at_start() {
    launch && act press 開始 || return
    wait_for 'window=.*ファイルオープンエラー.*sample0524.txt' 10 || return
    act close-box && wait_for '^running=0' 10 || return
    [ "$(stat -c %F "$play/sample0524.txt")" = "$1" ] || fail="the file was replaced"
}

# A question file changed by $1 during a round: the next question stops the round by name.
changed_in_round() {
    launch && start_round || return
    (cd "$play" && eval "$1")
    act press 1 || return
    wait_for 'window=.*ファイルオープンエラー.*sample0524.txt.*出題中' 15 || return
    act close-box && wait_for '^running=0' 10 || return
    grep -q '^question=.*[^ ]' <<<"$state" || fail="the question was emptied"
}

# The results window says the history cannot be written.
results_say_unwritable() {
    act press 停止 && wait_for 'window=.*終了' 10 && act close-box && wait_for '^running=0' 10 &&
        open_results && wait_for 'window=成績.*書き込めませんでした' 10
}

case_fifo_settings() {
    rm "$play/Parameter.INI"
    mkfifo "$play/Parameter.INI"
    launch || return
    menu_keys c k # 効果音: its write must fail quietly
    sleep 1
    start_round || return
    [ -p "$play/Parameter.INI" ] || fail="Parameter.INI was replaced"
}
case_fifo_history() {
    mkfifo "$play/marelto-history.tsv"
    launch && start_round && act press 1 && sleep 3 && look && results_say_unwritable || return
    [ -p "$play/marelto-history.tsv" ] || fail="the history was replaced"
}
case_fifo_question() { rm "$play/sample0524.txt"; mkfifo "$play/sample0524.txt"; refused_at_start fifo; }
case_socket_question() { rm "$play/sample0524.txt"; make_socket "$play/sample0524.txt"; refused_at_start socket; }
case_device_link() { rm "$play/sample0524.txt"; ln -s /dev/zero "$play/sample0524.txt"; refused_at_start 'symbolic link'; }
case_folder_question() { rm "$play/sample0524.txt"; mkdir "$play/sample0524.txt"; refused_at_start directory; }
case_sparse_2gb() {
    truncate -s $((5113056 * 420)) "$play/sample0524.txt" # 2 GB, the bundled records first
    launch && start_round && act press 1 && sleep 3 && look || return
    grep -q '^window=' <<<"$state" && fail="a message came up: $(grep '^window=' <<<"$state")"
    grep -q '^running=1' <<<"$state" || fail="the round did not go on"
}
case_cut_during_round() {
    changed_in_round 'truncate -s 420 sample0524.txt'
    [ -z "$fail" ] && [ "$(stat -c %s "$play/sample0524.txt")" != 420 ] && fail="the file was written"
}
case_removed_during_round() { changed_in_round 'rm sample0524.txt'; }
case_replaced_during_round() { changed_in_round 'cp sample0524.txt new.tmp && mv new.tmp sample0524.txt'; }
case_read_only_folder() {
    local before
    before=$(ls -A "$play" | sort)
    if [ "$(id -u)" = 0 ]; then
        # Root writes through permissions: the folder is mounted read-only instead, its question
        # file writable as a file in a read-only folder is for anyone else.
        cp "$play/sample0524.txt" "$work/writable.txt"
        launch unshare -m sh -c 'mount --bind "$PWD" "$PWD" && mount -o remount,ro,bind "$PWD" &&
            mount --bind "$0" sample0524.txt && exec "$1"' "$work/writable.txt" || return
    else
        chmod a-w "$play"
        launch || return
    fi
    start_round && act press 1 && sleep 3 && look || return
    grep -q '^running=1' <<<"$state" || { fail="the round did not go on"; return; }
    results_say_unwritable || return
    [ "$(ls -A "$play" | sort)" = "$before" ] || fail="something was written in the folder"
}

all="fifo_settings fifo_history fifo_question socket_question device_link folder_question
    sparse_2gb cut_during_round removed_during_round replaced_during_round read_only_folder"
for case in ${ODD_FILES_CASES:-$all}; do
    fail= blank= state=
    new_play "$case"
    "case_$case"
    cases=$((cases + 1))
    if [ -n "$blank" ]; then
        blanks=$((blanks + 1))
        line="BLANK QUESTION ($blank)"
    elif [[ "$fail" == hung* ]]; then
        hung=$((hung + 1))
        line="HUNG: $fail"
    elif [[ "$fail" == crashed* ]] || ! running "$APP_PID"; then
        crashed=$((crashed + 1))
        line="CRASHED: ${fail:-the program ended}"
    elif [ -n "$fail" ]; then
        line="FAILED: $fail"
    else
        held=$((held + 1))
        line="held"
    fi
    [ "$line" = held ] || { echo "--- last screen"; echo "$state"; tail -5 "$work/$case.log"; }
    echo "${case//_/-}: $line"
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=
done
echo "$cases cases, $held held, $hung hung, $crashed crashed, $blanks blank questions"
[ "$held" = "$cases" ]
