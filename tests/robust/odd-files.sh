#!/usr/bin/env bash
# The real program in a real X server, started against things in its folder that are no usable
# file: a FIFO, socket, device link or folder in a file's place, a 2 GB sparse question file, a
# question file cut short, removed or replaced during a round, a read-only folder; and its
# writes: links out of the folder, ".." and absolute names, kills during every kind of save, two
# copies saving settings, a full disk, read-only files. What the window shows is read through the
# accessibility tree, as a screen reader reads it (screen.py). Every step is bounded by a
# timeout. One line per case, then
#   N cases, N held, 0 hung, 0 crashed, 0 blank questions, 0 written outside, 0 half-saved
# and a non-zero status unless every case held. Runs as root or as a user: a case that needs
# what this machine refuses (a mount in a chroot, say) is "SETUP FAILED", never a crash.
# Usage: odd-files.sh PROGRAM QUESTIONS [FULL-DISK-SHIM]   (ODD_FILES_CASES="a b" runs only those)
#        odd-files.sh --cases                            (lists the cases)
# FULL-DISK-SHIM: a preload library that makes writes fail as on a full disk, for a machine
# where the harness may not mount a small tmpfs.
set -u
all_cases="fifo_settings fifo_history fifo_question socket_question device_link folder_question
    sparse_2gb cut_during_round removed_during_round replaced_during_round read_only_folder
    link_question link_settings link_history dotdot_name absolute_name read_only_file two_copies
    kill_during_settings_saves kill_during_editor_saves kill_during_history_saves
    kill_during_sound_saves full_disk"
# The build asks for the cases, to run each as a test of its own, side by side.
if [ "${1:-}" = --cases ]; then
    echo $all_cases
    exit 0
fi
program=$(realpath "$1")
questions=$(realpath "$2")
full_disk_shim=${3:+$(realpath "$3")}
here=$(cd "$(dirname "$0")" && pwd)

# A session bus of its own, for the accessibility bus the program and screen.py meet on.
# Its daemons write to a file, not to whoever reads this script: some outlive the script a moment.
if [ -z "${ODD_FILES_SESSION:-}" ]; then
    export ODD_FILES_SESSION=1
    # A runtime folder of its own, where the accessibility bus puts its socket: two harnesses of
    # one user running at once would otherwise share, and break, one bus.
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    log=$(mktemp)
    dbus-run-session -- "$0" "$@" >"$log" 2>&1 </dev/null
    status=$?
    grep -v -e 'Failed to set fd limit' -e 'XDG_RUNTIME_DIR not set' "$log"
    rm -f "$log"
    rm -rf "$XDG_RUNTIME_DIR"
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
    # The accessibility buses and what they started first: stop_x_session waits for children.
    [ -n "${BUS_PID:-}" ] && kill $(descendants "$BUS_PID") 2>/dev/null
    [ -n "${unprivileged_pid:-}" ] && kill $(descendants "$unprivileged_pid") 2>/dev/null
    stop_x_session
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
start_x_session
trap cleanup EXIT
# Found through the session bus only: without DISPLAY the launcher does not also name its bus on
# the screen, where a program of another user would look first and be refused (see
# unprivileged_session).
env -u DISPLAY /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
BUS_PID=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

# $screen_bus: the accessibility bus of the case's program when it is not the harness's own.
screen() {
    env ${screen_bus:+"AT_SPI_BUS_ADDRESS=$screen_bus"} ${SCREEN_PID:+"SCREEN_PID=$SCREEN_PID"} \
        timeout 15 /usr/bin/python3 "$here/screen.py" "$@" 2>/dev/null
}

cases=0 held=0 hung=0 crashed=0 blanks=0 not_set_up=0 outside_count=0 half_count=0
fail= blank= state= setup= screen_bus= outside= half= outside_sums=

# What this machine allows, asked when a case needs it: a chroot or a container may refuse a
# mount namespace ("cannot change root filesystem propagation"), and no permission stops root.

# Whether a mount namespace of the harness's own lets it run shell command $1 on a scratch
# folder, named $0 there.
may_mount() {
    local dir rc
    dir=$(mktemp -d -p "$work")
    unshare -m sh -c "$1" "$dir" >/dev/null 2>&1
    rc=$?
    rm -rf "$dir"
    return $rc
}
# Folder $0 read-only over itself, for sh -c in a mount namespace of its own.
bind_read_only='mount --bind "$0" "$0" && mount -o remount,ro,bind "$0" "$0"'
may_mount_read_only() { may_mount "$bind_read_only"' && ! touch "$0/probe"'; }
may_mount_tmpfs() { may_mount 'mount -t tmpfs -o size=1m tmpfs "$0" && touch "$0/probe"'; }

