#!/usr/bin/env bash
# CPU cost of 30 s of snow at the slider maxima: KALO DC.exe under Wine (the process,
# Wine's own helpers and the X server) next to xsnow at 5,151 flakes and 8 frames a
# second, under the same Xvfb in the same run. Prints the seconds of CPU and the ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_MEASURE=${SECONDS_TO_MEASURE:-30}
command -v /usr/games/xsnow >/dev/null || apt-get install -y -qq xsnow >/dev/null
[ -f "build/windows/KALO DC.exe" ] || { cmake --preset windows >/dev/null; cmake --build --preset windows --target kalo_dc_exe; }
source scripts/wine-env
export WINEPREFIX=$PWD/build/wineprefix-bench
unset DISPLAY
kalo_start_display
kalo_start_wine
trap 'pkill -f "KALO DC.exe" 2>/dev/null; pkill xsnow 2>/dev/null; kalo_stop' EXIT
hz=$(getconf CLK_TCK)

ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

# CPU ticks of every process whose command line matches $1, plus the X server.
snapshot() {
    local pids; pids="$(pgrep -f "$1" || true) $KALO_XVFB_PID"
    for pid in $pids; do echo "$pid $(ticks_of "$pid")"; done
}

# Seconds of CPU used between two snapshots (processes that started meanwhile count whole).
used() {
    awk -v hz="$hz" 'NR==FNR { before[$1] = $2; next } { total += $2 - before[$1] }
                     END { printf "%.2f", total / hz }' "$1" "$2"
}

measure() { # pattern
    sleep 5
    snapshot "$1" > /tmp/kalo-bench-a; sleep "$SECONDS_TO_MEASURE"; snapshot "$1" > /tmp/kalo-bench-b
    used /tmp/kalo-bench-a /tmp/kalo-bench-b
}

/usr/games/xsnow -defaults -noconfig -nomenu -flakecountmax 5151 -snowflakes 5000 -cpuload 32 \
    -notrees -nosanta -nowind -nometeors -showbirds 0 -nokeepsnow -stars 0 -moon 0 -aurora 0 >/dev/null 2>&1 &
xsnow_cpu=$(measure '/usr/games/xsnow')
pkill xsnow || true; sleep 1

key='HKCU\Software\KALO\KALO DC'
for v in s1=50 s2=100 s3=50 s4=10 snow=on; do
    wine reg add "$key" /v "${v%%=*}" /t REG_SZ /d "${v#*=}" /f >/dev/null 2>&1
done
folder=$(mktemp -d); cp "build/windows/KALO DC.exe" "$folder/"
(cd "$folder" && wine "KALO DC.exe" >/dev/null 2>&1 &)
kalo_cpu=$(measure 'KALO DC.exe|wineserver|explorer.exe|services.exe|winedevice|plugplay|rpcss')
echo "xsnow (5151 flakes, 8 fps): ${xsnow_cpu} s CPU over ${SECONDS_TO_MEASURE} s"
echo "KALO DC snow at maxima:      ${kalo_cpu} s CPU over ${SECONDS_TO_MEASURE} s"
awk -v a="$kalo_cpu" -v b="$xsnow_cpu" 'BEGIN { if (b > 0) printf "ratio KALO DC / xsnow: %.3f (target <= 0.2)\n", a / b }'
