#!/usr/bin/env bash
# Snow on a Wayland desktop that offers layer surfaces: headless sway over a swaybg
# colour, the program on a connection of its own beside Qt's. White flakes over that
# colour and nothing else, moving; a second output added later gets snow too, at its
# scale; an output taken away and brought back, or rescaled, keeps its snow; with "Snow
# on top" the flakes cover a window, and a click on the window beneath them reaches it (a
# control with a surface that catches clicks shows the check can fail); cleared, they
# stay beneath it; snow off shows none; the compositor gone, the program goes on.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

KALO_LINUX="${KALO_LINUX:-$E2E_ROOT/build/linux/kalo-dc}"
[ -x "$KALO_LINUX" ] || { echo "FAIL: no program at '$KALO_LINUX'" >&2; exit 1; }
BACKGROUND='#204060'
BORDER='#0000C0'
PIDS=()
DIR="$(mktemp -d /tmp/kalo-e2e-wayland.XXXXXX)" # KEEP=1 keeps it, screenshots and logs
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    if [ -n "${KEEP:-}" ]; then echo "kept: $DIR"; else rm -rf "$DIR"; fi
}
trap cleanup EXIT

SWAY_RUN="$DIR/run" SWAY_HOME="$DIR/home"
source "$E2E_ROOT/scripts/sway-env"
mkdir -p "$DIR/home/.config/kalo-dc" "$DIR/bin" "$DIR/shots"
KALO_CLICK="${KALO_CLICK:-$(dirname "$KALO_LINUX")/wayland-click}"
[ -x "$KALO_CLICK" ] || { echo "FAIL: no click helper at '$KALO_CLICK'" >&2; exit 1; }
cp "$KALO_LINUX" "$DIR/bin/kalo-dc"
cp "$KALO_CLICK" "$DIR/bin/wayland-click"
# A list of one picture: without a list the main window stops restoring before "Snow on top".
convert -size 32x24 xc:'#ff0000' "$DIR/bin/red.png"
printf '"%s"\r\n' "$DIR/bin/red.png" >"$DIR/bin/KALO DC.dat"
cat >"$DIR/sway.config" <<CONFIG
output * bg $BACKGROUND solid_color
output HEADLESS-1 mode 640x480 position 0 0
output HEADLESS-2 mode 640x480 position 640 0 scale 2
default_floating_border pixel 24
client.focused $BORDER $BORDER #FFFF00 $BORDER $BORDER
client.unfocused $BORDER $BORDER #FFFF00 $BORDER $BORDER
client.focused_inactive $BORDER $BORDER #FFFF00 $BORDER $BORDER
seat * hide_cursor 100
for_window [app_id="kalo-dc"] floating enable, border pixel 24, move absolute position 0 0
CONFIG
chmod 755 "$DIR"
session_own "$DIR/home" "$DIR/shots" "$DIR/bin"

START=0
start_sway "$DIR/sway.config" "$DIR/sway.log" || START=$?
PIDS+=("$SWAY")
if [ "$START" = 1 ]; then
    echo "skipped: sway cannot start here: $(tail -n 3 "$DIR/sway.log")"
    exit 0
elif [ "$START" != 0 ]; then
    echo "FAIL: sway runs but does not answer: $(tail -n 3 "$DIR/sway.log")"
    exit 1
fi

# --- the program -------------------------------------------------------------------------