# A user whom permissions stop, for root's runs, in a session of its own: a D-Bus session bus
# whose accessibility bus the program joins and screen.py, as root, may read. Started once; sets
# $setup and fails, for every case that asks, when this machine does not allow it.
unprivileged=nobody
unprivileged_pid= unprivileged_ids= unprivileged_a11y= unprivileged_refused=
unprivileged_program= as_unprivileged=()
unprivileged_session() {
    [ -z "$unprivileged_a11y$unprivileged_refused" ] && start_unprivileged_session
    [ -n "$unprivileged_a11y" ] && return 0
    setup=$unprivileged_refused
    return 1
}
start_unprivileged_session() {
    local home=$work/home-$unprivileged run err
    unprivileged_ids=$(id -u "$unprivileged" 2>/dev/null):$(id -g "$unprivileged" 2>/dev/null) ||
        { unprivileged_refused="no user $unprivileged to run the program as"; return; }
    mkdir -m 700 "$home" && chown "$unprivileged_ids" "$home" && chmod a+x "$work" ||
        { unprivileged_refused="cannot make a home for $unprivileged in $work"; return; }
    run=(setpriv --reuid="${unprivileged_ids%:*}" --regid="${unprivileged_ids#*:}" --clear-groups
        env HOME="$home" XDG_RUNTIME_DIR="$home")
    err=$("${run[@]}" true 2>&1) ||
        { unprivileged_refused="cannot become $unprivileged: $err"; return; }
    "${run[@]}" xdpyinfo >/dev/null 2>&1 ||
        { unprivileged_refused="$unprivileged may not open display $DISPLAY"; return; }
    unprivileged_program=$program
    if ! "${run[@]}" test -x "$program"; then
        # A folder on the program's path is closed to others: it runs from a copy. Its fonts,
        # sounds and guide beside it are then missing, which no case here looks at.
        unprivileged_program=$work/$(basename "$program")
        cp "$program" "$unprivileged_program" && chmod a+rx "$unprivileged_program"
    fi
    # Without DISPLAY, as the harness's own: each program and screen.py find their bus through
    # their session bus, not on the screen both share.
    "${run[@]}" env -u DISPLAY dbus-run-session -- sh -c '
        /usr/libexec/at-spi-bus-launcher --launch-immediately &
        until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.GetNameOwner string:org.a11y.Bus >/dev/null 2>&1; do
            kill -0 $! 2>/dev/null || exit 1
            sleep 0.1
        done
        echo "$DBUS_SESSION_BUS_ADDRESS" >"$0/session"
        dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >"$0/a11y.new" && mv "$0/a11y.new" "$0/a11y"
        wait' "$home" >"$work/session-$unprivileged.log" 2>&1 &
    unprivileged_pid=$!
    wait_until 30 test -s "$home/a11y" || {
        unprivileged_refused="the accessibility bus of $unprivileged did not start:"
        unprivileged_refused+=" $(tail -n 1 "$work/session-$unprivileged.log")"
        return
    }
    unprivileged_a11y=$(tr -d ' ' <"$home/a11y")
    as_unprivileged=("${run[@]}" DBUS_SESSION_BUS_ADDRESS="$(cat "$home/session")")
}

# Starts the program (launch) as a user whom permissions stop, owner of $play: the harness's own
# user, or the unprivileged one when the harness is root.
launch_unprivileged() {
    [ "$(id -u)" = 0 ] || { launch; return; }
    unprivileged_session || return
    chown -R "$unprivileged_ids" "$play"
    screen_bus=$unprivileged_a11y
    local program=$unprivileged_program # what launch starts
    launch "${as_unprivileged[@]}"
}

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

# Presses $1 and looks until the window shows a line matching $2, for up to $3 seconds. A press
# can be lost on a busy machine (made while an answer's verdict outlived its time): it is made
# again once nothing has covered the main window for 5 seconds since the last one. Never sooner,
# so a slow press is not doubled (a second 停止 under 終了!! would stop the round again).
press_until() {
    local end=$((SECONDS + $3)) pressed=$SECONDS
    act press "$1" || return
    while ((SECONDS < end)); do
        look || return 1
        grep -q -- "$2" <<<"$state" && return 0
        if grep -q '^window=' <<<"$state"; then
            pressed=$SECONDS
        elif ((SECONDS - pressed >= 5)); then
            act press "$1"
            pressed=$SECONDS
        fi
        sleep 0.3
    done
    fail="${fail:-never showed: $2}"
    return 1
}

