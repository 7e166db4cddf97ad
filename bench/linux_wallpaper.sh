#!/usr/bin/env bash
# CPU of one wallpaper change of a 6000 x 4000 JPEG on a bare X11 display with a tray,
# stretched:
# kalo-dc (decode, KALO.bmp, root window) and the X server, against `feh --bg-fill` on
# the same file and the same Xvfb in the same run. Prints figures and the ratio; nothing
# passes or fails on them.
#   KALO_LINUX=build/linux-release/kalo-dc CHANGES=6 bench/linux_wallpaper.sh
set -euo pipefail
cd "$(dirname "$0")/.."
CHANGES=${CHANGES:-6}
INTERVAL=${INTERVAL:-4}
command -v feh >/dev/null || apt-get install -y -qq feh >/dev/null
source bench/linux_lib.sh

# Two photographs' worth of detail: noise blurred a little, so the JPEG is not trivially small.
convert -size 6000x4000 plasma:fractal -blur 0x1 -quality 90 "$DIR/a.jpg"
convert "$DIR/a.jpg" -flop -quality 90 "$DIR/b.jpg"
echo "picture: 6000 x 4000 JPEG, $(du -k "$DIR/a.jpg" | cut -f1) KB"

seconds() { awk -v t="$1" -v hz="$hz" -v n="$2" 'BEGIN { printf "%.3f", t / hz / n }'; }
pixmap() { xprop -root _XROOTPMAP_ID 2>/dev/null | awk '{print $NF}'; }

# feh: each change a new process; its CPU is read from the shell's children's times.
x0=$(ticks_of "$XVFB")
c0=$(awk '{print $16 + $17}' /proc/$$/stat)
for i in $(seq "$CHANGES"); do feh --no-fehbg --bg-fill "$DIR/$([ $((i % 2)) = 1 ] && echo a || echo b).jpg"; done
c1=$(awk '{print $16 + $17}' /proc/$$/stat)
x1=$(ticks_of "$XVFB")
feh_cpu=$(seconds $((c1 - c0 + x1 - x0)) "$CHANGES")
echo "feh --bg-fill: $feh_cpu s of CPU a change (feh $(seconds $((c1 - c0)) "$CHANGES") s," \
    "the X server $(seconds $((x1 - x0)) "$CHANGES") s)"

# kalo-dc: a running rotation of the two pictures; each new root pixmap is one change.
mkdir -p "$DIR/bin" "$XDG_CONFIG_HOME/kalo-dc"
cp "$KALO_LINUX" "$DIR/bin/kalo-dc"
printf '"%s"\r\n' "$DIR/a.jpg" "$DIR/b.jpg" >"$DIR/bin/KALO DC.dat"
printf '%s\n' 'Windows Registry Editor Version 5.00' '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' \
    "\"c1\"=\"$INTERVAL\"" '"c2"="Second(s)"' '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
    '"TileWallpaper"="0"' '"WallpaperStyle"="2"' >"$XDG_CONFIG_HOME/kalo-dc/registry.reg"
"$DIR/bin/kalo-dc" >/dev/null 2>&1 &
KALO=$!
PIDS+=("$KALO")
wait_change() { # waits for the root pixmap to differ from $1, up to 60 s
    for _ in $(seq 600); do [ "$(pixmap)" != "$1" ] && return 0; sleep 0.1; done
    echo "no wallpaper change within 60 s" >&2; exit 1
}
# Measured from the third change on, as a rotation runs: the first two find no memory
# kept from an earlier picture.
last=""
for _ in 1 2 3; do wait_change "$last"; last=$(pixmap); done
k0=$(ticks_of "$KALO"); x0=$(ticks_of "$XVFB")
for _ in $(seq "$CHANGES"); do wait_change "$last"; last=$(pixmap); done
k1=$(ticks_of "$KALO"); x1=$(ticks_of "$XVFB")
kalo_cpu=$(seconds $((k1 - k0 + x1 - x0)) "$CHANGES")
echo "kalo-dc: $kalo_cpu s of CPU a change (kalo-dc $(seconds $((k1 - k0)) "$CHANGES") s," \
    "the X server $(seconds $((x1 - x0)) "$CHANGES") s; idle time between included)"
echo "kalo-dc resident with a 6000 x 4000 picture shown: $(awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$KALO/status")"
echo "ratio kalo-dc / feh: $(awk -v a="$kalo_cpu" -v b="$feh_cpu" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
