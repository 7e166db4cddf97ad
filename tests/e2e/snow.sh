#!/usr/bin/env bash
# Snow left on at the slider values 50, 100, 50, 10: white flakes fall over the whole
# screen and the black background of the snow window lets the desktop show through.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup snow
first="" # the running copy, set by start_program

DESKTOP='#3366AA'
reg_set "$E2E_KEY" snow on
for setting in s1=50 s2=100 s3=50 s4=10; do reg_set "$E2E_KEY" "${setting%=*}" "${setting#*=}"; done

read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
SCREEN_PIXELS=$((screen_width * screen_height))
shot() { import -window root "$E2E_DIR/$1.png" 2>/dev/null; }
count() { colour_count "$E2E_DIR/$1.png" "$2"; }

# The snow window: a visible window of the program that covers the whole screen.
covers_screen() { visible_windows "$first" | grep -q " 0 0 $screen_width $screen_height$"; }

# other_windows_masked NAME: the screenshot with every visible window of another program
# (the tray of Wine, say) painted over in the desktop colour, so its pixels do not count.
other_windows_masked() {
    local id owner X Y WIDTH HEIGHT rectangles=()
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        owner=$(xdotool getwindowpid "$id" 2>/dev/null) # none for the root window
        [ -z "$owner" ] || [ "$owner" = "$first" ] && continue
        X=0 Y=0 WIDTH=0 HEIGHT=0
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
        rectangles+=(-draw "rectangle $X,$Y $((X + WIDTH - 1)),$((Y + HEIGHT - 1))")
    done
    convert "$E2E_DIR/$1.png" -fill "$DESKTOP" "${rectangles[@]}" "$E2E_DIR/$1.png"
}

paint_root "$DESKTOP"
shot before
check "the desktop shows its colour before the start" \
    test "$(count before "$DESKTOP")" -gt $((SCREEN_PIXELS * 9 / 10))
check "no white on the screen before the start" test "$(count before '#FFFFFF')" -lt 1000

start_program first
check_within 15 "a window of the program covers the whole screen" covers_screen
sleep 2 # some frames of snow
shot snow
desktop=$(count snow "$DESKTOP")
cp "$E2E_DIR/snow.png" "$E2E_DIR/masked.png"
other_windows_masked masked
white=$(count masked '#FFFFFF')
black=$(count masked '#000000')
check "many white pixels: flakes ($white of $SCREEN_PIXELS)" test "$white" -gt $((SCREEN_PIXELS / 10))
check "no black pixel: the colour key hides the background ($black)" test "$black" -eq 0
check "the desktop shows between the flakes ($desktop pixels)" test "$desktop" -gt 20000
# White in the bottom quarter too: the flakes fall over the whole height of the screen.
convert "$E2E_DIR/masked.png" -crop "${screen_width}x$((screen_height / 4))+0+$((screen_height * 3 / 4))" \
    +repage "$E2E_DIR/bottom.png"
check "flakes reach the bottom quarter of the screen" \
    test "$(count bottom '#FFFFFF')" -gt $((SCREEN_PIXELS / 80))

sleep 0.5
shot later
changed=$(compare -metric AE "$E2E_DIR/snow.png" "$E2E_DIR/later.png" null: 2>&1 |
    awk '{ printf "%d", $1 }')
check "the snow moves: ${changed:-no} pixels changed in 0.5 s" test "${changed:-0}" -gt 1000
check_equal "the snow switch is stored again" on "$(reg_get "$E2E_KEY" snow)"

e2e_finish