# A folder to play in: the question file and settings for a long round in file order.
new_play() {
    play=$work/$1
    mkdir "$play"
    cp "$questions" "$play/sample0524.txt"
    round_settings 30 0 0
}

# Starts the program in $play (through the command in $@ if any, which ends by running the
# arguments after its own) and waits for its window. The last step before the program notes in
# $case.started that it goes on to run it: a command that failed before, or a program that could
# not be run (126, 127, as a shell says it), is a set-up failure, not a crash.
launch() {
    local started=$work/$case.started rc=
    : >"$started"
    (cd "$play" && exec "$@" /bin/sh -c 'echo >&3 && exec "$0" 3>&-' "$program" 3>"$started") \
        >"$work/$case.log" 2>&1 &
    APP_PID=$!
    local end=$((SECONDS + 30)) id=
    while running "$APP_PID" && ((SECONDS < end)); do
        id=$(main_window)
        [ -n "$id" ] && managed "$id" && break
        id=
        sleep 0.2
    done
    if [ -z "$id" ]; then
        running "$APP_PID" || { wait "$APP_PID"; rc=$?; }
        if [ ! -s "$started" ] || [ "$rc" = 126 ] || [ "$rc" = 127 ]; then
            setup="the program did not start: $(tail -n 1 "$work/$case.log")"
        elif running "$APP_PID"; then
            fail="hung (no window)"
        else
            fail="crashed before its window"
        fi
        return 1
    fi
    wait_for '^running=0' 20
}

start_round() { press_until 開始 '^running=1' 15 && look; }

# The main window of the program read now: the one started last (launch runs it in the process
# it starts), or the one $SCREEN_PID names where two run.
main_window() {
    xdotool search --onlyvisible --pid "${SCREEN_PID:-$APP_PID}" --name '^Marelto' 2>/dev/null |
        head -n 1
}

# The menu from the keyboard: a menu item chosen through the tree would hold the tree's answer
# until the modal window it opens closes.
menu_keys() {
    local id
    id=$(main_window)
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
    press_until 停止 'window=.*終了' 15 && act close-box && wait_for '^running=0' 10 &&
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
    if [ "$(id -u)" = 0 ] && may_mount_read_only; then
        # Root writes through permissions: the folder is mounted read-only instead, its question
        # file writable as a file in a read-only folder is for anyone else. The program starts
        # in the mount, not in the folder under it.
        cp "$play/sample0524.txt" "$work/writable.txt"
        launch unshare -m sh -c "$bind_read_only"' && mount --bind "$1" "$0/sample0524.txt" &&
            cd "$0" && shift && exec "$@"' "$play" "$work/writable.txt" || return
    else
        chmod a-w "$play"
        launch_unprivileged || return
    fi
    start_round && act press 1 && sleep 3 && look || return
    grep -q '^running=1' <<<"$state" || { fail="the round did not go on"; return; }
    results_say_unwritable || return
    [ "$(ls -A "$play" | sort)" = "$before" ] || fail="something was written in the folder"
}

# --- Writes: only regular files directly in the play folder, and each save whole or absent.

# A file outside the play folder that the case may point the program at ($1 names it, $outside_path
# is its path), holding the bundled questions; noted, so that any change to it counts as written
# outside.
outside_file() {
    outside_path=$work/outside-$case-$1
    cp "$questions" "$outside_path"
    outside_sums+="$(md5sum "$outside_path")"$'\n'
}
outside_changed() { [ -n "$outside_sums" ] && ! md5sum --quiet -c <<<"$outside_sums" >/dev/null 2>&1; }

