#!/usr/bin/env bash
# The snow window under a window manager (openbox) with a compositor (xcompmgr): a window
# the window manager keeps in its order, with no taskbar or pager entry, never focused,
# that every click goes through, whether "Snow on top" was restored at start or ticked by
# a click. Cleared, a window opened or activated later stands above the snow; ticked
# again, the snow is above it.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-snow-managed 1024x768
convert -size 32x24 xc:'#ff0000' "$DIR/red.png"
linux_list "$DIR/red.png"
# settings ON_TOP: snow falling thickly, the rotation stopped, "Snow on top" as given.
settings() {
    linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"snow"="on"' '"s1"="30"' \
        '"s2"="100"' '"s3"="20"' '"s4"="10"' '' \
        '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\kalo-dc\cmdrun]' '"cmdstop"="0"' \
        '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\kalo-dc\check1s]' "\"check1t\"=\"$1\""
}

# The window manager and the compositor, both started here, on this display.
openbox --sm-disable >"$DIR/openbox.log" 2>&1 &
OPENBOX=$!
LINUX_PIDS+=("$OPENBOX")
wm_running() { running "$OPENBOX" && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_until 10 wm_running || { echo "FAIL: openbox did not start: $(cat "$DIR/openbox.log")"; exit 1; }
xcompmgr >/dev/null 2>&1 &
COMPOSITOR=$!
LINUX_PIDS+=("$COMPOSITOR")
compositing() { running "$COMPOSITOR" && xwininfo -root -children | grep -q '"xcompmgr"'; }
wait_until 10 compositing || { echo "FAIL: xcompmgr did not start"; exit 1; }

# --- windows ---------------------------------------------------------------------------

# geometry ID: X, Y (on the screen), WIDTH and HEIGHT of the window; all 0 without one
# (given no window, xwininfo would wait for one to be picked with the mouse).
geometry() {
    X=0 Y=0 WIDTH=0 HEIGHT=0
    [ -n "$1" ] || return 1
    read -r X Y WIDTH HEIGHT <<<"$(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 }
        /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')"
}
# shown_window VAR PID WIDTH [HEIGHT]: the visible window of the process of that size.
shown_window() {
    local -n found=$1
    local id X Y WIDTH HEIGHT seen=""
    found=""
    for id in $(xdotool search --all --onlyvisible --pid "$2" 2>/dev/null); do
        geometry "$id"
        seen+="${WIDTH}x$HEIGHT "
        [ "$WIDTH" = "$3" ] && [ "$HEIGHT" = "${4:-$HEIGHT}" ] && found=$id
    done
    E2E_SEEN="visible windows of $2: $seen"
    [ -n "$found" ]
}
snow_shown() { shown_window SNOW "$1" 1024 768; }
main_shown() { shown_window MAIN "$1" 568; }
# own_window NAME GEOMETRY VAR: a window of the test's own, blue with yellow, no white in it.
own_window() {
    xmessage -name "$1" -geometry "$2" -bg '#0000c0' -fg '#ffff00' "$1" >/dev/null 2>&1 &
    LINUX_PIDS+=($!)
    local -n id=$3
    own_shown() { id=$(xdotool search --all --onlyvisible --classname "^$1$" 2>/dev/null | head -1); [ -n "$id" ]; }
    wait_until 10 own_shown "$1" || { echo "FAIL: the test's window $1 did not show"; exit 1; }
}

# toplevel ID: the child of the root that holds the window (the window manager's frame).
toplevel() {
    local id=$1 parent
    while parent=$(xwininfo -id "$id" -tree 2>/dev/null | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p') &&
        [ -n "$parent" ] && ! xwininfo -id "$parent" 2>/dev/null | grep -q '(the root window)'; do
        id=$parent
    done
    printf '%d\n' "$id"
}
# above A B: window A is stacked above window B (xwininfo lists the root's children from
# the top down).
above() {
    local a b order
    a=$(toplevel "$1") b=$(toplevel "$2")
    order=$(xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | while read -r w; do printf '%d\n' "$w"; done)
    local at_a at_b
    at_a=$(echo "$order" | grep -nx "$a" | cut -d: -f1) at_b=$(echo "$order" | grep -nx "$b" | cut -d: -f1)
    E2E_SEEN="$1 at $at_a, $2 at $at_b from the top"
    [ -n "$at_a" ] && [ -n "$at_b" ] && [ "$at_a" -lt "$at_b" ]
}

# net_states ID: the window's _NET_WM_STATE, one name a line.
net_states() { xprop -id "$1" _NET_WM_STATE | sed 's/.*= //; s/, */\n/g'; }
# managed ON_TOP: the snow window is one the window manager manages, never focused, with no
# taskbar or pager entry; above the normal layer exactly when ON_TOP is 1.
managed() {
    local states override active
    states=$(net_states "$SNOW" | tr '\n' ' ')
    override=$(xwininfo -id "$SNOW" | sed -n 's/ *Override Redirect State: //p')
    active=$(xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*')
    E2E_SEEN="override-redirect $override; states: $states; active window $active"
    [ "$override" = no ] && xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$SNOW")" &&
        [[ "$states" == *_NET_WM_STATE_SKIP_TASKBAR* ]] && [[ "$states" == *_NET_WM_STATE_SKIP_PAGER* ]] &&
        [ "$((active))" != "$SNOW" ] &&
        if [ "$1" = 1 ]; then [[ "$states" == *_NET_WM_STATE_ABOVE* ]]; else [[ "$states" != *_NET_WM_STATE_ABOVE* ]]; fi
}

# --- clicks ----------------------------------------------------------------------------

# click_at ID DX DY: a left click at that point of the window.
click_at() {
    local X Y WIDTH HEIGHT
    geometry "$1"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# click_check_box: a click on "Snow on top", 304 pixels below the main window's menu bar.
click_check_box() {
    local X Y WIDTH HEIGHT
    geometry "$MAIN"
    click_at "$MAIN" 40 $((HEIGHT - 432 + 304))
}
stored_on_top() {
    E2E_SEEN="$(grep -i check1t "$XDG_CONFIG_HOME/kalo-dc/registry.reg")"
    grep -qi "\"check1t\"=\"$1\"" "$XDG_CONFIG_HOME/kalo-dc/registry.reg"
}

# A window of the test's own that reports the clicks it gets.
xev -name e2e-clicks -geometry 180x120+820+620 -event button >"$DIR/clicks" 2>&1 &
LINUX_PIDS+=($!)
clicks_shown() { CLICKS=$(xdotool search --all --onlyvisible --name '^e2e-clicks$' 2>/dev/null | head -1); [ -n "$CLICKS" ]; }
wait_until 10 clicks_shown || { echo "FAIL: the test's window did not show"; exit 1; }
clicks() { grep -c ButtonPress "$DIR/clicks"; }
clicked_more_than() { E2E_SEEN="$(clicks) clicks"; [ "$(clicks)" -gt "$1" ]; }

# click_goes_through WHAT: with the snow window above the test's window (else the check
# could not fail), a click on that window reaches it.
click_goes_through() {
    check_within 10 "$1: the snow is above the test's window" above "$SNOW" "$CLICKS"
    local before
    before=$(clicks)
    click_at "$CLICKS" 90 60
    check_within 5 "$1: a click on the test's window beneath the snow reaches it" clicked_more_than "$before"
}

# --- flakes ----------------------------------------------------------------------------

# white_in SHOT WxH+X+Y: the white (flake) pixels of a screenshot in that rectangle.
white_in() {
    convert "$1" -crop "$2" -format %c histogram:info: 2>/dev/null |
        awk 'toupper(substr($3, 1, 7)) == "#FFFFFF" { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
area_of() {
    local X Y WIDTH HEIGHT
    geometry "$1"
    echo "${WIDTH}x${HEIGHT}+$X+$Y"
}
CONTROL=200x120+10+620 # bare desktop, where flakes fall
# flakes_shot ID: one screenshot; ON (the window's flake pixels) and BESIDE (the bare
# desktop's).
flakes_shot() {
    xwd -root -silent >"$DIR/shot.xwd"
    ON=$(white_in "$DIR/shot.xwd" "$(area_of "$1")") BESIDE=$(white_in "$DIR/shot.xwd" "$CONTROL")
}
# no_flakes_on ID: a second of shots (several frames) without a flake pixel on the window,
# while flakes fall on the desktop beside it.
no_flakes_on() {
    local start=$SECONDS shots=0
    while [ $shots -lt 3 ] || [ $((SECONDS - start)) -lt 2 ]; do
        flakes_shot "$1"
        shots=$((shots + 1))
        E2E_SEEN="shot $shots: $ON flake pixels on it, $BESIDE beside it"
        [ "$ON" = 0 ] && [ "$BESIDE" -gt 0 ] || return 1
    done
}
flakes_on() { flakes_shot "$1"; E2E_SEEN="$ON flake pixels on it"; [ "$ON" -gt 0 ]; }

# --- restored at start -----------------------------------------------------------------

settings 1
linux_start FIRST
check_within 30 "restored \"Snow on top\": the snow shows in its window" snow_shown "$FIRST"
check_within 10 "restored \"Snow on top\": the window manager keeps it above, never focused, in no taskbar" managed 1
click_goes_through "restored \"Snow on top\""
kill "$FIRST"
check_within 10 "told to end, it ends" ended "$FIRST"

# --- ticked and cleared by clicks ------------------------------------------------------

own_window e2e-earlier 300x100+10+10 EARLIER
settings 0
# The clicks need the main window, which shows at start without a tray.
linux_start SECOND
wait_until 30 main_shown "$SECOND"
check "the main window shows (no tray)" main_shown "$SECOND"
[ -n "$MAIN" ] || { echo "FAIL: no main window to click in"; e2e_finish; exit 1; }
check_within 30 "the snow shows in its window" snow_shown "$SECOND"
check_within 10 "cleared: the window manager keeps it in the normal layer, never focused, in no taskbar" managed 0
click_check_box
check_within 10 "a click ticks \"Snow on top\"" stored_on_top 1
check_within 10 "ticked: the snow shows in its window" snow_shown "$SECOND"
check_within 10 "ticked: the window manager keeps it above, never focused, in no taskbar" managed 1
click_goes_through "\"Snow on top\" ticked by a click"
click_check_box
check_within 10 "a click through the snow clears \"Snow on top\"" stored_on_top 0
check_within 10 "cleared: the snow shows in its window" snow_shown "$SECOND"
check_within 10 "cleared: the window manager keeps it in the normal layer" managed 0
xdotool windowactivate "$EARLIER" 2>/dev/null
check_within 10 "cleared: a window activated later stands above the snow" above "$EARLIER" "$SNOW"
check_within 10 "cleared: no flake falls on the window activated later" no_flakes_on "$EARLIER"
own_window e2e-later 300x100+700+10 LATER
check_within 10 "cleared: a window opened later stands above the snow" above "$LATER" "$SNOW"
check_within 10 "cleared: no flake falls on the window opened later" no_flakes_on "$LATER"
click_check_box
check_within 10 "a click ticks \"Snow on top\" again" stored_on_top 1
check_within 10 "ticked again: the snow is above the window opened later" above "$SNOW" "$LATER"
check_within 10 "ticked again: flakes fall on the window opened later" flakes_on "$LATER"
click_goes_through "\"Snow on top\" ticked again"
sanitizers_quiet() { E2E_SEEN="$(grep -m1 -E 'AddressSanitizer|runtime error' "$DIR/program.log")"; [ -z "$E2E_SEEN" ]; }
check "no sanitizer report in the program's output" sanitizers_quiet
e2e_finish
