#!/usr/bin/env bash
# Sourced by the real-window tests: starts Xvfb and openbox on a free display, stops them on exit.
start_x_session() {
    local n
    unset QT_QPA_PLATFORM # a real window, whatever the caller's environment says
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    export DISPLAY=:$n
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    openbox >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 1 50); do
        wmctrl -m >/dev/null 2>&1 && break
        sleep 0.1
    done
    trap stop_x_session EXIT
}

stop_x_session() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}

# Waits up to $2 seconds for a window whose name matches $1; prints its id.
wait_for_window() {
    local id
    for _ in $(seq 1 $(( $2 * 10 ))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