# Waits until no window but the main one shows.
only_main() {
    local end=$((SECONDS + 10))
    while ((SECONDS < end)); do
        look || return 1
        grep -q '^window=' <<<"$state" || return 0
        sleep 0.3
    done
    fail="${fail:-a window stayed open: $(grep '^window=' <<<"$state")}"
    return 1
}
# Closes what the window shows over the main window: a message box, then its dialog by $1.
dismiss() { act close-box && sleep 0.5 && { [ -z "${1:-}" ] || act press "$1"; } && only_main; }
# A dialog's button whose question is answered Yes; then the window says $2.
press_yes() {
    act press "$1" && wait_for 'window=.*\(宜しいですか\|します\)' 10 && act yes &&
        wait_for "window=.*$2" 15
}
# A dialog from the menu keys $1 $2, until a window matching $3 shows: keys lost under load are
# sent again.
open_dialog() {
    local n
    for n in 1 2 3; do
        menu_keys "$1" "$2"
        fail=
        wait_for "window=$3" 8 && return 0
        [[ "$fail" == never* ]] || return 1
        xdotool key Escape
    done
    return 1
}
open_editor() { open_dialog f d '編集画面'; }
open_settings() { open_dialog c a '出題設定画面'; }
# 追加 in the editor on the configured file, refused with $1.
add_refused() { open_editor && press_yes 追加 "$1" && dismiss 戻る; }
# 設定保存 refused with the reason $1.
settings_refused() { open_settings && press_yes 設定保存 "設定を保存できませんでした（$1）" && dismiss 戻る; }
# A round of one answer and its end: the question file plays.
plays() {
    start_round && act press 1 && sleep 3 && look || return
    grep -q '^running=1' <<<"$state" || { fail="the round did not go on"; return 1; }
    press_until 停止 'window=.*終了' 15 && dismiss
}

case_link_question() {
    outside_file question
    ln -sf "$outside_path" "$play/sample0524.txt"
    launch && plays && add_refused 'リンクなので' || return
    [ -L "$play/sample0524.txt" ] || fail="the link was replaced"
}
case_link_settings() {
    outside_file settings
    cp "$play/Parameter.INI" "$outside_path" && outside_sums=$(md5sum "$outside_path")$'\n'
    ln -sf "$outside_path" "$play/Parameter.INI"
    launch && settings_refused 'リンクなので、その先へは書き込みません' || return
    menu_keys c k # 効果音: its write must not go through either
    sleep 1
    [ -L "$play/Parameter.INI" ] || fail="the link was replaced"
}
case_link_history() {
    outside_file history
    ln -s "$outside_path" "$play/marelto-history.tsv"
    launch && start_round && act press 1 && sleep 2 && look && results_say_unwritable || return
    [ -L "$play/marelto-history.tsv" ] || fail="the link was replaced"
}
# QUESTION naming a file above the folder or by its full path plays, and is never written.
name_outside() {
    printf '[QUESTION]\r\n1=%s\r\n' "$1" >>"$play/Parameter.INI"
    launch && plays && add_refused 'このフォルダーの外を指す名前' || return
    [ -z "$(ls -A "$work" | grep -E '\.[A-Za-z0-9]{6}$')" ] || fail="a file appeared beside the folder"
}
case_dotdot_name() { outside_file dotdot.txt; name_outside "../outside-$case-dotdot.txt"; }
# A full path is looked for inside the folder, as every name is: nothing there to play, and the
# editor, which opens on the open error, writes nothing anywhere.
case_absolute_name() {
    outside_file absolute.txt
    printf '[QUESTION]\r\n1=%s\r\n' "$outside_path" >>"$play/Parameter.INI"
    launch && act press 開始 && wait_for 'window=.*ファイルオープンエラー' 10 && dismiss || return
    open_dialog f d '.*ファイルオープンエラー' && act close-box && wait_for 'window=編集画面' 10 &&
        press_yes 追加 'このフォルダーの外を指す名前' && dismiss 戻る || return
    [ -z "$(ls -A "$work" | grep -E '\.[A-Za-z0-9]{6}$')" ] || fail="a file appeared beside the folder"
}

# Read-only question file, as a user whom permissions stop: it plays; the editor says why it
# cannot write and writes nothing.
case_read_only_file() {
    local sum
    chmod a-w "$play/sample0524.txt"
    sum=$(md5sum <"$play/sample0524.txt")
    launch_unprivileged && plays && add_refused '書き込めません（書き込みが許可されていません）' ||
        return
    [ "$(md5sum <"$play/sample0524.txt")" = "$sum" ] || half="the read-only file changed"
}

# Two copies in one folder: each saves only what was changed in its own dialog. Both run to the
# end of the case; $SCREEN_PID says which one is read.
case_two_copies() {
    local first second
    launch && SCREEN_PID=$APP_PID && open_settings || return
    first=$APP_PID SCREEN_PID=
    launch && SCREEN_PID=$APP_PID && open_settings && screen set 制限時間 23 &&
        press_yes 設定保存 '23秒' && act press 戻る && only_main || return
    second=$APP_PID
    APP_PID=$first SCREEN_PID=$first
    screen set 許容誤答数 9 && press_yes 設定保存 '9回' && act press 戻る && only_main
    kill "$second" 2>/dev/null
    wait "$second" 2>/dev/null
    [ -z "$fail" ] || return
    grep -q '^1=23' <(sed -n '/^\[TIME_LIMIT\]/,/^\[/p' "$play/Parameter.INI") ||
        fail="the other copy's 制限時間 was overwritten"
    grep -q '^1=9' <(sed -n '/^\[LIFE\]/,/^\[/p' "$play/Parameter.INI") ||
        fail="this copy's 許容誤答数 was not saved"
}

