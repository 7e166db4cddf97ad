#!/usr/bin/env bash
# The Linux program under a window manager (openbox) with no notification area: the main
# window is the only way in. It maps at every start; its close box hides it, and a second
# start brings it back (the second copy still shows its notice and ends). Once a tray host
# holds the icon, a second start leaves the hidden main window alone.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-no-tray
openbox >"$DIR/openbox.log" 2>&1 &
LINUX_PIDS+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 10 wm_running || { echo "FAIL: openbox did not start"; cat "$DIR/openbox.log"; exit 1; }

CAPTION='^KALO Desktop Wallpaper Changer'
# main_window PID: the id of that process's main window while it is mapped.
main_window() { xdotool search --all --onlyvisible --pid "$1" --name "$CAPTION" 2>/dev/null | head -n 1; }
main_shown() { E2E_SEEN="main window '$(main_window "$1")'"; [ -n "$(main_window "$1")" ]; }
main_hidden() { E2E_SEEN="main window '$(main_window "$1")'"; [ -z "$(main_window "$1")" ]; }
# The second copy's notice: a mapped window of that process other than a main window.
notice_shown() {
    local all
    all=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l)
    E2E_SEEN="$all mapped windows"
    [ "$all" -gt "$(main_window "$1" | wc -l)" ]
}
# second_ends PID: the copy ends by itself, and no main window of its own is ever seen
# mapped while it runs (set MAIN_SEEN= before waiting).
second_ends() {
    [ -z "$(main_window "$1")" ] || MAIN_SEEN="it mapped a main window of its own"
    E2E_SEEN="${MAIN_SEEN:-it runs}"
    [ -z "$MAIN_SEEN" ] && ended "$1"
}
SETTINGS="$XDG_CONFIG_HOME/kalo-dc/registry.reg"
# close_main PID: the close box, as the window manager gives it (Alt+F4).
close_main() {
    xdotool windowactivate --sync "$(main_window "$1")" key --clearmodifiers alt+F4
}
stop() { kill "$1" && wait_until 10 ended "$1"; }

# Each start maps the main window, waited for with a deadline: the window may not be
# created and then left unmapped. Each copy leaves its socket behind as it ends, which
# the next one takes over (the copies below are reached through it).
mapped=0 failed=""
for start in $(seq 20); do
    linux_start COPY
    if wait_until 15 main_shown "$COPY"; then mapped=$((mapped + 1)); else failed+=" $start"; fi
    stop "$COPY" || failed+=" (start $start did not end)"
done
all_mapped() { E2E_SEEN="${failed:+not mapped at start$failed}"; [ "$mapped" = 20 ]; }
check "each of 20 starts without a tray maps the main window ($mapped of 20)" all_mapped

linux_start FIRST
check_within 15 "the first copy shows its main window" main_shown "$FIRST"
close_main "$FIRST"
check_within 10 "its close box hides it, and the program keeps running" main_hidden "$FIRST"
check "the first copy still runs" running "$FIRST"
# Without its snow switch the settings file shows whether the second copy wrote to it.
sed -i '/^"snow"=/d' "$SETTINGS"
linux_start SECOND
check_within 15 "a second start shows its notice" notice_shown "$SECOND"
MAIN_SEEN=""
check_within 15 "the second copy ends by itself, with no main window of its own" second_ends "$SECOND"
check_within 5 "and has brought the first copy's main window back" main_shown "$FIRST"
check "the second copy wrote nothing (no snow switch)" bash -c "! grep -q '^\"snow\"=' '$SETTINGS'"

id=$(main_window "$FIRST")
[ -z "$id" ] || xdotool windowminimize --sync "$id"
check_within 10 "minimised, the main window is unmapped" main_hidden "$FIRST"
linux_start THIRD
check_within 15 "a third start brings the minimised main window back" main_shown "$FIRST"
MAIN_SEEN=""
check_within 15 "and ends by itself" second_ends "$THIRD"

# Another window over the main window: a later start raises the main window above it and
# activates it.
xlogo -geometry 1100x950+50+40 >/dev/null 2>&1 &
LINUX_PIDS+=($!)
last_id() { grep -o '0x[0-9a-f]*$'; }
main_in_front() {
    local main top active
    main=$(main_window "$1") top=$(xprop -root _NET_CLIENT_LIST_STACKING | last_id)
    active=$(xprop -root _NET_ACTIVE_WINDOW | last_id)
    main=$([ -n "$main" ] && printf '0x%x' "$main")
    E2E_SEEN="main window '$main', top '$top', active '$active'"
    [ -n "$main" ] && [ "$top" = "$main" ] && [ "$active" = "$main" ]
}
covered() { ! main_in_front "$FIRST" && [ -n "$(main_window "$FIRST")" ]; }
check_within 10 "another window comes over the shown main window" covered
linux_start FOURTH
MAIN_SEEN=""
check_within 15 "a fourth start ends by itself" second_ends "$FOURTH"
check_within 5 "and has raised and activated the first copy's main window" main_in_front "$FIRST"

# A tray host comes: the icon docks in it, and the program is reachable from there.
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
LINUX_PIDS+=($!)
icon_docked() { xwininfo -root -tree | grep -A4 '"panel"' | grep -q '"kalo-dc"'; }
check_within 20 "a tray host that comes later holds the icon" icon_docked
close_main "$FIRST"
check_within 10 "the close box hides the main window" main_hidden "$FIRST"
linux_start FIFTH
check_within 15 "with the tray, a later start still shows its notice" notice_shown "$FIFTH"
MAIN_SEEN=""
check_within 15 "and ends by itself" second_ends "$FIFTH"
check "the first copy's main window stays hidden" main_hidden "$FIRST"
check "the first copy still runs" running "$FIRST"
stop "$FIRST"
e2e_finish
