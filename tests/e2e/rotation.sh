#!/usr/bin/env bash
# The rotation resumes by itself at start: KALO.bmp beside the program holds the first
# picture, then the second, then the first again, and the desktop wallpaper names KALO.bmp.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup rotation
first="" # the running copy, set by start_program

# Two-coloured pictures, so that a picture written upside down is caught as well.
convert -size 64x48 xc:red -fill lime -draw 'rectangle 0,24 63,47' "$E2E_DIR/first.bmp"
convert -size 64x48 xc:blue -fill yellow -draw 'rectangle 0,24 63,47' "$E2E_DIR/second.bmp"
write_list_file "$E2E_DIR/first.bmp" "$E2E_DIR/second.bmp"
reg_set "$E2E_KEY" c1 2
reg_set "$E2E_KEY" c2 'Second(s)'
reg_set "$E2E_DESKTOP_KEY" Wallpaper ''
BITMAP="$E2E_DIR/KALO.bmp"

# shows_picture TOP BOTTOM: KALO.bmp has these colours in its top and bottom halves.
shows_picture() {
    [ -f "$BITMAP" ] && [ "$(pixel "$BITMAP" 1 1)" = "$1" ] && [ "$(pixel "$BITMAP" 62 46)" = "$2" ]
}
FIRST=('srgb(255,0,0)' 'srgb(0,255,0)')
SECOND=('srgb(0,0,255)' 'srgb(255,255,0)')

start_program first
check_within 15 "KALO.bmp appears beside the program" test -f "$BITMAP"
check "KALO.bmp holds the first picture, right way up" shows_picture "${FIRST[@]}"
check_within 10 "KALO.bmp changes to the second picture" shows_picture "${SECOND[@]}"
check_within 10 "the rotation wraps back to the first picture" shows_picture "${FIRST[@]}"
check_equal "the desktop wallpaper names KALO.bmp" "$(windows_path "$BITMAP")" \
    "$(reg_get "$E2E_DESKTOP_KEY" Wallpaper)"
check_equal "the running rotation is stored (cmdrun/cmdstop)" 1 \
    "$(reg_get "$E2E_APP_KEY\\cmdrun" cmdstop)"
check "the program still runs" running "$first"

e2e_finish
