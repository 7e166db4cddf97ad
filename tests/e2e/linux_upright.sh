#!/usr/bin/env bash
# Pictures whose top and bottom differ, a PNG and a JPEG (each decoder's own way), come out
# upright: in the root window (stretched), in the main window's preview and in KALO.bmp.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-upright
convert -size 64x48 xc:'#ff0000' xc:'#0000ff' -append "$DIR/red over blue.png"
convert -size 64x48 xc:'#00ff00' xc:'#ffff00' -append -quality 95 "$DIR/green over yellow.jpg"
linux_list "$DIR/red over blue.png" "$DIR/green over yellow.jpg"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="2"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"'

# near #RRGGBB #RRGGBB: each channel within 12 of the other's (a JPEG is close, not exact).
near() {
    local i d
    for i in 1 3 5; do
        d=$((16#${1:i:2} - 16#${2:i:2}))
        [ "$d" -le 12 ] && [ "$d" -ge -12 ] || return 1
    done
}
# upright DUMP TOP_X TOP_Y BOTTOM_X BOTTOM_Y TOP BOTTOM: one picture of the window or file,
# its two points near the two colours.
upright() {
    local seen
    seen="$(convert "$1" -depth 8 -format "#%[hex:p{$2,$3}] #%[hex:p{$4,$5}]" info: 2>/dev/null)"
    E2E_SEEN="$seen"
    near "${seen% *}" "$6" && near "${seen#* }" "$7"
}
root_upright() { xwd -root -silent >"$DIR/root.xwd" && upright "xwd:$DIR/root.xwd" 12 12 12 1010 "$@"; }
preview_upright() { # the preview box's middle column, below the menu bar, near its top and bottom
    local main
    main="$(xdotool search --onlyvisible --name '^KALO Desktop Wallpaper Changer' | head -1)"
    [ -n "$main" ] && xwd -id "$main" -silent >"$DIR/main.xwd" &&
        upright "xwd:$DIR/main.xwd" 439 60 439 170 "$@"
}
bitmap_upright() { cp "$DIR/bin/KALO.bmp" "$DIR/seen.bmp" 2>/dev/null && upright "$DIR/seen.bmp" 32 10 32 86 "$@"; }

linux_start KALO
for pair in '#FF0000 #0000FF' '#00FF00 #FFFF00'; do
    read -r top bottom <<<"$pair"
    check_within 20 "root window: $top above $bottom" root_upright "$top" "$bottom"
    check_within 5 "preview: $top above $bottom" preview_upright "$top" "$bottom"
    check_within 5 "KALO.bmp: $top above $bottom" bitmap_upright "$top" "$bottom"
done
kill "$KALO"
check_within 5 "the program ends when told" ended "$KALO"
e2e_finish
