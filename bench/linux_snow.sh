#!/usr/bin/env bash
# The Linux program's cost: CPU of 20 s of snow at the slider maxima (kalo-dc and the X
# server, and the compositor when one runs) next to xsnow at 5,151 flakes and 8 frames a
# second on the same Xvfb in the same run, without and with a compositor; and the
# program's resident memory idle in the tray and with that snow. Prints figures and
# ratios; nothing passes or fails on them. xsnow lets its flakes in over its first
# half minute or so, its CPU climbing all the while: it is measured once that is over.
# Then the same snow on a Wayland desktop, in layer surfaces on a headless sway of the
# same size (kalo-dc, sway and swaybg counted), rounds taking turns with kalo-dc on the
# Xvfb with xcompmgr (kalo-dc, Xvfb and xcompmgr counted).
#   KALO_LINUX=build/linux-release/kalo-dc SECONDS_TO_MEASURE=20 ROUNDS=2 XSNOW_WARMUP=40 \
#       bench/linux_snow.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_MEASURE=${SECONDS_TO_MEASURE:-20}
ROUNDS=${ROUNDS:-2}
XSNOW_WARMUP=${XSNOW_WARMUP:-40}
command -v /usr/games/xsnow >/dev/null || apt-get install -y -qq xsnow >/dev/null
source bench/linux_lib.sh
hsetroot -solid '#3366aa' >/dev/null 2>&1 || true
total_ticks() { local t=0 p; for p in "$@"; do t=$((t + $(ticks_of "$p"))); done; echo "$t"; }
# cpu PID...: seconds of CPU those processes use over the measured time, then the part
# of it the first one used itself (the rest is the X server's and the compositor's).
cpu() {
    local a b own
    own=$(ticks_of "$1"); a=$(total_ticks "$@")
    sleep "$SECONDS_TO_MEASURE"
    b=$(total_ticks "$@"); own=$(($(ticks_of "$1") - own))
    awk -v t=$((b - a)) -v o="$own" -v hz="$hz" 'BEGIN { printf "%.2f %.2f", t / hz, o / hz }'
}
rss() { awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"; }
# settings SNOW [CONFIG_FOLDER]: the slider maxima, snow on or off.
settings() {
    local folder="${2:-$XDG_CONFIG_HOME}/kalo-dc"
    mkdir -p "$folder"
    printf '%s\n' 'Windows Registry Editor Version 5.00' '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' \
        "\"snow\"=\"$1\"" '"s1"="50"' '"s2"="100"' '"s3"="50"' '"s4"="10"' \
        >"$folder/registry.reg"
}
run_kalo() { # SNOW: starts the program, waits for it to settle, sets KALO
    settings "$1"
    "$KALO_LINUX" >/dev/null 2>&1 &
    KALO=$!
    PIDS+=("$KALO")
    sleep 5
}
run_xsnow() {
    /usr/games/xsnow -defaults -noconfig -nomenu -flakecountmax 5151 -snowflakes 5000 -cpuload 32 \
        -notrees -nosanta -nowind -nometeors -showbirds 0 -nokeepsnow -stars 0 -moon 0 -aurora 0 \
        >/dev/null 2>&1 &
    XSNOW=$!
    PIDS+=("$XSNOW")
    sleep "$XSNOW_WARMUP"
}
# compare LABEL EXTRA_PIDS...: each side measured ROUNDS times, taking turns, so that a
# slow spell of the machine or of xsnow weighs on both; the ratio is of the sums.
compare() {
    local label=$1 kalo=0 xsnow=0 a ao b bo round
    shift
    for round in $(seq "$ROUNDS"); do
        run_kalo on
        read -r a ao <<<"$(cpu "$KALO" "$XVFB" "$@")"
        [ "$round" -gt 1 ] || echo "kalo-dc with snow, $label: $(rss "$KALO") resident"
        kill "$KALO"; sleep 1
        run_xsnow
        read -r b bo <<<"$(cpu "$XSNOW" "$XVFB" "$@")"
        kill "$XSNOW"; sleep 1
        echo "  round $round, $label: kalo-dc $a s ($ao s its own), xsnow $b s ($bo s its own)"
        kalo=$(awk -v s="$kalo" -v a="$a" 'BEGIN { print s + a }')
        xsnow=$(awk -v s="$xsnow" -v b="$b" 'BEGIN { print s + b }')
    done
    echo "CPU over $ROUNDS x ${SECONDS_TO_MEASURE} s, $label: kalo-dc $kalo s, xsnow $xsnow s," \
        "ratio $(awk -v a="$kalo" -v b="$xsnow" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
}

run_kalo off
echo "kalo-dc idle in the tray: $(rss "$KALO") resident"
kill "$KALO"; sleep 1
compare "no compositor"
xcompmgr >/dev/null 2>&1 &
COMPOSITOR=$!
PIDS+=("$COMPOSITOR")
sleep 1
compare "xcompmgr" "$COMPOSITOR"

# --- Wayland ---------------------------------------------------------------------------------

# sway of the screen's size over a swaybg colour, its session in $DIR/sway (the session's
# user may pass through $DIR, not read it). No Xwayland: nothing here needs it.
SWAY_RUN="$DIR/sway/run" SWAY_HOME="$DIR/sway/home"
source scripts/sway-env
chmod 711 "$DIR"
mkdir -p "$SWAY_HOME"
cp "$KALO_LINUX" "$SWAY_HOME/kalo-dc"
printf '%s\n' 'output * bg #3366aa solid_color' "output HEADLESS-1 mode ${SCREEN:-1920x1080}" \
    'xwayland disable' >"$DIR/sway/config"
chmod 755 "$DIR/sway"
started=0
start_sway "$DIR/sway/config" "$DIR/sway/log" || started=$?
PIDS+=("$SWAY")
[ "$started" = 0 ] || { echo "sway did not start: $(tail -n 3 "$DIR/sway/log")" >&2; exit 1; }
# swaybg, which sway starts to paint the colour once and lets go of (its parent is then
# init): the one whose runtime folder is this sway's.
swaybg_of_sway() {
    local pid
    for pid in $(pgrep -x swaybg); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$SWAY_RUN" && echo "$pid"
    done
    return 0
}
# The program in sway's session, its widgets offscreen and its snow in layer surfaces.
run_kalo_wayland() {
    settings on "$SWAY_HOME/.config"
    session_own "$SWAY_HOME"
    session
    "${SESSION[@]}" QT_QPA_PLATFORM=offscreen "$SWAY_HOME/kalo-dc" >/dev/null 2>&1 &
    KALO=$!
    PIDS+=("$KALO")
    sleep 5
}
# The share of sway's screen the flakes cover: none would mean no layer surface showed.
white_share() {
    as_user grim -o HEADLESS-1 "$SWAY_HOME/shot.png" 2>/dev/null || { echo "no screenshot"; return; }
    convert "$SWAY_HOME/shot.png" -fill black +opaque white -format '%[fx:mean*100]' info: |
        awk '{ printf "%.0f %% white", $1 }'
}
# Each round: kalo-dc on X11 with xcompmgr, then on Wayland; the ratio is of the sums.
x11=0 wayland=0
for round in $(seq "$ROUNDS"); do
    run_kalo on
    read -r a ao <<<"$(cpu "$KALO" "$XVFB" "$COMPOSITOR")"
    x11_rss=$(rss "$KALO")
    kill "$KALO"; sleep 1
    run_kalo_wayland
    # shellcheck disable=SC2046 # one process id a word
    read -r b bo <<<"$(cpu "$KALO" "$SWAY" $(swaybg_of_sway))"
    wayland_rss=$(rss "$KALO")
    [ "$round" -gt 1 ] || echo "sway's screen with the snow: $(white_share)"
    kill "$KALO"; sleep 1
    echo "  round $round: X11 with xcompmgr $a s ($ao s kalo-dc's own, $x11_rss resident)," \
        "Wayland on sway $b s ($bo s kalo-dc's own, $wayland_rss resident)"
    x11=$(awk -v s="$x11" -v a="$a" 'BEGIN { print s + a }')
    wayland=$(awk -v s="$wayland" -v b="$b" 'BEGIN { print s + b }')
done
echo "CPU over $ROUNDS x ${SECONDS_TO_MEASURE} s at ${SCREEN:-1920x1080}: X11 with xcompmgr $x11 s," \
    "Wayland on sway $wayland s ($(swaybg_of_sway | wc -l) swaybg counted)," \
    "ratio $(awk -v a="$wayland" -v b="$x11" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
