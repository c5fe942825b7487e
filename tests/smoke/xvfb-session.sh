#!/usr/bin/env bash
# Sourced by the real-window tests: starts Xvfb and openbox on a free display, stops them on exit.
# A window is used only once the window manager manages it: a close request sent to a window it
# has not taken over yet is lost.
start_x_session() {
    local n displayfile
    unset QT_QPA_PLATFORM # a real window, whatever the caller's environment says
    # The server picks its own free display and names it: two tests started together (ctest -j)
    # must never share one, or one test's close request reaches the other test's window.
    displayfile=$(mktemp)
    # -noreset: by default the server resets when its last client leaves (our xdpyinfo probe),
    # and a client connecting during that reset (openbox, the program) fails to open the display.
    Xvfb -displayfd 3 -noreset -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    # A cold first start (fresh caches, busy machine) can take many seconds.
    wait_until 60 test -s "$displayfile" || { echo "FAIL: the X server did not start"; exit 1; }
    n=$(head -n 1 "$displayfile")
    rm -f "$displayfile"
    export DISPLAY=:$n QT_QPA_PLATFORM=xcb
    wait_until 60 xdpyinfo || { echo "FAIL: the X server did not start"; exit 1; }
    WM_LOG=$(mktemp)
    openbox >"$WM_LOG" 2>&1 &
    WM_PID=$!
    if ! wait_until 60 wmctrl -m; then
        echo "FAIL: the window manager did not start"
        running "$WM_PID" && echo "(openbox runs)" || echo "(openbox ended)"
        cat "$WM_LOG"
        exit 1
    fi
    trap stop_x_session EXIT
}

stop_x_session() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "${MADE_PLAY_FOLDER:-}" ] && rm -rf "$MADE_PLAY_FOLDER"
    return 0
}

# A fresh play folder in $play, removed with the session, with question file $1 (if given) as
# its sample0524.txt; set up before start_x_session.
make_play_folder() {
    play=$(mktemp -d)
    MADE_PLAY_FOLDER=$play
    trap 'rm -rf "$MADE_PLAY_FOLDER"' EXIT
    [ -z "${1:-}" ] || cp "$1" "$play/sample0524.txt"
}

# Parameter.INI of the play folder for a round: $1 seconds a question, 3 misses, 10 questions,
# in file order ($2 = 0) or drawn ($2 = 1), sound effects off (0) or on (1) as $3; then the
# entries in $4, if any.
round_settings() {
    printf '[TIME_LIMIT]\r\n1=%s\r\n[LIFE]\r\n1=3\r\n[QUESTION_CNT]\r\n1=10\r\n[SEQ]\r\n1=%s\r\n[SOUND]\r\nSW=%s\r\n%s' \
        "$1" "$2" "$3" "${4:-}" >"$play/Parameter.INI"
}

# The start of a round's test, from its arguments PROGRAM QUESTIONS SHOTS and round_settings's:
# $program, the screenshot folder $shots, a play folder holding the question file and those
# settings, and the X session.
start_round_test() {
    program=$1
    shots=$3
    mkdir -p "$shots"
    make_play_folder "$2"
    shift 3
    round_settings "$@"
    start_x_session
}

# Starts program $1 in the play folder, its output to file $2 if given, and waits for its main
# window: its id in $main, the process in APP_PID. Without one the test fails here.
start_in_play_folder() {
    if [ -n "${2:-}" ]; then
        (cd "$play" && exec "$1") >"$2" 2>&1 &
    else
        (cd "$play" && exec "$1") &
    fi
    APP_PID=$!
    if ! main=$(wait_for_window 'Marelto' 30); then
        echo "FAIL: no main window appeared"
        report_windows "$(xdotool search --name 'Marelto' 2>/dev/null | head -n 1)" "$APP_PID"
        exit 1
    fi
}

# Runs a command every tenth of a second until it succeeds, for up to $1 seconds.
wait_until() {
    local tries=$(( $1 * 10 ))
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

managed() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'window state: Normal'; }

# Waits up to $2 seconds for a window whose name matches $1 and that the window manager
# manages; prints its id.
wait_for_window() {
    local id
    for _ in $(seq 1 $(( $2 * 10 ))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && managed "$id" && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Whether process $1 still runs; one that has ended stays a zombie until waited for.
running() { case "$(ps -o stat= -p "$1" 2>/dev/null)" in ""|Z*) return 1 ;; esac; }

# Asks the window manager to close window $1 as its close box does, and waits up to $3 seconds
# for process $2 to end, asking again every five seconds.
close_window() {
    local tenths
    for tenths in $(seq 0 $(( $3 * 10 ))); do
        running "$2" || return 0
        (( tenths % 50 == 0 )) && wmctrl -i -c "$1"
        sleep 0.1
    done
    ! running "$2"
}

# What a failed test saw: the windows, the state of window $1 and the stacks of process $2.
report_windows() {
    echo "--- windows"
    wmctrl -l 2>&1
    xwininfo -root -tree 2>&1 | grep -v '^ *$'
    if [ -n "${1:-}" ]; then
        echo "--- window $1"
        xprop -id "$1" WM_STATE _NET_WM_STATE WM_PROTOCOLS 2>&1
    fi
    if [ -n "${2:-}" ] && running "$2"; then
        echo "--- threads of process $2"
        gdb -batch -p "$2" -ex 'thread apply all bt' 2>&1 | grep -E '^(Thread|#)'
    fi
}