# The value of $2 in section $1 of the play folder's Parameter.INI.
setting() { sed -n "/^\[$1\]/,/^\[/s/^1=//p" "$play/Parameter.INI" | tr -d '\r' | head -n 1; }

# The program killed at a random moment of a kind of save ($1), again and again: every file is
# the old one or the new one, whole; the next start clears the temporaries a kill left. A case a
# kind, so that the kinds run side by side.
case_kill_during_settings_saves() { kill_during_saves settings; }
case_kill_during_editor_saves() { kill_during_saves editor; }
case_kill_during_history_saves() { kill_during_saves history; }
case_kill_during_sound_saves() { kill_during_saves sound; }
kill_during_saves() {
    local n kind=$1 before size records mid_save=0
    local temporary='*.[[:alnum:]][[:alnum:]][[:alnum:]][[:alnum:]][[:alnum:]][[:alnum:]]'
    # A big question file (4 MB), so that the editor's saves take a while to kill in.
    for n in $(seq 40); do cat "$questions"; done >"$play/sample0524.txt"
    size=$(stat -c %s "$play/sample0524.txt")
    cp "$play/sample0524.txt" "$work/$case-questions"
    for n in $(seq "${KILL_REPEATS:-4}"); do
        launch || return
        # What the last kill left goes once the window is up.
        sleep 1
        if compgen -G "$play/$temporary" >/dev/null; then
            half="a temporary stayed after a start: $(compgen -G "$play/$temporary")"
            return
        fi
        case $kind in
        settings) # both sliders to the other pair of values
            if [ "$(setting TIME_LIMIT)" = 30 ]; then set -- 45 9; else set -- 30 3; fi
            open_settings && screen set 制限時間 "$1" && screen set 許容誤答数 "$2" &&
                act press 設定保存 && wait_for 'window=.*宜しいですか' 10 && act yes ;;
        editor) open_editor && act press 追加 && wait_for 'window=.*追加します' 10 && act yes ;;
        history) act press 開始 && sleep 1 && act press 1 ;;
        sound) menu_keys c k ;;
        esac || return
        # Killed the moment a save's temporary shows, else at a random moment.
        local until=$((SECONDS + 1 + RANDOM % 2))
        while ((SECONDS < until)) && ! compgen -G "$play/$temporary" >/dev/null; do :; done
        mid_save=$((mid_save + $(compgen -G "$play/$temporary" | wc -l)))
        kill -9 "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
        APP_PID=
        # Settings: both slider values new or both old.
        case "$(setting TIME_LIMIT):$(setting LIFE)" in
        30:3 | 45:9) ;;
        *) half="Parameter.INI half saved: $(tr '\r\n' '  ' <"$play/Parameter.INI")" ;;
        esac
        records=$(stat -c %s "$play/sample0524.txt")
        if [ "$records" != "$size" ] && [ "$records" != $((size + 420)) ]; then
            half="the question file is $records bytes"
        elif ! cmp -s -n "$size" "$play/sample0524.txt" "$work/$case-questions"; then
            half="the question file's old records changed"
        fi
        size=$records
        cp "$play/sample0524.txt" "$work/$case-questions"
        if [ -s "$play/marelto-history.tsv" ] && [ -n "$(tail -c 1 "$play/marelto-history.tsv")" ]; then
            half="the history ends in a torn line"
        fi
        [ -n "$half" ] && return
    done
    # The next start removes what the kills left, once its window is up; and what a kill at the
    # worst moment would have left, in case none of these did.
    local left
    echo "kill-during-$kind-saves: ${KILL_REPEATS:-4} kills, $mid_save in the middle of a save"
    echo half >"$play/Parameter.INI.k1LLed"
    head -c 1000 "$questions" >"$play/sample0524.txt.Kil1ed"
    launch && sleep 2 || return
    left=$(ls -A "$play" | grep -E '\.[A-Za-z0-9]{6}$')
    [ -z "$left" ] || half="temporaries stayed after a start: $left"
}

