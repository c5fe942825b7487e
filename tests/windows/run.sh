#!/usr/bin/env bash
# Proves the Windows zip and installer under Wine, headless in Xvfb: the cross-built core tests
# pass, the question tool passes every bundled question file, marelto.exe shows its window
# (screenshot docs/windows.png), a round plays with the keys 1-4, and the settings it saves make
# a Parameter.INI byte for byte like the one the Linux build makes from the same keystrokes. The
# installer installs silently, over an older version too; the installed program plays from
# Documents\Marelto through every command that reads or writes a file; the uninstaller leaves
# the learner's files byte for byte as they were (screenshot docs/windows-installer.png). Every
# message box shown is kept as a picture in build/windows/shots/.
# Usage: tests/windows/run.sh [LINUX-MARELTO]     after scripts/package-windows
#        (LINUX-MARELTO: the Linux build's program, default build/marelto)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
linux_marelto=${1:-$root/build/marelto}
out=$root/build/windows
wine=$root/packaging/windows/wine-run
. "$root/tests/smoke/xvfb-session.sh"
cache=${MARELTO_WIN_CACHE:-$HOME/.cache/marelto-win}
export WINEPREFIX=$cache/wine-test
export LC_ALL=C.UTF-8

# Windows as learners in Japan have it: Wine takes its system locale (code page 932, the fonts
# of its own windows such as message boxes) from the Unix one, made here into the cache.
if [ ! -d "$cache/locale/ja_JP.UTF-8" ]; then
    mkdir -p "$cache/locale"
    localedef -i ja_JP -f UTF-8 "$cache/locale/ja_JP.UTF-8" ||
        { echo "cannot make the ja_JP.UTF-8 locale (package locales)"; exit 1; }
fi
wine_ja() { LOCPATH=$cache/locale LC_ALL=ja_JP.UTF-8 "$wine" "$@"; }

