# shellcheck shell=bash
# Sourced by the end-to-end scripts: runs "KALO DC.exe" under Wine from a fresh temporary
# program folder, with settings prepared in the registry, and prints one line per check.
#
# Under scripts/test the Wine prefix, the X display and the wineserver are already up and
# are left running. Run alone, a script brings up a private Xvfb and the wineserver itself
# and stops them at its end.

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_KEY='HKCU\Software\KALO\KALO DC'
E2E_APP_KEY='HKCU\Software\VB and VBA Program Settings\KALO DC'
E2E_DESKTOP_KEY='HKCU\Control Panel\Desktop'
E2E_RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()
E2E_OWN_WINE=0
E2E_DIR=""
E2E_OLD_WALLPAPER=""
E2E_OLD_STYLE=()
E2E_X_CLIENT=""

# --- checks ------------------------------------------------------------------------------

e2e_pass() {
    echo "PASS: $1"
    E2E_PASSED=$((E2E_PASSED + 1))
}

e2e_fail() {
    echo "FAIL: $1"
    E2E_FAILED=$((E2E_FAILED + 1))
}

# check DESCRIPTION COMMAND...: one check line from the command's exit status.
check() {
    local what=$1
    shift
    E2E_SEEN=""
    if "$@"; then e2e_pass "$what"; else e2e_fail "$what${E2E_SEEN:+ (seen: $E2E_SEEN)}"; fi
}

# check_equal DESCRIPTION EXPECTED ACTUAL
check_equal() {
    if [ "$2" = "$3" ]; then
        e2e_pass "$1"
    else
        e2e_fail "$1 (expected '$2', got '$3')"
    fi
}

# wait_until SECONDS COMMAND...: polls every 0.2 s; false when time runs out.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# What a checked or polled command saw the last time it ran ("3 white pixels", say): the
# command sets it, and a check that fails or runs out of time names it.
E2E_SEEN=""

# check_within SECONDS DESCRIPTION COMMAND...
check_within() {
    local limit=$1 what=$2
    shift 2
    E2E_SEEN=""
    if wait_until "$limit" "$@"; then
        e2e_pass "$what"
    else
        e2e_fail "$what (not within ${limit} s${E2E_SEEN:+; last seen: $E2E_SEEN})"
    fi
}

# Seconds since the epoch, to the microsecond.
now() { echo "$EPOCHREALTIME"; }

# elapsed_between START END: seconds from one now() to another, to a tenth.
elapsed_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

