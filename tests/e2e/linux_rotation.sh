#!/usr/bin/env bash
# The Linux program itself on a bare X11 display (no desktop environment): the rotation
# paints each picture into the root window in turn and names it for other programs, the
# settings file is read and kept, and a second start shows the notice and ends.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-rotation
convert -size 64x48 xc:'#ff0000' "$DIR/red one.png"
convert -size 64x48 xc:'#0000ff' "$DIR/blue.png"
linux_list "$DIR/red one.png" "$DIR/blue.png"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="2"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"'

# The screen near its top left corner, where no window of the program stands (without a
# tray the main window shows at the centre).
root_is() {
    E2E_SEEN="$(screen_colour 12 12)"
    [ "$E2E_SEEN" = "$1" ]
}
root_named() {
    E2E_SEEN="$(xprop -root _XROOTPMAP_ID ESETROOT_PMAP_ID 2>&1 | tr '\n' ' ')"
    [[ "$E2E_SEEN" == *"_XROOTPMAP_ID(PIXMAP): pixmap id # 0x"*"ESETROOT_PMAP_ID(PIXMAP): pixmap id # 0x"* ]]
}

linux_start FIRST
check_within 20 "the first picture fills the root window (stretched)" root_is '#FF0000'
check_within 10 "the second picture follows" root_is '#0000FF'
check_within 10 "then the first again" root_is '#FF0000'
check "the root pixmap is named for other programs" root_named
main_shown() { E2E_SEEN="$(xdotool search --onlyvisible --name '^KALO Desktop Wallpaper Changer' | wc -l) windows"; [ "$E2E_SEEN" = "1 windows" ]; }
check "without a tray the main window shows at start" main_shown
check "KALO.bmp is beside the program" test -s "$DIR/bin/KALO.bmp"
check "the path is recorded in the settings file" \
    grep -q "\"Wallpaper\"=\"$DIR/bin/KALO.bmp\"" "$XDG_CONFIG_HOME/kalo-dc/registry.reg"

STARTED=$(now)
linux_start SECOND
check_within 15 "a second start ends by itself after its notice" ended "$SECOND"
RAN=$(elapsed_between "$STARTED" "$(now)")
check "it stayed for its five-second notice (ran $RAN s)" awk -v t="$RAN" 'BEGIN { exit !(t >= 4.8) }'
wait "$SECOND"
check_equal "it ended normally" 0 "$?"
check "the first program runs on" running "$FIRST"
kill "$FIRST"
check_within 5 "the program ends when told" ended "$FIRST"
e2e_finish
