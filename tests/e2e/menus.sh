#!/usr/bin/env bash
# The menus, driven with the mouse. The tray menu: "Run on StartUp" stores the program's
# path in quotes as the log-on Run value and checks its item, a second time removes it; the wallpaper
# styles store the desktop's tile and style values. The main window's menu: its first item
# switches the snow on and is then replaced in its place by the item that switches it off.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup menus
first="" # the running copy, set by start_program

# The fewest and smallest flakes, so that the snow window takes no click meant for a menu.
for setting in s1=1 s2=1 s3=1 s4=1; do reg_set "$E2E_KEY" "${setting%=*}" "${setting#*=}"; done
MAIN_CAPTION='KALO Desktop Wallpaper Changer [ KALO DC ]'
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"

# value_is KEY NAME DATA: the stored value holds DATA; E2E_SEEN says what it holds.
value_gone() {
    E2E_SEEN="$2 is '$(reg_get "$1" "$2")'"
    ! wine reg query "$1" /v "$2" >/dev/null 2>&1
}

value_is() {
    local data
    data=$(reg_get "$1" "$2")
    E2E_SEEN="$2 is '$data'"
    [ "$data" = "$3" ]
}

# dark_beside ITEM COUNT: dark pixels in the left margin of an item of the open menu,
# where its check mark goes.
dark_beside() {
    local menu x y
    menu=$(menu_windows "$first" | head -n 1)
    read -r x y <<<"$(menu_item_point "$menu" "$1" "$2")"
    read -r _ x _ _ _ <<<"$menu"
    import -window root -crop "12x12+$((x + 2))+$((y - 6))" +repage "$E2E_DIR/mark.png" 2>/dev/null
    convert "$E2E_DIR/mark.png" -colorspace Gray -threshold 50% -format %c histogram:info: |
        awk '$3 ~ /^#000000/ || $3 == "#000" { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
marked() {
    local mark
    mark=$(dark_beside "$@")
    E2E_SEEN="$mark dark pixels beside the item"
    [ "$mark" -ge 8 ]
}
# unmarked ITEM COUNT: no check mark comes within 5 s.
unmarked() { ! wait_until 5 marked "$@"; }

# choose_style INDEX: "WallPapers Style", then the style at INDEX of its three.
choose_style() {
    open_tray_menu "$first" || return 1
    local menu
    menu=$(menu_windows "$first")
    click_menu_item "$menu" 1 4
    wait_until 15 eval '[ "$(menu_windows "$first" | wc -l)" -ge 2 ]' || return 1
    click_menu_item "$(menu_windows "$first" | grep -v "^${menu%% *} ")" "$1" 3
}

# The main window as "id x y width height", while it shows.
main_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$first" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$MAIN_CAPTION" ] || continue
        visible_windows "$first" | grep "^$id "
    done
}
main_window_shown() {
    E2E_SEEN="visible windows (id x y width height): $(visible_windows "$first" | tr '\n' ';')"
    [ -n "$(main_window)" ]
}

# open_kalo_menu: a click on "KALO", the first title of the main window's menu bar, below
# the window's caption.
open_kalo_menu() {
    local id x y
    read -r id x y _ <<<"$(main_window)"
    E2E_SEEN="no main window"
    [ -n "$id" ] || return 1
    wait_until 15 no_menu_shown "$first"
    xdotool mousemove $((x + 20)) $((y + 31)) click 1
    wait_until 15 menu_shown "$first"
}

# The snow window: a visible window of the program over the whole screen.
snow_shown() {
    local windows
    windows=$(visible_windows "$first")
    E2E_SEEN="visible windows (id x y width height): $(echo "${windows:-none}" | tr '\n' ';')"
    grep -q " 0 0 $screen_width $screen_height$" <<<"$windows"
}
snow_hidden() { ! snow_shown; }

check_within 30 "no tray icon shows before the start" no_tray_shown
start_program first
check_within 60 "the program starts and shows its tray icon" tray_shown

check "the tray menu opens" open_tray_menu "$first"
check "\"Run on StartUp\" shows no check mark at first" unmarked 2 4
click_menu_item "$(menu_windows "$first")" 2 4
check_within 15 "\"Run on StartUp\" stores the program's path as the log-on Run value" \
    value_is "$E2E_RUN_KEY" "KALO DC" "\"$(windows_path "$E2E_DIR/KALO DC.exe")\""
check "the tray menu opens again" open_tray_menu "$first"
check_within 10 "\"Run on StartUp\" shows its check mark" marked 2 4
click_menu_item "$(menu_windows "$first")" 2 4
check_within 15 "choosing it again removes the value" value_gone "$E2E_RUN_KEY" "KALO DC"

# The style items, each as "index name TileWallpaper WallpaperStyle".
for style in "1 Tiled 1 1" "2 Stretched 0 2" "0 Centered 0 0"; do
    read -r index name tile stretch <<<"$style"
    check "the style menu opens and \"$name\" is chosen" choose_style "$index"
    check_within 15 "\"$name\" stores TileWallpaper $tile" value_is "$E2E_DESKTOP_KEY" TileWallpaper "$tile"
    check_equal "\"$name\" stores WallpaperStyle $stretch" "$stretch" \
        "$(reg_get "$E2E_DESKTOP_KEY" WallpaperStyle)"
done

check "the tray menu opens for \"Show Menu\"" open_tray_menu "$first"
click_menu_item "$(menu_windows "$first")" 0 4
check_within 15 "\"Show Menu\" shows the main window" main_window_shown
check "the main window's KALO menu opens" open_kalo_menu
click_menu_item "$(menu_windows "$first")" 0 4 # the snow switch, then "Reset Wallpaper" ...
check_within 15 "its first item switches the snow on: the snow window shows" snow_shown
check_within 15 "the switch is stored as on" value_is "$E2E_KEY" snow on
check "the KALO menu opens again" open_kalo_menu
click_menu_item "$(menu_windows "$first")" 0 4
check_within 15 "its first item now switches the snow off: the snow window goes" snow_hidden
check_within 15 "the switch is stored as off" value_is "$E2E_KEY" snow off
check "the program still runs" running "$first"

e2e_finish
