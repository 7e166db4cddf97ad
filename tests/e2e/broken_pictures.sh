#!/usr/bin/env bash
# Broken pictures in a running rotation: an empty file, text named .jpg, a truncated
# JPEG, a PNG whose header claims 100,000 x 100,000 pixels and a deleted file. The
# program shows one "Missing File" box at a time, never crashes, and the good pictures
# still reach KALO.bmp, box open or not.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup broken-pictures
program=""

convert -size 64x48 xc:red "$E2E_DIR/red.bmp"
convert -size 64x48 xc:blue "$E2E_DIR/blue.bmp"
convert -size 640x480 plasma:fractal -quality 90 "$E2E_DIR/whole.jpg"
head -c "$(($(stat -c %s "$E2E_DIR/whole.jpg") / 3))" "$E2E_DIR/whole.jpg" >"$E2E_DIR/truncated.jpg"
: >"$E2E_DIR/empty.jpg"
echo "not a picture" >"$E2E_DIR/text.jpg"
printf '\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x01\x86\xa0\x00\x01\x86\xa0\x08\x02\x00\x00\x00\x27\x30\x9c\x9f\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63\x60\xa0\x0c\x00\x00\x00\x40\x00\x01\xb7\x34\x7c\xef\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82' \
    >"$E2E_DIR/huge.png"
write_list_file "$E2E_DIR/red.bmp" "$E2E_DIR/empty.jpg" "$E2E_DIR/text.jpg" \
    "$E2E_DIR/truncated.jpg" "$E2E_DIR/huge.png" "$E2E_DIR/gone.jpg" "$E2E_DIR/blue.bmp"
reg_set "$E2E_KEY" c1 1
reg_set "$E2E_KEY" c2 'Second(s)'

# The program's boxes, found by its process id: another program's box is none of ours.
boxes() { xdotool search --all --onlyvisible --pid "$program" --name '^Missing File$' 2>/dev/null; }
box_count() { boxes | wc -l; }

start_program program
# Counts the boxes shown at once, as often as it can, for the whole run.
MOST_BOXES="$E2E_DIR/most-boxes"
echo 0 >"$MOST_BOXES"
(
    most=0
    while :; do
        n=$(box_count)
        [ "$n" -le "$most" ] || { most=$n; echo "$most" >"$MOST_BOXES"; }
        sleep 0.1
    done
) &
SAMPLER=$!
E2E_PIDS+=("$SAMPLER")

box_shown() { E2E_SEEN="$(box_count) boxes"; [ "$E2E_SEEN" = "1 boxes" ]; }
shows() { # shows COLOUR: KALO.bmp holds the picture of that colour
    E2E_SEEN="KALO.bmp shows '$(pixel "$E2E_DIR/KALO.bmp" 5 5)'"
    [ "$E2E_SEEN" = "KALO.bmp shows '$1'" ]
}

check_within 60 "a \"Missing File\" box reports a broken picture" box_shown
check_within 30 "with the box open the red picture reaches KALO.bmp" shows 'srgb(255,0,0)'
check_within 30 "and so does the blue one" shows 'srgb(0,0,255)'
# The box closes with a click on its OK button, at the middle of its bottom edge.
first_box=$(boxes | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$first_box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 18)) click 1
box_gone() { ! boxes | grep -qx "$first_box"; }
check_within 10 "the box closes with its OK button" box_gone
check_within 30 "the next broken picture is reported in a box of its own" box_shown
check_within 30 "the red picture comes round again" shows 'srgb(255,0,0)'
check "the program still runs" running "$program"
check_equal "never more than one box at a time" 1 "$(cat "$MOST_BOXES")"

e2e_finish
