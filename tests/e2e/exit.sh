#!/usr/bin/env bash
# The tray menu, driven with the mouse: "Show Menu" shows the main window and "Exit" ends
# the program at once, leaving nothing behind and the stored run state as it was; a new
# start then runs as the only copy and resumes the rotation.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup exit
first="" # the running copy, set by start_program

MAIN_CAPTION='KALO Desktop Wallpaper Changer [ KALO DC ]'
convert -size 64x48 xc:red "$E2E_DIR/first.bmp"
convert -size 64x48 xc:blue "$E2E_DIR/second.bmp"
write_list_file "$E2E_DIR/first.bmp" "$E2E_DIR/second.bmp"
reg_set "$E2E_KEY" c1 1
reg_set "$E2E_KEY" c2 'Second(s)'
BITMAP="$E2E_DIR/KALO.bmp"

is_up() {
    E2E_SEEN="KALO.bmp $([ -f "$BITMAP" ] && echo written || echo missing), tray\
 $(tray_shown && echo shown || echo hidden)"
    [ -f "$BITMAP" ] && tray_shown
}

main_window_shown() {
    local id name
    E2E_SEEN="visible windows:"
    for id in $(xdotool search --onlyvisible --pid "$first" 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null)
        E2E_SEEN+=" '$name'"
        [ "$name" = "$MAIN_CAPTION" ] && return 0
    done
    return 1
}

main_window_hidden() { ! main_window_shown; }

# No X window of the process is left (the X server drops them once it sees the end).
no_window_left() {
    E2E_SEEN="windows $(xdotool search --pid "$first" 2>/dev/null | tr '\n' ' ')"
    [ -z "$(xdotool search --pid "$first" 2>/dev/null)" ]
}

first_ended() {
    E2E_SEEN="the program $(running "$first" && echo runs || echo ended)"
    ended "$first"
}

check_within 30 "no tray icon shows before the start" no_tray_shown
start_program first
check_within 60 "the program starts: KALO.bmp written, tray icon shown" is_up
check "the main window stays hidden after start-up" main_window_hidden

check "a right click on the tray icon opens the tray menu" open_tray_menu "$first"
click_menu_item "$(menu_windows "$first")" 0 4 # "Show Menu"
check_within 15 "\"Show Menu\" shows the main window" main_window_shown

check "the tray menu opens again" open_tray_menu "$first"
click_menu_item "$(menu_windows "$first")" 3 4 # "Exit"
check_within 10 "\"Exit\" ends the program" first_ended
check_equal "no process of the program remains" "" "$(program_processes)"
check_within 10 "no window of the program remains" no_window_left
check_equal "Exit keeps the stored run state (cmdrun/cmdstop)" 1 \
    "$(reg_get "$E2E_APP_KEY\\cmdrun" cmdstop)"

# A fresh start is the only copy again: it resumes the rotation and rewrites KALO.bmp.
written=$(stat -c %.9Y "$BITMAP" 2>/dev/null || echo none)
start_program first
rewritten() { [ -f "$BITMAP" ] && [ "$(stat -c %.9Y "$BITMAP")" != "$written" ]; }
check_within 60 "a new start after Exit resumes the rotation" rewritten
kill "$first" 2>/dev/null
check_within 10 "killing the program ends it" first_ended
check_equal "after the kill no process of the program remains" "" "$(program_processes)"

e2e_finish
