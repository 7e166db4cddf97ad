#!/usr/bin/env bash
# A second start while the program runs shows the notice, ends by itself after about five
# seconds and touches nothing; the first copy keeps running.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup single_instance
first="" second="" # the two copies, set by start_program

# The first copy's start-up is over once its tray icon shows: the icon comes last.
first_is_up() {
    local snow
    snow=$(reg_get "$E2E_KEY" snow)
    E2E_SEEN="snow switch '${snow}', tray $(tray_shown && echo shown || echo hidden)"
    running "$first" && [ "$snow" = off ] && tray_shown
}

# The notice: the one visible window of the second process, as "id x y width height".
notice_window() { visible_windows "$second" | head -n 1; }
notice_shown() { [ -n "$(notice_window)" ]; }

# The notice shows its two lines of text: more than 200 dark pixels in its picture.
notice_has_text() {
    local dark
    dark=$(import -window "${id:-0}" "$E2E_DIR/notice.png" 2>/dev/null &&
        convert "$E2E_DIR/notice.png" -colorspace Gray -threshold 50% -format %c histogram:info: |
        awk '$3 == "#000000" || $3 == "#000" { sub(":", "", $1); n += $1 } END { print n + 0 }')
    E2E_SEEN="${dark:-no} dark pixels"
    [ "${dark:-0}" -gt 200 ]
}

second_ended() {
    E2E_SEEN="the second copy $(running "$second" && echo runs || echo ended)"
    ended "$second"
}

check_within 30 "no tray icon shows before the start" no_tray_shown
start_program first
check_within 60 "the first copy starts, stores its snow switch and shows its tray icon" first_is_up
wine reg delete "$E2E_KEY" /v snow /f >/dev/null 2>&1

started_at=$(now)
start_program second
check_within 60 "the second copy shows a window" notice_shown
shown_at=$(now)
read -r id _ _ width height <<<"$(notice_window)"
title="<no window>"
[ -z "${id:-}" ] || title="$(xdotool getwindowname "$id" 2>/dev/null)"
check_equal "the notice has no title text" "" "$title"
check "the notice is a small window (${width:-?}x${height:-?})" \
    test "${width:-0}" -ge 150 -a "${width:-0}" -le 800 -a "${height:-0}" -ge 40 -a "${height:-0}" -le 400
check_within 5 "the notice shows text" notice_has_text
check "the first copy runs while the notice shows" running "$first"

check_within 15 "the second copy ends by itself" second_ended
ended_at=$(now)
# Its 5-second timer starts after the start and before the window shows: the end comes
# no sooner than 5 s after the start, and soon after 5 s from the moment the window showed.
since_start=$(elapsed_between "$started_at" "$ended_at")
since_shown=$(elapsed_between "$shown_at" "$ended_at")
check "it ended about 5 s after it showed the notice (${since_start} s after its start,\
 ${since_shown} s after the notice was seen)" \
    awk -v a="$since_start" -v b="$since_shown" 'BEGIN { exit !(a >= 4.5 && b <= 10) }'
check "the first copy still runs afterwards" running "$first"
check "the first copy keeps its windows" test -n "$(xdotool search --pid "$first" 2>/dev/null)"
check_equal "the second copy stored nothing (no snow switch written)" "" \
    "$(reg_get "$E2E_KEY" snow)"

e2e_finish
