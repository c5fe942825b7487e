# Sourced by tests/windows/run.sh: the installer under Wine. An older version is installed
# silently, then this one over it; the installed program, started from its Start-menu entry,
# plays from Documents\Marelto through every command that reads or writes a file; the Start-menu
# entry and the entry among the installed programs are pictured (docs/windows-installer.png);
# the silent uninstall removes the program and its entries, and the learner's files stay byte for
# byte as they were.

setup=$(ls "$out"/Marelto-*-setup.exe 2>/dev/null | head -n 1)
version=${setup##*/Marelto-}
version=${version%-setup.exe}
user_dir=$WINEPREFIX/drive_c/users/$(whoami)
installed=$user_dir/AppData/Local/Programs/Marelto
menu_entry="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Marelto.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marelto'
play=$docs/Marelto

# Value $1 of the uninstall entry, or nothing.
uninstall_value() {
    wine_ja reg query "$uninstall_key" /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 \{1,\}REG_[A-Z_]* \{1,\}//p"
}
# The question file Parameter.INI names (cp932 there).
question_file() {
    iconv -f CP932 -t UTF-8 "$play/Parameter.INI" 2>/dev/null | tr -d '\r' |
        sed -n '/^\[QUESTION\]$/,/^\[/s/^1=//p' | head -n 1
}
# The learner's files, each with its checksum.
learner_files() { (cd "$play" && find . -type f | sort | xargs -d '\n' sha256sum); }
# Runs the uninstaller silently, alone in the prefix. It goes on from a copy of itself, so the
# end of every Wine process is waited for.
uninstall() {
    wineserver_stop
    /usr/lib/wine/wineserver -w
    wine_ja "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
    timeout 120 /usr/lib/wine/wineserver -w
}
# Waits up to 20 seconds for the window named $1 to go.
gone() {
    local _
    for _ in $(seq 1 200); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
# Clicks window $1 at a point given in its dialog units ($2, $3) of a dialog $4 x $5 units large:
# the dialogs are laid out in dialog units, so the point is the same whatever the font.
click_du() {
    local w h
    eval "$(xdotool getwindowgeometry --shell "$1")"
    w=$WIDTH h=$HEIGHT
    xdotool mousemove --window "$1" $(($2 * w / $4)) $(($3 * h / $5)) click 1
    sleep 0.7
}

# Chooses alt+$1, $2 from the main window's menu and waits for the window named $3: its id.
from_menu() {
    xdotool windowactivate --sync "$main" >/dev/null 2>&1
    keys "alt+$1" "$2"
    wait_for_window "$3" 30
}

# Every command that reads or writes a file, from the main window $1, each checked in the files.
every_command() {
    local main=$1 dlg drill

    # 間違えた問題を復習, right after the round: a file of the missed questions becomes the
    # question file (none when all four were right).
    xdotool windowactivate --sync "$main" >/dev/null 2>&1
    keys alt+f r
    answer_box review || fail "間違えた問題を復習: no message"
    if tail -n +2 "$play/marelto-history.tsv" | cut -f6 | grep -q '誤り'; then
        case $(question_file) in
            復習-*.txt) [ -s "$play/$(question_file)" ] &&
                pass "間違えた問題を復習: $(question_file) made the question file" ||
                fail "間違えた問題を復習: $(question_file) is empty or missing" ;;
            *) fail "間違えた問題を復習: the question file is $(question_file)" ;;
        esac
    else
        [ -z "$(ls "$play" | grep '^復習-')" ] && pass "間違えた問題を復習: nothing missed, no file" ||
            fail "間違えた問題を復習: a file though nothing was missed"
    fi

    # 問題ファイルを開く: a file from another folder is copied in and becomes the question file.
    mkdir -p "$work/other"
    cp "$installed/sample0524.txt" "$work/other/practice.txt"
    if dlg=$(from_menu f o '問題ファイルを開く'); then
        xdotool type --delay 40 "${drive-Z:}$work/other/practice.txt"
        keys Return
        # A completion list open on the name takes the first Enter.
        xdotool search --onlyvisible --name '問題ファイルを開く' >/dev/null 2>&1 && keys Return
        answer_box open-question || fail "問題ファイルを開く: no message"
        [ "$(question_file)" = practice.txt ] && cmp -s "$play/practice.txt" "$work/other/practice.txt" &&
            pass "問題ファイルを開く: practice.txt copied in and chosen" ||
            fail "問題ファイルを開く: the question file is $(question_file)"
    else
        fail "問題ファイルを開く: no file dialog"
    fi

    # 問題の編集: a question changed and saved with 更新.
    if dlg=$(from_menu f d '編集画面'); then
        xdotool windowactivate --sync "$dlg" >/dev/null 2>&1
        # Dialog units: the number list (164,21 32x13), the question (15,56 259x14), 更新
        # (208,136 31x18), 戻る (244,94 31x18), in a dialog of 377 x 199.
        click_du "$dlg" 180 27 377 199
        keys Return
        click_du "$dlg" 144 63 377 199
        keys ctrl+a
        xdotool type --delay 40 "Marelto under Wine"
        click_du "$dlg" 223 145 377 199
        answer_box edit-update || fail "問題の編集: no question before saving"
        grep -q 'Marelto under Wine' "$play/practice.txt" &&
            [ "$(wc -c <"$play/practice.txt")" -eq "$(wc -c <"$work/other/practice.txt")" ] &&
            pass "問題の編集: the changed question saved in practice.txt" ||
            fail "問題の編集: practice.txt does not hold the change"
        xdotool windowactivate --sync "$dlg" >/dev/null 2>&1
        click_du "$dlg" 259 103 377 199
        gone '編集画面' || fail "問題の編集: the editor stayed open"
    else
        fail "問題の編集: no editor"
    fi

    # 設定: 出題設定 with ランダム chosen and saved. Dialog units: ランダム (73,172 34x11), 設定保存
    # (126,162 41x14), 戻る (126,178 41x14), in a dialog of 183 x 207.
    if dlg=$(from_menu c a '出題設定画面'); then
        click_du "$dlg" 90 177 183 207
        click_du "$dlg" 146 169 183 207
        answer_box settings-installed || fail "設定: no question before saving"
        click_du "$dlg" 146 185 183 207
        gone '出題設定画面' || fail "設定: the dialog stayed open"
        [ "$(tr -d '\r' <"$play/Parameter.INI" | sed -n '/^\[SEQ\]$/,/^\[/s/^1=//p')" = 1 ] &&
            pass "設定: ランダム saved in Documents\\Marelto\\Parameter.INI" ||
            fail "設定: Parameter.INI does not hold ランダム"
    else
        fail "設定: no settings dialog"
    fi

    # 成績: the results of the history.
    if dlg=$(from_menu f g '^成績$'); then
        shot results
        keys Escape
        gone '^成績$' && pass "成績: shown from the history and closed" ||
            fail "成績: the window stayed open"
    else
        fail "成績: no window"
    fi

    # 国旗図鑑 → 選んだ国を出題: 日本 found by its code and picked; its drill file becomes the
    # question file, and exactly one is written.
    if dlg=$(from_menu f z '国旗図鑑'); then
        xdotool windowactivate --sync "$dlg" >/dev/null 2>&1
        keys alt+s
        xdotool type --delay 50 jpn
        keys Return space alt+q
        answer_box zukan-drill || fail "選んだ国を出題: no message"
        drill=$(ls "$play" | grep '^図鑑-.*\.txt$')
        [ "$(printf '%s\n' "$drill" | grep -c .)" -eq 1 ] && [ "$(question_file)" = "$drill" ] &&
            [ -s "$play/$drill" ] &&
            pass "国旗図鑑: 選んだ国を出題 made $drill the question file, no other file left" ||
            fail "国旗図鑑: 選んだ国を出題 left '$(echo $drill)', the question file is $(question_file)"
        xdotool windowactivate --sync "$dlg" >/dev/null 2>&1
        keys Escape
        gone '国旗図鑑' || fail "国旗図鑑: the window stayed open"
    else
        fail "国旗図鑑: no window"
    fi

    # 地図: the window opens, its switch is stored, and closing it turns it off again.
    if dlg=$(from_menu c m '^地図$'); then
        sleep 1
        shot map
        local on
        on=$(tr -d '\r' <"$play/Parameter.INI" | sed -n '/^\[MAP\]$/,/^\[/s/^SW=//p')
        wmctrl -i -c "$dlg"
        gone '^地図$' && [ "$on" = 1 ] && pass "地図: shown, its switch stored in Parameter.INI" ||
            fail "地図: switch '$on', or the window stayed open"
    else
        fail "地図: no window"
    fi
}

