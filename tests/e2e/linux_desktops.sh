#!/usr/bin/env bash
# The Linux program on the session bus of a desktop: under GNOME both picture URIs and
# the options change at every step (dconf behind gsettings), Cinnamon and MATE get the
# picture and the style in their own schemas, sway gives it to swaybg, under XFCE every
# backdrop that xfconf holds gets the picture and the style. Last the program runs as a
# client of sway's Wayland display.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-desktops 640x480
convert -size 16x12 xc:'#ff0000' "$DIR/red.png"
convert -size 16x12 xc:'#00ff00' "$DIR/green.png"
linux_list "$DIR/red.png" "$DIR/green.png"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="1"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="1"' '"WallpaperStyle"="0"'
BITMAP="$DIR/bin/KALO.bmp"

# The file a URI or path names, its links followed.
target_of() { local p="${1#\'}"; p="${p%\'}"; p="${p#file://}"; readlink -f "$p"; }

# One desktop session: its own bus, the program started in it, the settings read back.
gnome_session() {
    export XDG_CURRENT_DESKTOP=GNOME
    "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    local pid=$! uri first="" seen=""
    for _ in $(seq 100); do
        uri="$(gsettings get org.gnome.desktop.background picture-uri 2>/dev/null)"
        if [ "$(target_of "$uri")" = "$BITMAP" ]; then
            [ -z "$first" ] && first="$uri"
            [ "$uri" != "$first" ] && seen="changed" && break
        fi
        sleep 0.2
    done
    echo "uri-changes=$seen"
    echo "dark=$(target_of "$(gsettings get org.gnome.desktop.background picture-uri-dark)")"
    echo "options=$(gsettings get org.gnome.desktop.background picture-options)"
    kill "$pid"
    wait "$pid" # ended, so that the next start is not a second copy
}
export -f gnome_session target_of
export DIR BITMAP
RESULT="$(dbus-run-session -- bash -c gnome_session 2>/dev/null)"
check_equal "GNOME: picture-uri names KALO.bmp anew at each step" "uri-changes=changed" "$(grep uri-changes <<<"$RESULT")"
check_equal "GNOME: the dark picture too" "dark=$BITMAP" "$(grep dark= <<<"$RESULT")"
check_equal "GNOME: tiled" "options='wallpaper'" "$(grep options= <<<"$RESULT")"

# A desktop that keeps its background in gsettings under SCHEMA: DESKTOP SCHEMA KEY.
gsettings_session() {
    export XDG_CURRENT_DESKTOP=$1
    "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    local pid=$! value=""
    for _ in $(seq 100); do
        value="$(gsettings get "$2" "$3" 2>/dev/null)"
        [ "$(target_of "$value")" = "$BITMAP" ] && break
        sleep 0.2
    done
    echo "picture=$(target_of "$value")"
    echo "options=$(gsettings get "$2" picture-options)"
    kill "$pid"
    wait "$pid" # ended, so that the next start is not a second copy
}
export -f gsettings_session
for desktop in "X-Cinnamon org.cinnamon.desktop.background picture-uri" \
    "MATE org.mate.background picture-filename"; do
    read -r name schema key <<<"$desktop"
    RESULT="$(dbus-run-session -- bash -c "gsettings_session $name $schema $key" 2>/dev/null)"
    check_equal "$name: $key names KALO.bmp" "picture=$BITMAP" "$(grep picture= <<<"$RESULT")"
    check_equal "$name: tiled" "options='wallpaper'" "$(grep options= <<<"$RESULT")"
done

# sway, headless: the program asks it for a background, which sway hands to swaybg. sway
# will not run as root, so under root it runs as nobody (root still reaches its socket).
SWAY_RUNTIME="$DIR/sway-run"
mkdir -p "$SWAY_RUNTIME" && chmod 700 "$SWAY_RUNTIME"
sway_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$SWAY_RUNTIME"
    chmod 711 "$DIR" # for nobody to reach its folder and swaybg to read KALO.bmp
    sway_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${sway_user[@]}" env -i PATH="$PATH" HOME="$SWAY_RUNTIME" XDG_RUNTIME_DIR="$SWAY_RUNTIME" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c /dev/null >"$DIR/sway.log" 2>&1 &
