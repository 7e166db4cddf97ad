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
reg_set "$E2E_KEY" c1 5 # time enough to see each picture on a busy machine
reg_set "$E2E_KEY" c2 'Second(s)'
reg_set "$E2E_DESKTOP_KEY" Wallpaper ''
BITMAP="$E2E_DIR/KALO.bmp"

FIRST=('srgb(255,0,0)' 'srgb(0,255,0)')
SECOND=('srgb(0,0,255)' 'srgb(255,255,0)')

# What KALO.bmp shows, read whole: "first", "second", or the colours of its top and bottom
# halves ("none" while there is no file, nothing while it cannot be decoded).
showing() {
    [ -f "$BITMAP" ] || { echo none; return; }
    local colours # both read from one reading of the file
    colours=$(convert "$BITMAP" -format '%[pixel:p{1,1}] %[pixel:p{62,46}]' info: 2>/dev/null)
    case "$colours" in
    "${FIRST[*]}") echo first ;;
    "${SECOND[*]}") echo second ;;
    *) echo "$colours" ;;
    esac
}

# shows PICTURE...: KALO.bmp holds one of these pictures, whole; SHOWN says which.
shows() {
    SHOWN=$(showing)
    E2E_SEEN="KALO.bmp shows '$SHOWN'"
    local picture
    for picture in "$@"; do [ "$SHOWN" = "$picture" ] && return 0; done
    return 1
}

start_program first
check_within 60 "KALO.bmp appears beside the program with a whole picture" shows first second
check_equal "KALO.bmp holds the first picture first, right way up" first "$SHOWN"
check_within 30 "KALO.bmp changes to the second picture" shows second
check_within 30 "the rotation wraps back to the first picture" shows first
check_equal "the desktop wallpaper names KALO.bmp" "$(windows_path "$BITMAP")" \
    "$(reg_get "$E2E_DESKTOP_KEY" Wallpaper)"
check_equal "the running rotation is stored (cmdrun/cmdstop)" 1 \
    "$(reg_get "$E2E_APP_KEY\\cmdrun" cmdstop)"
check "the program still runs" running "$first"

e2e_finish