# The Start menu of Wine's own desktop, opened at the Marelto entry, over the list of installed
# programs; then the program that entry starts: side by side in docs/windows-installer.png.
picture_entries() {
    local desk
    (cd "$work" && exec env LOCPATH="$cache/locale" LC_ALL=ja_JP.UTF-8 "$wine" \
        explorer /desktop=shell,900x600 control appwiz.cpl) </dev/null >>"$work/program.log" 2>&1 &
    desk=$(wait_for_window 'Wine' 60) || { fail "no Wine desktop"; return; }
    xdotool windowactivate --sync "$desk" >/dev/null 2>&1
    sleep 6
    # Desktop points: スタート at the lower left, its Programs entry, Marelto in that submenu.
    xdotool mousemove --window "$desk" 20 590 click 1
    sleep 1.5
    xdotool mousemove --window "$desk" 50 525
    sleep 1.5
    import -window "$desk" "$work/entries.png"
    xdotool mousemove --window "$desk" 190 525 click 1
    if wait_until 60 pgrep -f 'Programs.Marelto.marelto\.exe'; then
        sleep 8
        import -window "$desk" "$work/started.png"
        convert "$work/entries.png" "$work/started.png" +append "$root/docs/windows-installer.png"
        pass "the Start-menu entry starts the installed program (docs/windows-installer.png)"
    else
        fail "the Start-menu entry in Wine's desktop started nothing"
        cp "$work/entries.png" "$out/windows-installer-entries.png"
    fi
    wineserver_stop
    /usr/lib/wine/wineserver -w
}

