#!/usr/bin/env bash
# The Linux program under a window manager (openbox), without a tray, so that its main
# window shows: a "Missing File" box holds the rotation until it is answered, so it must
# stay in sight whatever becomes of the main window. Minimizing the main window while a
# box is open, or while the rotation reaches the broken file again, leaves the box on
# screen above the main window's place; answered, the rotation goes on.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-boxes 1024x768
convert -size 64x48 xc:'#c03030' "$DIR/red.png"
convert -size 64x48 xc:'#3030c0' "$DIR/blue.bmp"
echo "not a picture" >"$DIR/broken.jpg"
linux_list "$DIR/red.png" "$DIR/broken.jpg" "$DIR/blue.bmp"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="1"' '"c2"="Second(s)"'
openbox --sm-disable >/dev/null 2>&1 &
LINUX_PIDS+=($!)
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
check_within 10 "openbox manages the display" managed
linux_start PROGRAM

main_window() { xdotool search --all --onlyvisible --pid "$PROGRAM" --name '^KALO Desktop' 2>/dev/null | head -n 1; }
boxes() { xdotool search --all --pid "$PROGRAM" --name '^Missing File$' 2>/dev/null; }
# box_in_sight: one box of the program, mapped on screen; E2E_SEEN tells its state.
box_in_sight() {
    local id
    id="$(boxes | head -n 1)"
    E2E_SEEN="${id:-no box}"
    [ -n "$id" ] || return 1
    E2E_SEEN="$(xwininfo -id "$id" 2>/dev/null | sed -n 's/ *Map State: //p')"
    [ "$E2E_SEEN" = IsViewable ]
}
answer_boxes() {
    local id
    for id in $(boxes); do timeout 5 xdotool windowfocus --sync "$id" key Return 2>/dev/null; done
    [ -z "$(boxes)" ]
}
bitmap_stamp() { stat -c '%i %y' "$DIR/bin/KALO.bmp" 2>/dev/null; }
bitmap_changed_from() { [ "$(bitmap_stamp)" != "$1" ]; }
minimized() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q 'Iconic'; }

main_shown() { [ -n "$(main_window)" ]; }
# box_above_main: the window manager stacks the box above the main window.
box_above_main() {
    local order box main
    order="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')"
    box="$(printf '0x%x' "$(boxes | head -n 1)")" main="$(printf '0x%x' "$MAIN")"
    E2E_SEEN="from the bottom: $order; box $box, main window $main"
    order=" ${order// /  } " # each id between blanks of its own
    [[ "$order" == *" $main "*" $box "* ]]
}

# The main window shows for a moment while the program starts, before it knows that
# there is no tray: it is looked for once the first box is up, long after that.
check_within 20 "the broken file raises a box" box_in_sight
check "without a tray the main window shows" main_shown
MAIN=$(main_window)
check_within 5 "above the main window" box_above_main
xdotool windowminimize "$MAIN"
check_within 10 "the main window is minimized" minimized "$MAIN"
check_within 5 "the box stays on screen when the main window is minimized" box_in_sight
check_within 10 "answered, it goes" answer_boxes
STAMP=$(bitmap_stamp)
check_within 10 "the rotation goes on" bitmap_changed_from "$STAMP"
check_within 20 "with the main window minimized, the broken file's next box shows" box_in_sight
check_within 10 "answered, it goes" answer_boxes
STAMP=$(bitmap_stamp)
check_within 10 "and the rotation goes on" bitmap_changed_from "$STAMP"
e2e_finish
