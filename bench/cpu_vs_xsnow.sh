#!/usr/bin/env bash
# CPU cost of 30 s of snow at the slider maxima: KALO DC.exe under Wine (the process,
# Wine's own helpers and the X server) next to xsnow at 5,151 flakes and 8 frames a
# second, under the same Xvfb in the same run. Prints the seconds of CPU and the ratio.
#   KALO_EXE=path/to/KALO\ DC.exe  SECONDS_TO_MEASURE=30  bench/cpu_vs_xsnow.sh
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_MEASURE=${SECONDS_TO_MEASURE:-30}
KALO_EXE=${KALO_EXE:-build/windows/KALO DC.exe}
command -v /usr/games/xsnow >/dev/null || apt-get install -y -qq xsnow >/dev/null
if [ ! -f "$KALO_EXE" ]; then
    cmake --preset windows >/dev/null && cmake --build --preset windows --target kalo_dc_exe
fi
source scripts/wine-env
export WINEPREFIX=${BENCH_WINEPREFIX:-$PWD/build/wineprefix-bench}
unset DISPLAY
kalo_start_display
kalo_start_wine
xsnow_pid=
folder=$(mktemp -d)
cleanup() {
    [ -z "$xsnow_pid" ] || kill "$xsnow_pid" 2>/dev/null || true
    kalo_stop # ends every Wine process of this prefix, then the X server
    rm -rf "$folder"
}
trap cleanup EXIT
hz=$(getconf CLK_TCK)

# User and system ticks of a process; the name in /proc/PID/stat may hold blanks.
ticks_of() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13}' || echo 0; }

# Every process of this Wine prefix on this run's display (the program, wineserver,
# explorer, services...): all were started by this script.
wine_pids() {
    local pid environment
    for pid in $(pgrep -u "$(id -u)" || true); do
        environment="$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null)"
        grep -qx "WINEPREFIX=$WINEPREFIX" <<<"$environment" &&
            grep -qx "DISPLAY=$DISPLAY" <<<"$environment" && echo "$pid"
    done
    true
}

# CPU ticks of the given processes and of the X server.
snapshot() { for pid in "$@" "$KALO_XVFB_PID"; do echo "$pid $(ticks_of "$pid")"; done; }

# Seconds of CPU used between two snapshots (processes that started meanwhile count whole).
used() {
    awk -v hz="$hz" 'NR==FNR { before[$1] = $2; next } { total += $2 - before[$1] }
                     END { printf "%.2f", total / hz }' "$1" "$2"
}

measure() { # command printing the pids to watch
    sleep 5
    snapshot $($1) > "$folder/a"; sleep "$SECONDS_TO_MEASURE"; snapshot $($1) > "$folder/b"
    used "$folder/a" "$folder/b"
}

xsnow_pids() { echo "$xsnow_pid"; }
/usr/games/xsnow -defaults -noconfig -nomenu -flakecountmax 5151 -snowflakes 5000 -cpuload 32 \
    -notrees -nosanta -nowind -nometeors -showbirds 0 -nokeepsnow -stars 0 -moon 0 -aurora 0 >/dev/null 2>&1 &
xsnow_pid=$!
xsnow_cpu=$(measure xsnow_pids)
kill "$xsnow_pid" 2>/dev/null || true; wait "$xsnow_pid" 2>/dev/null || true; xsnow_pid=; sleep 1

key='HKCU\Software\KALO\KALO DC'
for v in s1=50 s2=100 s3=50 s4=10 snow=on; do
    wine reg add "$key" /v "${v%%=*}" /t REG_SZ /d "${v#*=}" /f >/dev/null 2>&1
done
cp "$KALO_EXE" "$folder/"
(cd "$folder" && exec wine "KALO DC.exe" >/dev/null 2>&1) &
kalo_cpu=$(measure wine_pids)
echo "xsnow (5151 flakes, 8 fps): ${xsnow_cpu} s CPU over ${SECONDS_TO_MEASURE} s"
echo "KALO DC snow at maxima:      ${kalo_cpu} s CPU over ${SECONDS_TO_MEASURE} s"
awk -v a="$kalo_cpu" -v b="$xsnow_cpu" 'BEGIN { if (b > 0) printf "ratio KALO DC / xsnow: %.3f (target <= 0.2)\n", a / b }'