if [ -z "$setup" ]; then
    fail "no installer in $out: run scripts/package-windows first"
else
    # Nothing left from an earlier run: no installed program, no learner's files.
    [ ! -e "$installed/Uninstall.exe" ] || uninstall
    rm -rf "$installed" "$play"

    # An older version, with a file this version no longer has, made from this one's lists.
    old=$work/older
    mkdir -p "$old"
    : >"$old/retired.dll"
    { cat "$out/nsis/install.nsh"; printf 'SetOutPath "$INSTDIR"\nFile "%s"\n' "$old/retired.dll"; } \
        >"$old/install.nsh"
    { printf 'Delete "$INSTDIR\\retired.dll"\n'; cat "$out/nsis/uninstall.nsh"; } >"$old/uninstall.nsh"
    makensis -V1 -INPUTCHARSET UTF8 -DVERSION=0.9.0 -DICON="$root/res/icon/marelto.ico" \
        -DFILES="$old/install.nsh" -DUNFILES="$old/uninstall.nsh" -DOUTFILE="$old/setup.exe" \
        "$root/packaging/windows/marelto.nsi" >"$old/makensis.log" 2>&1 ||
        { cat "$old/makensis.log"; fail "the older installer could not be made"; }

    # 6. A silent install, per user.
    wine_ja "$old/setup.exe" /S </dev/null >/dev/null 2>&1
    if [ -f "$installed/marelto.exe" ] && [ -f "$installed/retired.dll" ] && [ -f "$menu_entry" ] &&
        [ "$(uninstall_value DisplayVersion)" = 0.9.0 ]; then
        pass "silent install of 0.9.0 into AppData\\Local\\Programs\\Marelto, with its Start-menu entry"
    else
        fail "silent install: $(ls "$installed" 2>/dev/null | tr '\n' ' ') entry: $(ls "$menu_entry" 2>&1)"
    fi

    # 7. Started from its Start-menu entry: a round and every command, in Documents\Marelto. The
    # learner's settings are there before the first start, as after earlier use.
    mkdir -p "$play"
    printf '[QUESTION]\r\n1=sample0524.txt\r\n[LIFE]\r\n1=5\r\n[TIME_LIMIT]\r\n1=10\r\n' \
        >"$play/Parameter.INI"
    printf '[QUESTION_CNT]\r\n1=4\r\n[SEQ]\r\n1=0\r\n[SOUND]\r\nSW=0\r\n' >>"$play/Parameter.INI"
    (cd "$work" && exec env LOCPATH="$cache/locale" LC_ALL=ja_JP.UTF-8 "$wine" \
        start /wait /unix "$menu_entry") </dev/null >>"$work/program.log" 2>&1 &
    APP_PID=$!
    if WINDOW_ID=$(wait_for_window 'Marelto Ver' 120); then
        id=$WINDOW_ID
        xdotool windowactivate --sync "$id" >/dev/null 2>&1
        sleep 2
        [ -f "$play/sample0524.txt" ] && [ ! -e "$installed/marelto-history.tsv" ] &&
            pass "the installed program plays from Documents\\Marelto, its bundled files copied there" ||
            fail "the installed program's play folder: $(ls "$play" | tr '\n' ' ')"
        play_round "$play/marelto-history.tsv" "installed, from the Start menu" installed
        every_command "$id"
        quit_program "$id"
        ls "$installed" | grep -q -i -e '\.tsv$' -e '^復習-' -e '^図鑑-' -e '^practice' &&
            fail "the installed program wrote into its own folder: $(ls "$installed" | tr '\n' ' ')"
    else
        fail "the Start-menu entry started no program"
        report_windows "" "$APP_PID"
        cat "$work/program.log"
        kill "$APP_PID" 2>/dev/null
    fi
    learner_files >"$work/learner-files"

    # 8. This version over the older one: the program replaced, the learner's files kept.
    wine_ja "$setup" /S </dev/null >/dev/null 2>&1
    if [ "$(uninstall_value DisplayVersion)" = "$version" ] && [ ! -e "$installed/retired.dll" ] &&
        cmp -s "$installed/marelto.exe" "$app/marelto.exe" &&
        learner_files | cmp -s - "$work/learner-files"; then
        pass "$version installed over 0.9.0: the program replaced, $(wc -l <"$work/learner-files") learner's files unchanged"
    else
        fail "upgrade: version $(uninstall_value DisplayVersion), $(ls "$installed" | tr '\n' ' ')"
        learner_files | diff "$work/learner-files" -
    fi
    missing=""
    for name in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString \
        QuietUninstallString; do
        [ -n "$(uninstall_value "$name")" ] || missing="$missing $name"
    done
    [ -z "$missing" ] && pass "uninstall entry: $(uninstall_value DisplayName) $(uninstall_value DisplayVersion), $(uninstall_value Publisher), $(($(uninstall_value EstimatedSize))) KB" ||
        fail "uninstall entry lacks$missing"
    picture_entries

    # 9. The uninstaller says what it leaves; then a silent uninstall.
    wine_ja "$installed/Uninstall.exe" </dev/null >/dev/null 2>&1 &
    if box=$(wait_for_window 'アンインストール' 60); then
        xdotool windowactivate --sync "$box" >/dev/null 2>&1
        sleep 1
        shot uninstaller
        keys Escape
        gone 'アンインストール'
    else
        fail "the uninstaller showed no window"
    fi
    if uninstall && [ ! -e "$installed" ] && [ ! -e "$menu_entry" ] &&
        [ -z "$(uninstall_value DisplayName)" ]; then
        pass "silent uninstall: the program, its Start-menu entry and its uninstall entry removed"
    else
        fail "silent uninstall left: $(ls "$installed" 2>&1 | tr '\n' ' ') $(ls "$menu_entry" 2>&1)"
    fi
    learner_files | cmp -s - "$work/learner-files" &&
        pass "the learner's files in Documents\\Marelto are byte-identical after the uninstall" ||
        { fail "the learner's files changed"; learner_files | diff "$work/learner-files" -; }
fi