# settings SNOW ON_TOP: snow on (or off), flakes a tenth of the screen or so, the rotation
# stopped, "Snow on top" as given.
settings() {
    printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' "\"snow\"=\"$1\"" '"s1"="5"' '"s2"="30"' \
        '"s3"="20"' '"s4"="5"' '' \
        '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\kalo-dc\cmdrun]' '"cmdstop"="0"' \
        '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\kalo-dc\check1s]' "\"check1t\"=\"$2\"" \
        >"$DIR/home/.config/kalo-dc/registry.reg"
    [ ${#AS_USER[@]} -eq 0 ] || chown kalo-e2e "$DIR/home/.config/kalo-dc/registry.reg"
}
# start PLATFORM: the program, its widgets on Qt's platform PLATFORM; its id in PROGRAM.
start() {
    session
    "${SESSION[@]}" QT_QPA_PLATFORM="$1" XDG_CONFIG_HOME="$DIR/home/.config" \
        XDG_DATA_HOME="$DIR/home/.local/share" "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    PROGRAM=$!
    PIDS+=("$PROGRAM")
}
stop() {
    kill "$PROGRAM" 2>/dev/null
    wait_until 10 ended "$PROGRAM" || kill -9 "$PROGRAM"
}

# --- screenshots -------------------------------------------------------------------------

SHOTS=0
# shot OUTPUT [CROP]: a screenshot of one output, cropped to WxH+X+Y if given; its file
# in SHOT.
shot() {
    SHOTS=$((SHOTS + 1))
    SHOT="$DIR/shots/$SHOTS.png"
    as_user grim -o "$1" "$SHOT" 2>/dev/null || return 1
    [ -z "${2:-}" ] || convert "$SHOT" -crop "$2" +repage "$SHOT"
}
# colours FILE: "COUNT #RRGGBB" lines, one per colour in it.
colours() {
    convert "$1" -format %c histogram:info: 2>/dev/null |
        awk '{ sub(":", "", $1); print $1, substr(toupper($3), 1, 7) }'
}
white_in() { colours "$1" | awk '$2 == "#FFFFFF" { n += $1 } END { print n + 0 }'; }

# flakes_over_background OUTPUT: white flakes, and between them the swaybg colour only.
flakes_over_background() {
    shot "$1" || return 1
    local seen
    seen="$(colours "$SHOT" | tr '\n' ' ')"
    E2E_SEEN="$1: $seen"
    [ "$(white_in "$SHOT")" -gt 0 ] && ! colours "$SHOT" | grep -vq -e '#FFFFFF$' -e "$BACKGROUND\$"
}
# moving OUTPUT: a shot that differs from the one before it.
moving() {
    local before=$SHOT
    shot "$1" || return 1
    E2E_SEEN="$(compare -metric AE "$before" "$SHOT" null: 2>&1) pixels differ"
    ! cmp -s <(convert "$before" rgb:-) <(convert "$SHOT" rgb:-)
}
# none_for OUTPUT [CROP]: no flake pixel in a second of shots, three at least.
none_for() {
    local start=$SECONDS shots=0
    while [ $shots -lt 3 ] || [ $((SECONDS - start)) -lt 2 ]; do
        shot "$@" || return 1
        shots=$((shots + 1))
        E2E_SEEN="shot $shots: $(white_in "$SHOT") flake pixels"
        [ "$(white_in "$SHOT")" = 0 ] || return 1
    done
}
# pixel_fine OUTPUT: flakes drawn at the output's own pixels, which a frame made at a
# scale of 1 and enlarged by the compositor never is: the shot differs from itself
# halved and doubled again.
pixel_fine() {
    shot "$1" || return 1
    local coarse="$DIR/shots/coarse.png" differ
    convert "$SHOT" -sample 50% -sample 200% "$coarse"
    differ=$(compare -metric AE "$SHOT" "$coarse" null: 2>&1)
    E2E_SEEN="$(white_in "$SHOT") flake pixels, $differ of them finer than two pixels"
    [ "$(white_in "$SHOT")" -gt 0 ] && [ "${differ%% *}" != 0 ]
}
some_in() { shot "$@" || return 1; E2E_SEEN="$(white_in "$SHOT") flake pixels"; [ "$(white_in "$SHOT")" -gt 0 ]; }

# The main window floats with a border of its own colour over HEADLESS-1: its content at
# WX, WY, WW by WH, and FRAME, the rectangle of its top border.
main_window() {
    local BX BY BW
    read -r WX WY WW WH BX BY BW <<<"$(swaymsg_ -t get_tree | jq -r --argjson pid "$PROGRAM" '
        [.. | objects | select(.pid? == $pid and (.name // "" | startswith("KALO Desktop")))][0]
        | select(.rect.width > 0) | [.rect.x + .window_rect.x, .rect.y + .window_rect.y,
          .window_rect.width, .window_rect.height, .rect.x, .rect.y, .rect.width] | join(" ")')"
    FRAME="${BW}x24+$BX+$BY"
    E2E_SEEN="window at ${WX:-none} ${WY:-} ${WW:-} ${WH:-}"
    [ -n "$WX" ]
}
# The virtual pointer, made before the program starts so that it finds a pointer on the
# seat: requests go in on descriptor 3, answers come out in clicks.out.
mkfifo "$DIR/clicks.in"
[ ${#AS_USER[@]} -eq 0 ] || chown kalo-e2e "$DIR/clicks.in"
session
"${SESSION[@]}" "$DIR/bin/wayland-click" <"$DIR/clicks.in" >"$DIR/clicks.out" 2>&1 &
PIDS+=($!)
exec 3>"$DIR/clicks.in"
answers() { grep -c -e '^clicked' -e '^failed' "$DIR/clicks.out"; }
answered() { E2E_SEEN="$(tail -n 1 "$DIR/clicks.out")"; [ "$(answers)" -ge "$1" ]; }
wait_until 10 grep -q '^ready' "$DIR/clicks.out" || { echo "FAIL: no virtual pointer: $(cat "$DIR/clicks.out")"; exit 1; }
# click_snow_on_top click|caught: a click on "Snow on top", 304 pixels below the main
# window's menu bar, through the virtual pointer over the whole layout; false when the
# compositor did not take it.
click_snow_on_top() {
    local extent asked
    extent="$(swaymsg_ -t get_outputs | jq -r '[(map(.rect.x + .rect.width) | max), (map(.rect.y + .rect.height) | max)] | join(" ")')"
    asked=$(($(answers) + 1))
    echo "$1 $((WX + 40)) $((WY + WH - 432 + 304)) $extent" >&3
    wait_until 10 answered "$asked" && [ "$(tail -n 1 "$DIR/clicks.out")" = clicked ]
}
stored_on_top() {
    E2E_SEEN="$(grep -i check1t "$DIR/home/.config/kalo-dc/registry.reg")"
    grep -qi "\"check1t\"=\"$1\"" "$DIR/home/.config/kalo-dc/registry.reg"
}
# still_for SECONDS COMMAND...: the command holds at every look for that long.
still_for() {
    local deadline=$((SECONDS + $1))
    shift
    while [ "$SECONDS" -lt "$deadline" ]; do "$@" || return 1; sleep 0.2; done
}
# Sockets the program holds: its connection to the compositor among them.
sockets() { find "/proc/$PROGRAM/fd" -lname 'socket:*' 2>/dev/null | wc -l; }
fewer_sockets() { E2E_SEEN="$(sockets) sockets"; [ "$(sockets)" -lt "$1" ]; }

# --- snow over the desktop --------------------------------------------------------------

settings on 1
start offscreen
check_within 30 "white flakes fall over the swaybg colour, nothing else shows" flakes_over_background HEADLESS-1
check_within 5 "the flakes move" moving HEADLESS-1
swaymsg_ create_output >/dev/null
check_within 20 "an output added later gets snow too" flakes_over_background HEADLESS-2
check_within 5 "at its scale of 2, the flakes are drawn at its own pixels" pixel_fine HEADLESS-2
swaymsg_ output HEADLESS-2 disable >/dev/null
check_within 10 "an output taken away: the snow goes on over the other" moving HEADLESS-1
check "and the program goes on" running "$PROGRAM"
swaymsg_ output HEADLESS-2 enable >/dev/null
check_within 20 "the output back: snow falls on it again" flakes_over_background HEADLESS-2
swaymsg_ output HEADLESS-1 scale 2 >/dev/null
check_within 20 "an output's scale changed to 2 while the snow falls: drawn at its own pixels" pixel_fine HEADLESS-1
swaymsg_ output HEADLESS-1 scale 1 >/dev/null # the clicks below count in its pixels
stop

# --- over a window, clicks going through ----------------------------------------------------

settings on 1
start wayland
check_within 30 "the main window shows on Qt's Wayland platform" main_window
check_within 10 "\"Snow on top\" ticked: flakes fall over the window" some_in HEADLESS-1 "$FRAME"
check "control: the click is given" click_snow_on_top caught
check "control: a click caught above the window does not reach it" still_for 2 stored_on_top 1
check "the click is given" click_snow_on_top click
check_within 10 "a click through the snow reaches the window beneath: \"Snow on top\" cleared" stored_on_top 0
check "\"Snow on top\" cleared: no flake over the window" none_for HEADLESS-1 "$FRAME"
check_within 10 "\"Snow on top\" cleared: flakes fall beside it" some_in HEADLESS-2
stop

settings off 1
start wayland
check_within 30 "snow off: the main window shows" main_window
check "snow off: no flake anywhere beside it" none_for HEADLESS-2
stop

# --- the compositor gone --------------------------------------------------------------------

settings on 1
start offscreen
check_within 30 "the snow falls once more" some_in HEADLESS-1
HELD=$(sockets)
kill "$SWAY"
check_within 10 "the compositor gone, the program lets go of its connection" fewer_sockets "$HELD"
check "and goes on" running "$PROGRAM"
stop
sanitizers_quiet() { E2E_SEEN="$(grep -m1 -E 'AddressSanitizer|runtime error' "$DIR/program.log")"; [ -z "$E2E_SEEN" ]; }
check "no sanitizer report in the program's output" sanitizers_quiet
e2e_finish