# A full disk: a round says once that the answers cannot be kept and leaves no torn line; the
# settings say why they could not be saved; nothing is half written.
full_disk_setup() {
    # The history fills its last page but for 60 bytes, so an answer's line is cut short by the
    # full disk rather than refused whole.
    printf 'time\tfile\trecord\tfingerprint\tcode\tresult\tseconds\tround\tquestion\ttyped\n' \
        >"$play/marelto-history.tsv"
    local have
    have=$(stat -c %s "$play/marelto-history.tsv")
    head -c $((4096 - 60 - have - 1)) /dev/zero | tr '\0' '#' >>"$play/marelto-history.tsv"
    echo >>"$play/marelto-history.tsv"
}
case_full_disk() {
    local history_before
    full_disk_setup
    if [ "$(id -u)" = 0 ] && may_mount_tmpfs; then
        # The folder is a small tmpfs filled to the last page, mounted over itself in the
        # program's own mount namespace, where the harness looks through /proc.
        cp -a "$play" "$work/full-disk-files"
        launch unshare -m sh -c 'mount -t tmpfs -o size=2m tmpfs "$0" && cp -a "$1"/. "$0" &&
            { head -c 4m /dev/zero >"$0/fill" 2>/dev/null; cd "$0"; } && shift && exec "$@"' \
            "$play" "$work/full-disk-files" || return
        view=/proc/$APP_PID/root$play
    elif [ -n "$full_disk_shim" ]; then
        launch env LD_PRELOAD="$full_disk_shim" MARELTO_DISK_FREE=60 || return
        view=$play
    else
        setup="neither a tmpfs nor the full-disk shim"
        return
    fi
    history_before=$(md5sum <"$view/marelto-history.tsv")
    local settings_before
    settings_before=$(md5sum <"$view/Parameter.INI")
    start_round && act press 1 &&
        wait_for 'window=.*解答の記録を保存できません（ディスクの空きがありません）' 10 || return
    act close-box && sleep 3 && look || return
    # Once a round: the next answers say nothing more.
    act press 1 && sleep 3 && look || return
    grep -q 'window=.*解答の記録' <<<"$state" && { fail="said more than once a round"; return; }
    [ "$(md5sum <"$view/marelto-history.tsv")" = "$history_before" ] ||
        half="the history changed: $(tail -c 80 "$view/marelto-history.tsv" | tr '\n\t' '| ')"
    press_until 停止 'window=.*終了' 15 && dismiss || return
    settings_refused 'ディスクの空きがありません' || return
    [ "$(md5sum <"$view/Parameter.INI")" = "$settings_before" ] || half="Parameter.INI changed"
}

for case in ${ODD_FILES_CASES:-$all_cases}; do
    fail= blank= state= setup= screen_bus= outside= half= outside_sums= outside_path= SCREEN_PID=
    new_play "$case"
    "case_$case"
    cases=$((cases + 1))
    outside_changed && outside="a file outside the folder changed"
    if [ -n "$setup" ]; then
        not_set_up=$((not_set_up + 1))
        line="SETUP FAILED: $setup"
    elif [ -n "$outside" ]; then
        outside_count=$((outside_count + 1))
        line="WRITTEN OUTSIDE: $outside"
    elif [ -n "$half" ]; then
        half_count=$((half_count + 1))
        line="HALF-SAVED: $half"
    elif [ -n "$blank" ]; then
        blanks=$((blanks + 1))
        line="BLANK QUESTION ($blank)"
    elif [[ "$fail" == hung* ]]; then
        hung=$((hung + 1))
        line="HUNG: $fail"
    elif [[ "$fail" == crashed* ]] || ! running "${APP_PID:-}"; then
        crashed=$((crashed + 1))
        line="CRASHED: ${fail:-the program ended}"
    elif [ -n "$fail" ]; then
        line="FAILED: $fail"
    else
        held=$((held + 1))
        line="held"
    fi
    if [ "$line" != held ] && [ -z "$setup" ]; then
        echo "--- last screen"
        echo "$state"
        tail -5 "$work/$case.log"
    fi
    echo "${case//_/-}: $line"
    if [ -n "${APP_PID:-}" ]; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
done
echo "$cases cases, $held held, $hung hung, $crashed crashed, $blanks blank questions," \
    "$outside_count written outside, $half_count half-saved"
[ "$not_set_up" = 0 ] ||
    echo "$not_set_up not set up: the harness could not arrange them (SETUP FAILED above)"
[ "$held" = "$cases" ]
