#!/usr/bin/env bash
# One wallpaper change of a 6000 x 4000 JPEG on a bare X11 display (1280 x 800) with a
# tray, stretched, the rotation changing every 2 s: the CPU of kalo-dc (decode, KALO.bmp,
# root window) and the X server, against `feh --bg-fill` on the same files and the same
# Xvfb in the same round; and kalo-dc's resident memory idle (no list), 1.5 s after each
# change (and the least seen in those 1.5 s) and at its peak (VmHWM). With KALO_REFERENCE
# set, that program is measured too, in turn with KALO_LINUX in every round, so two builds
# compare in one run. Prints figures and ratios; nothing passes or fails on them.
#   KALO_LINUX=build/linux-release/kalo-dc KALO_REFERENCE=/tmp/old/kalo-dc CHANGES=6 \
#       ROUNDS=2 bench/linux_wallpaper.sh
set -euo pipefail
cd "$(dirname "$0")/.."
CHANGES=${CHANGES:-6}
ROUNDS=${ROUNDS:-1}
INTERVAL=${INTERVAL:-2}
SCREEN=${SCREEN:-1280x800}
command -v feh >/dev/null || apt-get install -y -qq feh >/dev/null
source bench/linux_lib.sh

# Two photographs' worth of detail: noise blurred a little, so the JPEG is not trivially small.
convert -size 6000x4000 plasma:fractal -blur 0x1 -quality 90 "$DIR/a.jpg"
convert "$DIR/a.jpg" -flop -quality 90 "$DIR/b.jpg"
echo "picture: 6000 x 4000 JPEG, $(du -k "$DIR/a.jpg" | cut -f1) KB; screen $SCREEN;" \
    "a change every $INTERVAL s"

seconds() { awk -v t="$1" -v hz="$hz" -v n="$2" 'BEGIN { printf "%.3f", t / hz / n }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
status_kb() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"; }

# feh: each change a new process; its CPU is read from the shell's children's times.
measure_feh() {
    local x0 x1 c0 c1 i
    x0=$(ticks_of "$XVFB")
    c0=$(awk '{print $16 + $17}' /proc/$$/stat)
    for i in $(seq "$CHANGES"); do feh --no-fehbg --bg-fill "$DIR/$([ $((i % 2)) = 1 ] && echo a || echo b).jpg"; done
    c1=$(awk '{print $16 + $17}' /proc/$$/stat)
    x1=$(ticks_of "$XVFB")
    feh_cpu=$(seconds $((c1 - c0 + x1 - x0)) "$CHANGES")
    echo "feh --bg-fill: $feh_cpu s of CPU a change (feh $(seconds $((c1 - c0)) "$CHANGES") s," \
        "the X server $(seconds $((x1 - x0)) "$CHANGES") s)"
}

mkdir -p "$DIR/bin" "$XDG_CONFIG_HOME/kalo-dc"
printf '%s\n' 'Windows Registry Editor Version 5.00' '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' \
    "\"c1\"=\"$INTERVAL\"" '"c2"="Second(s)"' '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
    '"TileWallpaper"="0"' '"WallpaperStyle"="2"' >"$XDG_CONFIG_HOME/kalo-dc/registry.reg"

# start_kalo PROGRAM: runs a copy of it from $DIR/bin; its process id goes into KALO.
start_kalo() {
    cp "$1" "$DIR/bin/kalo-dc"
    "$DIR/bin/kalo-dc" >/dev/null 2>&1 &
    KALO=$!
    PIDS+=("$KALO")
}
stop_kalo() {
    kill "$KALO"
    while kill -0 "$KALO" 2>/dev/null; do sleep 0.1; done
}
# Each change replaces KALO.bmp with a new file: its inode number tells one change from the
# next without asking the X server anything. The root window is painted right after.
bitmap() { stat -c %i "$DIR/bin/KALO.bmp" 2>/dev/null || echo none; }
wait_change() { # waits for KALO.bmp to differ from $1, up to 60 s
    for _ in $(seq 3000); do [ "$(bitmap)" != "$1" ] && return 0; sleep 0.02; done
    echo "no wallpaper change within 60 s" >&2; exit 1
}
# least_rss_for SECONDS: kalo-dc's least resident size, read about every 0.1 s for that long.
least_rss_for() {
    local least=0 now end
    end=$(($(date +%s%N) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1e9 }')))
    while [ "$(date +%s%N)" -lt "$end" ]; do
        now=$(status_kb "$KALO" VmRSS)
        { [ "$least" = 0 ] || [ "$now" -lt "$least" ]; } && least=$now
        sleep 0.1
    done
    echo "$least"
}
# Idle: no list, nothing to change; read once the resident size has held for a second.
idle_rss() {
    rm -f "$DIR/bin/KALO DC.dat"
    start_kalo "$1"
    local last=0 now
    while now=$(status_kb "$KALO" VmRSS) && [ "$now" != "$last" ]; do last=$now; sleep 1; done
    stop_kalo
    echo "$last"
}

# measure_kalo LABEL PROGRAM: a running rotation of the two pictures. Measured from the
# third change on, as a rotation runs; the memory 1.5 s after KALO.bmp is replaced, before
# the next change begins.
measure_kalo() {
    local label=$1 idle last k0 k1 x0 x1 after=() least=() i
    idle=$(idle_rss "$2")
    printf '"%s"\r\n' "$DIR/a.jpg" "$DIR/b.jpg" >"$DIR/bin/KALO DC.dat"
    start_kalo "$2"
    rm -f "$DIR/bin/KALO.bmp"
    last=none
    for _ in 1 2 3; do wait_change "$last"; last=$(bitmap); done
    k0=$(ticks_of "$KALO"); x0=$(ticks_of "$XVFB")
    for i in $(seq "$CHANGES"); do
        wait_change "$last"; last=$(bitmap)
        least+=("$(least_rss_for 1.5)") # the program between changes, as the desktop lives with it
        after+=("$(status_kb "$KALO" VmRSS)")
    done
    k1=$(ticks_of "$KALO"); x1=$(ticks_of "$XVFB")
    local cpu peak
    cpu=$(seconds $((k1 - k0 + x1 - x0)) "$CHANGES")
    peak=$(status_kb "$KALO" VmHWM)
    stop_kalo
    echo "$label: $cpu s of CPU a change (kalo-dc $(seconds $((k1 - k0)) "$CHANGES") s," \
        "the X server $(seconds $((x1 - x0)) "$CHANGES") s; idle time between included)"
    echo "$label resident: idle $(mib "$idle"), peak (VmHWM) $(mib "$peak"), 1.5 s after" \
        "each change: $(for k in "${after[@]}"; do printf '%s; ' "$(mib "$k")"; done)"
    echo "$label resident, the least seen in those 1.5 s (a change that takes longer on a busy" \
        "machine has left its pages by then): $(for k in "${least[@]}"; do printf '%s; ' "$(mib "$k")"; done)"
    echo "$label ratio of CPU to feh's: $(awk -v a="$cpu" -v b="$feh_cpu" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
}

for round in $(seq "$ROUNDS"); do
    [ "$ROUNDS" = 1 ] || echo "-- round $round"
    measure_feh
    # With a reference, the two take turns at going first.
    [ -z "${KALO_REFERENCE:-}" ] || [ $((round % 2)) = 1 ] || measure_kalo "reference" "$KALO_REFERENCE"
    measure_kalo "kalo-dc" "$KALO_LINUX"
    [ -z "${KALO_REFERENCE:-}" ] || [ $((round % 2)) = 0 ] || measure_kalo "reference" "$KALO_REFERENCE"
done
