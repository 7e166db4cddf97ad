#!/usr/bin/env bash
# The texts the program stores, as other readers see them: the registry editor exports
# each one whole; the log-on Run value holds the quoted program path, and starting what
# it names starts the program, which then shows "Run on StartUp" ticked; turning the item
# off removes the value.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup registry_texts
first="" logon="" # the copy started here and the copy the Run value started

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
old_tile="$(reg_get "$E2E_DESKTOP_KEY" TileWallpaper)"
old_style="$(reg_get "$E2E_DESKTOP_KEY" WallpaperStyle)"
# put_back NAME TEXT: a desktop value as it was before, or none if there was none.
put_back() {
    if [ -n "$2" ]; then reg_set "$E2E_DESKTOP_KEY" "$1" "$2"; else
        wine reg delete "$E2E_DESKTOP_KEY" /v "$1" /f >/dev/null 2>&1
    fi
}
finish_here() {
    e2e_cleanup
    wine reg delete "$RUN_KEY" /v "KALO DC" /f >/dev/null 2>&1
    put_back TileWallpaper "$old_tile"
    put_back WallpaperStyle "$old_style"
}
trap finish_here EXIT
wine reg delete "$RUN_KEY" /v "KALO DC" /f >/dev/null 2>&1

# Values stored as numbers or expandable text, so that a REG_SZ line in the export can
# only come from the program's own rewrite of them.
convert -size 64x48 xc:red "$E2E_DIR/first.bmp"
convert -size 64x48 xc:blue "$E2E_DIR/second.bmp"
write_list_file "$E2E_DIR/first.bmp" "$E2E_DIR/second.bmp"
wine reg add "$E2E_KEY" /v C1 /t REG_DWORD /d 5 /f >/dev/null 2>&1
wine reg add "$E2E_KEY" /v C2 /t REG_EXPAND_SZ /d 'Second(s)' /f >/dev/null 2>&1
for n in 1 2 3 4; do wine reg add "$E2E_KEY" /v "s$n" /t REG_DWORD /d $((n + 6)) /f >/dev/null 2>&1; done

# export KEY: the registry editor's export of the key (which wants the root's full
# name), as UTF-8 lines.
export_key() {
    local file="$E2E_DIR/export.reg"
    rm -f "$file"
    wine regedit /E "$(windows_path "$file")" "$(sed 's/^HKCU\\/HKEY_CURRENT_USER\\/' <<<"$1")" \
        >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$file" 2>/dev/null | tr -d '\r'
}
# exported_line EXPORT NAME: the export's line for one value.
exported_line() { grep -i -- "^\"$2\"=" <<<"$1"; }
# The Run key exported whole, without a value for the program.
run_key_without_value() {
    local lines
    lines="$(export_key "$RUN_KEY")"
    grep -Fxq '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]' <<<"$lines" &&
        ! grep -q '^"KALO DC"=' <<<"$lines"
}

# The tray menu of a copy, driven with the mouse as a user does, through lib.sh's menus.
# choose PID INDEX: an item of the open tray menu's four.
choose() { click_menu_item "$(menu_windows "$1" | head -n 1)" "$2" 4; }
two_menus() { [ "$(menu_windows "$1" | wc -l)" -ge 2 ]; }
# choose_style PID INDEX: an item of the "WallPapers Style" sub-menu's three.
choose_style() {
    # shellcheck disable=SC2046 # "x y"
    xdotool mousemove $(menu_item_point "$(menu_windows "$1" | head -n 1)" 1 4) &&
        wait_until 5 two_menus "$1" &&
        click_menu_item "$(menu_windows "$1" | sort -k2,2n | tail -n 1)" "$2" 3
}

is_up() { running "$1" && [ -n "$(tray_window)" ] && [ "$(reg_get "$E2E_KEY" s4)" = 10 ]; }
start_program first
check_within 15 "the program starts and restores its settings" is_up "$first"
check_within 15 "the tray menu opens" open_tray_menu "$first"
choose_style "$first" 2 # "Stretched"
check_within 5 "the style is stored" test "$(reg_get "$E2E_DESKTOP_KEY" WallpaperStyle)" = 2
check_within 15 "the tray menu opens again" open_tray_menu "$first"
choose "$first" 2 # "Run on StartUp"
check_within 5 "the Run value is stored" test -n "$(reg_get "$RUN_KEY" "KALO DC")"

# check_exported KEY NAME TEXT: the registry editor's export shows the value's whole text.
check_exported() {
    check_equal "the export of $2 holds its whole text" "\"$2\"=\"$3\"" \
        "$(exported_line "$(export_key "$1")" "$2")"
}
for value in C1=5 'C2=Second(s)' snow=off s1=7 s2=8 s3=9 s4=10; do
    check_exported "$E2E_KEY" "${value%%=*}" "${value#*=}"
done
check_exported "$E2E_APP_KEY\\cmdrun" cmdstop 1
check_exported "$E2E_DESKTOP_KEY" TileWallpaper 0
check_exported "$E2E_DESKTOP_KEY" WallpaperStyle 2
# The program path in quotes; the export escapes each quote and backslash with a backslash.
escaped_path="$(sed 's/\\/\\\\/g' <<<"$(windows_path "$E2E_DIR")\\KALO DC.exe")"
check_exported "$RUN_KEY" "KALO DC" '\"'"$escaped_path"'\"'

check_within 15 "the tray menu opens for Exit" open_tray_menu "$first"
choose "$first" 3 # "Exit"
check_within 5 "Exit ends the program" ended "$first"

# The log-on processing: the command line the Run value holds, given as it stands to the
# command interpreter, from another folder.
command_line="$(reg_get "$RUN_KEY" "KALO DC")"
(cd / && printf '%s\r\nexit\r\n' "$command_line" | wine cmd) >/dev/null 2>&1 &
# The copy that command line started: another "KALO DC.exe" of this prefix whose command
# line names the program in this script's folder.
started_copy() {
    local pid folder
    folder="$(windows_path "$E2E_DIR")"
    for pid in $(pgrep -x "KALO DC.exe"); do
        [ "$pid" != "$first" ] || continue
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qiF "$folder\\KALO DC.exe" || continue
        logon=$pid
        E2E_PIDS+=("$pid")
        return 0
    done
    return 1
}
check_within 15 "the Run value's command line starts the program" started_copy
check_within 15 "the started copy shows its tray icon" is_up "$logon"
check_within 15 "its tray menu opens" open_tray_menu "$logon"
choose "$logon" 2 # "Run on StartUp", ticked: the copy knew its quoted path
check_within 5 "the menu closes" no_menu_shown "$logon"
gone() { ! wine reg query "$RUN_KEY" /v "KALO DC" >/dev/null 2>&1; }
check_within 5 "turning it off deletes the Run value" gone
check "the export of the Run key holds no value for the program" run_key_without_value

e2e_finish
