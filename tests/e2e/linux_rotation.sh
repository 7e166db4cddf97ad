#!/usr/bin/env bash
# The Linux program itself on a bare X11 display (no desktop environment): the rotation
# paints each picture into the root window in turn and names it for other programs, the
# settings file is read and kept, and a second start shows the notice and ends.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

KALO_LINUX="${KALO_LINUX:-$E2E_ROOT/build/linux/kalo-dc}"
[ -x "$KALO_LINUX" ] || { echo "FAIL: no program at '$KALO_LINUX'" >&2; exit 1; }
DIR="$(mktemp -d /tmp/kalo-e2e-linux.XXXXXX)"
PIDS=()

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -z "${XVFB:-}" ] || kill "$XVFB" 2>/dev/null
    rm -rf "$DIR"
}
trap cleanup EXIT

# A private display: the script reads the root window's pixels.
n=151
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:$n
wait_until 10 xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start"; exit 1; }
xev -root >/dev/null 2>&1 & # holds the display: Xvfb resets when its last client leaves
PIDS+=($!)

export HOME="$DIR/home" XDG_CONFIG_HOME="$DIR/home/.config" XDG_DATA_HOME="$DIR/home/.local/share"
export XDG_RUNTIME_DIR="$DIR/run"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
mkdir -p "$DIR/bin" "$XDG_CONFIG_HOME/kalo-dc" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp "$KALO_LINUX" "$DIR/bin/kalo-dc"
convert -size 64x48 xc:'#ff0000' "$DIR/red one.png"
convert -size 64x48 xc:'#0000ff' "$DIR/blue.png"
printf '"%s"\r\n"%s"\r\n' "$DIR/red one.png" "$DIR/blue.png" >"$DIR/bin/KALO DC.dat"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="2"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"' \
    >"$XDG_CONFIG_HOME/kalo-dc/registry.reg"

# The colour of the screen near its top left corner, where no window of the program
# stands (without a tray the main window shows at the centre), as #RRGGBB.
root_centre() { xwd -root -silent | convert xwd:- -crop 1x1+12+12 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1; }
root_is() {
    E2E_SEEN="$(root_centre)"
    [ "$E2E_SEEN" = "$1" ]
}
root_named() {
    E2E_SEEN="$(xprop -root _XROOTPMAP_ID ESETROOT_PMAP_ID 2>&1 | tr '\n' ' ')"
    [[ "$E2E_SEEN" == *"_XROOTPMAP_ID(PIXMAP): pixmap id # 0x"*"ESETROOT_PMAP_ID(PIXMAP): pixmap id # 0x"* ]]
}

ASAN_OPTIONS=detect_leaks=0 "$DIR/bin/kalo-dc" >"$DIR/first.log" 2>&1 &
FIRST=$!
PIDS+=("$FIRST")
check_within 20 "the first picture fills the root window (stretched)" root_is '#FF0000'
check_within 10 "the second picture follows" root_is '#0000FF'
check_within 10 "then the first again" root_is '#FF0000'
check "the root pixmap is named for other programs" root_named
check "KALO.bmp is beside the program" test -s "$DIR/bin/KALO.bmp"
check "the path is recorded in the settings file" \
    grep -q "\"Wallpaper\"=\"$DIR/bin/KALO.bmp\"" "$XDG_CONFIG_HOME/kalo-dc/registry.reg"

STARTED=$(now)
ASAN_OPTIONS=detect_leaks=0 "$DIR/bin/kalo-dc" >"$DIR/second.log" 2>&1 &
SECOND=$!
PIDS+=("$SECOND")
check_within 15 "a second start ends by itself after its notice" ended "$SECOND"
RAN=$(elapsed_between "$STARTED" "$(now)")
check "it stayed for its five-second notice (ran $RAN s)" awk -v t="$RAN" 'BEGIN { exit !(t >= 4.8) }'
wait "$SECOND"
check_equal "it ended normally" 0 "$?"
check "the first program runs on" running "$FIRST"
kill "$FIRST"
check_within 5 "the program ends when told" ended "$FIRST"
e2e_finish