zip=$(ls "$out"/Marelto-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { echo "no zip in $out: run scripts/package-windows first"; exit 1; }
[ -x "$linux_marelto" ] || { echo "no Linux build at $linux_marelto"; exit 1; }

passed=0
failed=0
pass() { echo "PASS: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

work=$(mktemp -d)
trap 'stop_x_session; wineserver_stop; rm -rf "$work"' EXIT
wineserver_stop() { WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null; true; }

# Unzipped anywhere: here into a folder whose name is Japanese, as a learner's may be.
unzip -q "$zip" -d "$work/展開先"
app=$(ls -d "$work/展開先"/Marelto-*-win64)
echo "unzipped: $(cd "$app" && ls | tr '\n' ' ')"

# Every Wine program runs on the X server: Wine's first program starts its desktop process,
# which later ones share, and one started without a display leaves them all without windows.
# A Wine session left from before (perhaps without a display) is ended first.
start_x_session
trap 'stop_x_session; wineserver_stop; rm -rf "$work"' EXIT
wineserver_stop
/usr/lib/wine/wineserver -w

# The prefix is made under the Japanese locale: Wine fixes the code page and the fonts of its
# own windows (message boxes) when it makes one, and one made under the C locale draws Japanese
# as boxes. One made otherwise, by an earlier version of this script, is made anew.
if [ ! -f "$WINEPREFIX/.marelto-ja" ]; then
    rm -rf "$WINEPREFIX"
    wine_ja wineboot -i >/dev/null 2>&1
    wineserver_stop
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.marelto-ja"
fi
# The test prefix keeps its own Documents rather than Wine's link to the home folder.
docs=$WINEPREFIX/drive_c/users/$(whoami)/Documents
[ ! -L "$docs" ] || { rm "$docs" && mkdir "$docs"; }

# 1. The core tests, cross-built with GoogleTest, under a Western and the Japanese code page.
# The build lists them in core-tests.txt.
for test in $(cat "$out/cmake/core-tests.txt"); do
    for cp in 1252 932; do
        run=$wine
        [ "$cp" = 1252 ] || run=wine_ja
        if (cd "$root" && "$run" "$out/cmake/$test.exe" --gtest_brief=1 </dev/null \
            >"$work/$test.log" 2>&1); then
            pass "$test (code page $cp): $(grep -a '^\[  PASSED' "$work/$test.log" | tr -d '\r')"
        else
            fail "$test (code page $cp)"
            tail -n 40 "$work/$test.log"
        fi
    done
done

# 2. The question tool on every bundled question file, against the facts table.
bundled=$(sed -n '/^set(MARELTO_BUNDLED_DATA$/,/^)$/{/^ /s/^ *//p}' "$root/CMakeLists.txt" |
    grep -v -e '^ReadMe.txt$' -e '^Parameter.INI$')
while IFS= read -r file; do
    if (cd "$app" && wine_ja marelto-questions.exe check --facts "$root/data/countries.tsv" \
        "$file" </dev/null >"$work/check.log" 2>&1); then
        pass "marelto-questions check --facts $file: $(tail -n 1 "$work/check.log" | tr -d '\r')"
    else
        fail "marelto-questions check --facts $file"
        cat "$work/check.log"
    fi
done <<<"$bundled"


# Starts program $2 with the play folder $1 ("wine" for the Windows one), from another folder:
# the Windows program must find its files beside itself. Sets APP_PID and the main window's
# WINDOW_ID; false when no window came.
start_program() {
    if [ "$2" = wine ]; then
        (cd "$work" && exec env LOCPATH="$cache/locale" LC_ALL=ja_JP.UTF-8 "$wine" \
            "$1/marelto.exe") </dev/null >>"$work/program.log" 2>&1 &
    else
        (cd "$1" && exec "$2") </dev/null >>"$work/program.log" 2>&1 &
    fi
    APP_PID=$!
    WINDOW_ID=$(wait_for_window 'Marelto Ver' 120)
}

# Sends keys to the window in front, with time for a window that opens on the way.
keys() { xdotool key --delay 150 "$@"; sleep 1.5; }

# Every message box is kept as a picture of the screen, to be looked at.
shots=$out/shots
rm -rf "$shots"
mkdir -p "$shots"
nshot=0
shot() {
    nshot=$((nshot + 1))
    import -window root png:- | convert - -trim +repage "$shots/$(printf %02d "$nshot")-$1.png"
}
# Waits up to $2 seconds (default 30) for the program's message box, keeps its picture as
# shots/NN-$1.png and answers it with Enter (OK, or はい where it asks). False when none came.
answer_box() {
    local box
    box=$(wait_for_window '^marelto$' "${2:-30}") || return 1
    xdotool windowactivate --sync "$box" >/dev/null 2>&1
    sleep 0.5
    shot "$1"
    keys Return
}

# Closes main window $1 as its close box does and waits for the program to end.
quit_program() {
    close_window "$1" "$APP_PID" 20 || kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    APP_PID=
}

# Plays a round of the first four questions of sample0524.txt in the window in front with the
# keys 1-4, and checks them in the history file $1 as played from $2; $3 names its pictures.
play_round() {
    # Focus starts on the question; five tabs on is 開始.
    keys Tab Tab Tab Tab Tab space
    for key in 1 2 3 4; do
        keys "$key"
        sleep 2.5 # the verdict closes itself after about two seconds
    done
    import -window root "$work/round-end.png"
    answer_box "round-end-$3" || keys Return # the round's closing message
    # The four questions in the history, each 正解 or 誤り: none ran out of time waiting for a
    # key.
    local asked answered
    asked=$(tail -n +2 "$1" 2>/dev/null | cut -f5 | tr '\n' ' ')
    answered=$(tail -n +2 "$1" 2>/dev/null | cut -f6 | grep -c -x -e '正解' -e '誤り')
    if [ "$asked" = "$expected" ] && [ "$answered" -eq 4 ]; then
        pass "$2: a round of 4 questions ($asked) answered with the keys 1-4: $(tail -n +2 "$1" |
            cut -f6 | tr '\n' ' ')"
    else
        fail "$2: round of questions '$asked' instead of '$expected', $answered of them answered"
        cp "$work/round-end.png" "$out/round-end.png"
        cat "$work/program.log"
    fi
}

# 3. The window, and a round played with the keys 1-4.
printf '[QUESTION]\r\n1=sample0524.txt\r\n[LIFE]\r\n1=5\r\n[TIME_LIMIT]\r\n1=10\r\n' \
    >"$app/Parameter.INI"
printf '[QUESTION_CNT]\r\n1=4\r\n[SEQ]\r\n1=0\r\n[SOUND]\r\nSW=0\r\n' >>"$app/Parameter.INI"
# In file order: the first four questions, as the Windows question tool lists them.
expected=$(cd "$app" && wine_ja marelto-questions.exe export sample0524.txt </dev/null |
    tr -d '\r' | sed -n 2,5p | cut -f1 | tr '\n' ' ')
if start_program "$app" wine; then
    id=$WINDOW_ID
    xdotool windowactivate --sync "$id" >/dev/null 2>&1
    sleep 2
    mkdir -p "$root/docs"
    import -window root png:- | convert - -trim +repage "$root/docs/windows.png"
    pass "marelto.exe shows its window (docs/windows.png)"
    play_round "$app/marelto-history.tsv" "its own folder" zip
    quit_program "$id"
else
    fail "marelto.exe showed no window"
    report_windows "" "$APP_PID"
    cat "$work/program.log"
fi

# 4. The same settings saved by both builds from the same keystrokes: 出題設定 (Alt+C, A),
# 登録順 (two tabs on from 戻る), 設定保存, はい, and the dialog closed.
save_settings() {
    if ! start_program "$1" "$2"; then
        fail "no window to save settings from ($2)"
        return 1
    fi
    local id=$WINDOW_ID
    xdotool windowactivate --sync "$id" >/dev/null 2>&1
    sleep 1
    keys alt+c a
    wait_for_window '出題設定画面' 30 >/dev/null || { fail "no settings window ($2)"; return 1; }
    keys Tab Tab space shift+Tab space
    answer_box "settings-$3" || fail "no question before the settings were saved ($2)"
    keys Escape
    quit_program "$id"
}
mkdir -p "$work/linux" "$work/windows"
for dir in "$work/linux" "$work/windows"; do
    (cd "$app" && cp ./*.txt "$dir/")
    unzip -p "$zip" "*/Parameter.INI" >"$dir/Parameter.INI"
done
cp -r "$app"/. "$work/windows/"
unzip -p "$zip" "*/Parameter.INI" >"$work/windows/Parameter.INI"
save_settings "$work/linux" "$linux_marelto" linux
save_settings "$work/windows" wine windows
if cmp -s "$work/linux/Parameter.INI" "$work/windows/Parameter.INI" &&
    ! unzip -p "$zip" "*/Parameter.INI" | cmp -s - "$work/linux/Parameter.INI"; then
    pass "Parameter.INI saved by both builds is byte-identical ($(wc -c <"$work/linux/Parameter.INI") bytes)"
else
    fail "Parameter.INI differs between the builds (or nothing was saved)"
    for f in "$work/linux/Parameter.INI" "$work/windows/Parameter.INI"; do
        echo "--- $f"
        od -c "$f" | head -n 20
    done
fi

# 5. Unzipped where nothing can be written (a read-only file system, as a disc is): the program
# says so, plays from Documents\Marelto with the files copied there, and keeps its history there.
# Needs a file system of its own, which only root can mount here.
ro=$work/readonly
if mkdir -p "$ro" && mount -t tmpfs -o size=64m marelto-readonly "$ro" 2>/dev/null; then
    trap 'stop_x_session; wineserver_stop; umount "$ro"; rm -rf "$work"' EXIT
    cp -r "$app" "$ro/"
    rm -f "$ro/$(basename "$app")/marelto-history.tsv"
    mount -o remount,ro "$ro"
    rm -rf "$docs/Marelto"
    (cd "$work" && exec env LOCPATH="$cache/locale" LC_ALL=ja_JP.UTF-8 "$wine" \
        "$ro/$(basename "$app")/marelto.exe") </dev/null >>"$work/program.log" 2>&1 &
    APP_PID=$!
    if box=$(wait_for_window '^marelto$' 120); then
        xdotool windowactivate --sync "$box" >/dev/null 2>&1
        shot readonly-message
        keys Return
    fi
    if [ -n "$box" ] && WINDOW_ID=$(wait_for_window 'Marelto Ver' 60) &&
        [ -f "$docs/Marelto/Parameter.INI" ] && [ -f "$docs/Marelto/sample0524.txt" ]; then
        pass "unwritable folder: told ($shots/*-readonly-message.png), plays from Documents\\Marelto"
        xdotool windowactivate --sync "$WINDOW_ID" >/dev/null 2>&1
        play_round "$docs/Marelto/marelto-history.tsv" "Documents\\Marelto" readonly
        quit_program "$WINDOW_ID"
    else
        fail "unwritable folder: message ${box:-none}, files in Documents\\Marelto:" \
            "$(ls "$docs/Marelto" 2>/dev/null | tr '\n' ' ')"
        report_windows "" "$APP_PID"
        kill "$APP_PID" 2>/dev/null
    fi
else
    echo "SKIP: unwritable folder (no file system of its own can be mounted here)"
fi

. "$root/tests/windows/installer.sh"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