LINUX_PIDS+=($!)
sway_socket() { SWAYSOCK="$(ls "$SWAY_RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -n 1)"; [ -n "$SWAYSOCK" ]; }
check_within 20 "sway starts headless" sway_socket
# The swaybg processes of the sway started here, oldest first, as "pid arguments" lines:
# sway hands them its environment, whose runtime folder is this script's own.
own_swaybgs() {
    local pid
    for pid in $(ps -C swaybg -o pid= --sort=start_time); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "XDG_RUNTIME_DIR=$SWAY_RUNTIME" &&
            echo "$pid $(tr '\0' ' ' <"/proc/$pid/cmdline")"
    done
}
# background MODE: the swaybg of this sway, started last, shows KALO.bmp (its links
# followed) in that mode.
background() {
    local line
    line="$(own_swaybgs | tail -n 1)"
    line="${line% }"
    E2E_SEEN="$(readlink -f "$(sed -n 's/.* -i \(.*\) -m .*/\1/p' <<<"$line")") ${line##* -m }"
    [ "$E2E_SEEN" = "$BITMAP $1" ]
}
XDG_CURRENT_DESKTOP=sway SWAYSOCK="$SWAYSOCK" "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
SWAY_PROGRAM=$!
LINUX_PIDS+=("$SWAY_PROGRAM")
check_within 20 "sway: swaybg shows KALO.bmp, tiled" background tile
kill "$SWAY_PROGRAM"
wait "$SWAY_PROGRAM" # ended, so that the next start is not a second copy

xfce_session() {
    export XDG_CURRENT_DESKTOP=XFCE
    local p1=/backdrop/screen0/monitorVirtual-1/workspace0 p2=/backdrop/screen0/monitorVirtual-1/workspace1 image=""
    for p in $p1 $p2; do xfconf-query -c xfce4-desktop -p $p/last-image -n -t string -s /old.png; done
    "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    local pid=$!
    for _ in $(seq 100); do
        image="$(xfconf-query -c xfce4-desktop -p $p2/last-image 2>/dev/null)"
        [ "$(readlink -f "$image")" = "$BITMAP" ] && break
        sleep 0.2
    done
    echo "first=$(readlink -f "$(xfconf-query -c xfce4-desktop -p $p1/last-image)")"
    echo "second=$(readlink -f "$image")"
    echo "style=$(xfconf-query -c xfce4-desktop -p $p1/image-style)"
    kill "$pid"
    wait "$pid" # ended, so that the next start is not a second copy
}
export -f xfce_session
RESULT="$(dbus-run-session -- bash -c xfce_session 2>/dev/null)"
check_equal "XFCE: the first backdrop shows KALO.bmp" "first=$BITMAP" "$(grep first= <<<"$RESULT")"
check_equal "XFCE: and the second" "second=$BITMAP" "$(grep second= <<<"$RESULT")"
check_equal "XFCE: tiled" "style=2" "$(grep style= <<<"$RESULT")"

# The program as a client of sway's Wayland display, no X display, snow on: its window
# alone, the snow falling in layer surfaces; no notice, and no snow window, which sway
# would tile.
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="1"' '"c2"="Second(s)"' \
    '"snow"="on"' '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"WallpaperStyle"="2"'
mkdir -m 700 "$DIR/wayland-run"
env -u DISPLAY XDG_RUNTIME_DIR="$DIR/wayland-run" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway \
    WAYLAND_DISPLAY="$(find "$SWAY_RUNTIME" -type s -name 'wayland-*')" SWAYSOCK="$SWAYSOCK" \
    "$DIR/bin/kalo-dc" >"$DIR/wayland.log" 2>&1 &
WAYLAND_PROGRAM=$!
LINUX_PIDS+=("$WAYLAND_PROGRAM")
windows() {
    E2E_SEEN="$(SWAYSOCK="$SWAYSOCK" swaymsg -t get_tree |
        jq -r '[.. | objects | select(.app_id? == "kalo-dc") | .name] | sort | join(" | ")')"
    [ "$E2E_SEEN" = "KALO Desktop Wallpaper Changer [ KALO DC ]" ]
}
running() { E2E_SEEN="$(tail -n 3 "$DIR/wayland.log")" && kill -0 "$WAYLAND_PROGRAM"; }
check_within 30 "Wayland: the main window shows, nothing else" windows
check_within 30 "Wayland: swaybg shows KALO.bmp, stretched" background stretch
check "Wayland: the program keeps running" running
e2e_finish
