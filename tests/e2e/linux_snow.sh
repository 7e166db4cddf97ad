#!/usr/bin/env bash
# Snow at the slider maxima over a red desktop, with "Snow on top" ticked: white flakes,
# the desktop between them and no black, whether they are drawn into the root window
# (no compositor: beneath the windows, gone when the program ends) or fall in a
# translucent window over the whole screen (a compositor runs); the program follows a
# compositor that comes and goes.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-snow 1280x1024
convert -size 32x24 xc:'#ff0000' "$DIR/red.png"
linux_list "$DIR/red.png" "$DIR/red.png"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="1"' '"c2"="Minute(s)"' \
    '"snow"="on"' '"s1"="50"' '"s2"="100"' '"s3"="50"' '"s4"="10"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"'
PIXELS=$((1280 * 1024))

# counts NAME: a screenshot; sets WHITE, BLACK and RED to its pixel counts.
counts() {
    xwd -root -silent >"$DIR/$1.xwd"
    read -r WHITE BLACK RED <<<"$(convert "$DIR/$1.xwd" -format %c histogram:info: 2>/dev/null |
        awk '{ sub(":", "", $1); c[substr(toupper($3), 1, 7)] += $1 }
             END { printf "%d %d %d\n", c["#FFFFFF"], c["#000000"], c["#FF0000"] }')"
}

# Flakes fall over the desktop: the best of up to 20 shots has white on more than 1% of
# the screen, the desktop's red on more than 2% (flakes at these sizes cover most of
# it; a window that hid the desktop would leave none) and black on less than 1% (a
# frame being replaced may show a moment of either).
snow_over_desktop() {
    local shot best=$PIXELS
    for shot in $(seq 20); do
        counts "shot$shot"
        [ "$BLACK" -lt "$best" ] && best=$BLACK
        E2E_SEEN="best shot: $WHITE white, $best black, $RED red of $PIXELS"
        [ "$WHITE" -gt $((PIXELS / 100)) ] && [ "$RED" -gt $((PIXELS / 50)) ] &&
            [ "$BLACK" -lt $((PIXELS / 100)) ] && return 0
    done
    return 1
}

linux_start FIRST
check_within 30 "without a compositor the snow falls on the desktop" snow_over_desktop
kill "$FIRST"
check_within 10 "told to end, it ends" ended "$FIRST"
# What stays on screen: the root window, without any flake.
no_flake_left() { counts after; E2E_SEEN="$WHITE white, $RED red"; [ "$WHITE" -lt 100 ] && [ "$RED" -gt $((PIXELS / 2)) ]; }
check_within 5 "no flake stays on the desktop after it" no_flake_left

# Whether the program shows a window over the whole screen: the snow window.
snow_window() {
    local id n=0
    for id in $(xdotool search --onlyvisible --class '^kalo-dc$' 2>/dev/null); do
        xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1280x1024' && n=$((n + 1))
    done
    E2E_SEEN="$n windows over the whole screen"
    [ "$n" = "$1" ]
}
compositing() { running "$COMPOSITOR" && xwininfo -root -children | grep -q '"xcompmgr"'; }
start_compositor() {
    xcompmgr >/dev/null 2>&1 &
    COMPOSITOR=$!
    LINUX_PIDS+=("$COMPOSITOR")
    wait_until 10 compositing
}

# xcompmgr paints the desktop from the root pixmap it found at its start, and does not
# follow a new one: the second run leaves the desktop as the first left it. It also paints
# black beneath a translucent window wherever an opaque window was mapped above it later,
# so a tray keeps the main window hidden.
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"snow"="on"' '"s1"="50"' '"s2"="100"' \
    '"s3"="50"' '"s4"="10"' '' '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\kalo-dc\cmdrun]' \
    '"cmdstop"="0"' # the rotation stopped: the desktop stays as it is
# Under a window manager, as on a desktop (linux_snow_managed.sh checks what it does with
# "Snow on top").
openbox --sm-disable >/dev/null 2>&1 &
OPENBOX=$!
LINUX_PIDS+=("$OPENBOX")
wm_running() { running "$OPENBOX" && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
check_within 10 "the window manager runs" wm_running
linux_tray
wait_until 10 shows_window "$LINUX_TRAY"
start_compositor
linux_start SECOND
check_within 30 "with a compositor the snow shows in a window over the whole screen" snow_window 1
check_within 30 "with the desktop between the flakes and no black" snow_over_desktop
kill "$COMPOSITOR"
check_within 10 "the compositor gone, the window goes" snow_window 0
check_within 30 "and the snow falls on the desktop" snow_over_desktop
start_compositor
check_within 10 "a compositor back, the window comes back" snow_window 1
check_within 30 "again with the desktop between the flakes" snow_over_desktop
kill "$SECOND" # no window of it may hold the end up, the snow window shown included
check_within 10 "told to end while its snow window shows, it ends" ended "$SECOND"
# An X server that cannot reach the program's memory (on another machine; here, the
# program in an IPC namespace of its own): Qt paints the snow window instead.
if unshare --ipc true 2>/dev/null; then
    unshare --ipc "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    THIRD=$!
    LINUX_PIDS+=("$THIRD")
    check_within 30 "with memory the X server cannot share, the flakes still show" snow_over_desktop
else
    echo "SKIP: no IPC namespace of its own for the program here (unshare --ipc refused)"
fi
e2e_finish
