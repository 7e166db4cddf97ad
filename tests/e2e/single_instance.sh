#!/usr/bin/env bash
# A second start while the program runs shows the notice, ends by itself after about five
# seconds and touches nothing; the first copy keeps running.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup single_instance
first="" second="" # the two copies, set by start_program

first_is_up() { running "$first" && [ "$(reg_get "$E2E_KEY" snow)" = off ]; }

# The notice: the one visible window of the second process, as "id x y width height".
notice_window() { visible_windows "$second" | head -n 1; }
notice_shown() { [ -n "$(notice_window)" ]; }

# Dark pixels in a window's picture: the two lines of text on the notice.
dark_pixels() {
    import -window "$1" "$E2E_DIR/notice.png" 2>/dev/null &&
        convert "$E2E_DIR/notice.png" -colorspace Gray -threshold 50% -format %c histogram:info: |
        awk '$3 == "#000000" || $3 == "#000" { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

start_program first
check_within 15 "the first copy starts and stores its snow switch" first_is_up
sleep 1 # let its start-up finish: the tray icon comes last
wine reg delete "$E2E_KEY" /v snow /f >/dev/null 2>&1

started_at=$SECONDS
start_program second
check_within 5 "the second copy shows a window" notice_shown
read -r id _ _ width height <<<"$(notice_window)"
title="<no window>"
[ -z "${id:-}" ] || title="$(xdotool getwindowname "$id" 2>/dev/null)"
check_equal "the notice has no title text" "" "$title"
check "the notice is a small window (${width:-?}x${height:-?})" \
    test "${width:-0}" -ge 150 -a "${width:-0}" -le 800 -a "${height:-0}" -ge 40 -a "${height:-0}" -le 400
dark=$(dark_pixels "${id:-0}")
check "the notice shows text (${dark:-0} dark pixels)" test "${dark:-0}" -gt 200
check "the first copy runs while the notice shows" running "$first"

check_within 12 "the second copy ends by itself" ended "$second"
elapsed=$((SECONDS - started_at))
check "it ended after about 5 s (${elapsed} s)" test "$elapsed" -ge 4 -a "$elapsed" -le 10
check "the first copy still runs afterwards" running "$first"
check "the first copy keeps its windows" test -n "$(xdotool search --pid "$first" 2>/dev/null)"
check "the second copy stored nothing (no snow switch written)" \
    test -z "$(reg_get "$E2E_KEY" snow)"

e2e_finish