e2e_finish() {
    echo "$(basename "$0" .sh): $E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}

# --- Wine and the display ----------------------------------------------------------------

# True when a wineserver serves this prefix: its working folder is named after the
# prefix's device and inode.
e2e_wineserver_running() {
    local tag pid
    tag="server-$(stat -c %D "$WINEPREFIX" 2>/dev/null)-$(printf '%x' "$(stat -c %i "$WINEPREFIX" 2>/dev/null || echo 0)")"
    for pid in $(pgrep wineserver); do
        case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$tag") return 0 ;; esac
    done
    return 1
}

e2e_bring_up_wine() {
    # shellcheck source=../../scripts/wine-env
    source "$E2E_ROOT/scripts/wine-env"
    if [ -d "$WINEPREFIX" ] && e2e_wineserver_running && xdpyinfo >/dev/null 2>&1; then return; fi
    E2E_OWN_WINE=1
    unset DISPLAY # a private Xvfb: the scripts paint the root window and click into it
    kalo_start_display || return 1
    kalo_start_wine
}

# The program under test: KALO_EXE, else build/windows/KALO DC.exe of this checkout.
e2e_find_exe() {
    local exe="${KALO_EXE:-$E2E_ROOT/build/windows/KALO DC.exe}"
    case "$exe" in /*) ;; *) [ -e "$exe" ] || exe="$E2E_ROOT/$exe" ;; esac
    if [ ! -f "$exe" ]; then
        echo "FAIL: no program at '$exe' (build it, or set KALO_EXE)" >&2
        return 1
    fi
    E2E_EXE="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
}

# e2e_setup NAME: the program copied into a fresh folder, clean settings, cleanup on exit.
e2e_setup() {
    e2e_find_exe || exit 1
    e2e_bring_up_wine || exit 1
    E2E_DIR="$(mktemp -d "/tmp/kalo-e2e-$1.XXXXXX")"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    # Xvfb resets itself, root window included, whenever its last client leaves: one
    # idle client holds the display for the whole script.
    xev -root >/dev/null 2>&1 &
    E2E_X_CLIENT=$!
    cp "$E2E_EXE" "$E2E_DIR/KALO DC.exe"
    E2E_OLD_WALLPAPER="$(reg_get "$E2E_DESKTOP_KEY" Wallpaper)"
    E2E_OLD_STYLE=("$(reg_get "$E2E_DESKTOP_KEY" TileWallpaper)"
        "$(reg_get "$E2E_DESKTOP_KEY" WallpaperStyle)")
    e2e_clear_settings
}

e2e_clear_settings() {
    wine reg delete "$E2E_KEY" /f >/dev/null 2>&1
    wine reg delete "$E2E_APP_KEY" /f >/dev/null 2>&1
    wine reg delete "$E2E_RUN_KEY" /v "KALO DC" /f >/dev/null 2>&1 # or Wine would start it
    return 0
}

e2e_cleanup() {
    stop_programs
    e2e_clear_settings
    reg_set "$E2E_DESKTOP_KEY" Wallpaper "$E2E_OLD_WALLPAPER"
    [ -z "${E2E_OLD_STYLE[0]:-}" ] || reg_set "$E2E_DESKTOP_KEY" TileWallpaper "${E2E_OLD_STYLE[0]}"
    [ -z "${E2E_OLD_STYLE[1]:-}" ] || reg_set "$E2E_DESKTOP_KEY" WallpaperStyle "${E2E_OLD_STYLE[1]}"
    [ -z "$E2E_DIR" ] || rm -rf "$E2E_DIR"
    [ -z "$E2E_X_CLIENT" ] || kill "$E2E_X_CLIENT" 2>/dev/null
    if [ "$E2E_OWN_WINE" = 1 ]; then kalo_stop; fi
}

# --- the program ---------------------------------------------------------------------------

# start_program VAR: starts the copy in its folder; its process id goes into VAR.
start_program() {
    local -n started=$1
    (cd "$E2E_DIR" && exec wine "KALO DC.exe") >/dev/null 2>&1 &
    started=$!
    E2E_PIDS+=("$started")
}

running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }

# Processes named "KALO DC.exe" started from this script's folder in this prefix.
program_processes() {
    local pid
    for pid in $(pgrep -x "KALO DC.exe"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$E2E_DIR" ] || continue
        echo "$pid"
    done
}

stop_programs() {
    local pid
    for pid in "${E2E_PIDS[@]}" $(program_processes); do
        running "$pid" || continue
        kill "$pid" 2>/dev/null
        wait_until 3 ended "$pid" || kill -9 "$pid" 2>/dev/null
    done
    return 0
}

# --- files and settings ----------------------------------------------------------------------

windows_path() { winepath -w "$1" 2>/dev/null; }

# write_list_file PICTURE...: "KALO DC.dat" beside the program, one quoted Windows path a line.
write_list_file() {
    local picture
    for picture in "$@"; do
        printf '"%s"\r\n' "$(windows_path "$picture")"
    done >"$E2E_DIR/KALO DC.dat"
}

reg_set() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1; }

# reg_get KEY NAME: the value's data, or nothing when it is missing.
reg_get() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 \{4\}REG_[A-Z_]* \{4\}//p"
}

# --- the screen ------------------------------------------------------------------------------

# Visible X windows of a process, one "id x y width height" line each.
visible_windows() {
    local id X Y WIDTH HEIGHT
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        X=0 Y=0 WIDTH=0 HEIGHT=0 # a window that went away in between has no size
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
        echo "$id $X $Y $WIDTH $HEIGHT"
    done
}

has_visible_window() { [ -n "$(visible_windows "$1")" ]; }

# Wine's tray: a window of the desktop process (explorer.exe) of this prefix on this
# display, shown while it holds an icon. Another prefix's tray is none of ours.
tray_window() {
    local pid environment
    for pid in $(pgrep -x explorer.exe); do
        environment="$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null)"
        grep -qx "WINEPREFIX=$WINEPREFIX" <<<"$environment" || continue
        grep -qx "DISPLAY=$DISPLAY" <<<"$environment" || continue
        xdotool search --all --onlyvisible --pid "$pid" --name '^Wine System Tray$' 2>/dev/null | head -n 1
    done | head -n 1
}
tray_shown() { [ -n "$(tray_window)" ]; }
no_tray_shown() { ! tray_shown; }

# --- menus ---------------------------------------------------------------------------------

# The open pop-up menus of a process: its visible windows narrower than 400 pixels (the
# program's own windows are wider), one "id x y width height" line each, oldest first.
menu_windows() { visible_windows "$1" | awk '$4 < 400'; }

# menu_shown PID: a menu of the process is open; E2E_SEEN lists its visible windows.
menu_shown() {
    E2E_SEEN="visible windows (id x y width height): $(visible_windows "$1" | tr '\n' ';')"
    [ -n "$(menu_windows "$1")" ]
}
no_menu_shown() { ! menu_shown "$1"; }

# open_tray_menu PID: a right click on the icon, the first in Wine's tray window, once no
# menu is open any more; true when a menu of the process opens.
open_tray_menu() {
    local tray X Y HEIGHT
    wait_until 15 no_menu_shown "$1"
    tray=$(tray_window)
    E2E_SEEN="no tray window"
    [ -n "$tray" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + 12)) $((Y + HEIGHT - 14)) click 3
    wait_until 15 menu_shown "$1"
}

# menu_item_point MENU INDEX COUNT: the middle of item INDEX (from 0) of a menu window
# ("id x y width height") that holds COUNT items of one height, as "x y".
menu_item_point() {
    local id x y width height
    read -r id x y width height <<<"$1"
    echo "$((x + width / 2)) $((y + height * (2 * $2 + 1) / (2 * $3)))"
}

# click_menu_item MENU INDEX COUNT: a click on that item; false when there is no menu.
click_menu_item() {
    [ -n "$1" ] || return 1
    # shellcheck disable=SC2046 # "x y"
    xdotool mousemove $(menu_item_point "$@") click 1
}

# pixel FILE X Y: the colour of one pixel as "srgb(r,g,b)".
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info: 2>/dev/null; }

# colour_count FILE HEX: how many pixels hold exactly that colour ("#RRGGBB").
colour_count() {
    convert "$1" -format %c histogram:info: 2>/dev/null |
        awk -v hex="$2" 'toupper($3) == toupper(hex) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# paint_root COLOUR: fills the X root window with one colour.
paint_root() { xsetroot -solid "$1"; }
