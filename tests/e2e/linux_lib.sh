# shellcheck shell=bash
# Sourced by the Linux end-to-end scripts: kalo-dc of build/linux (or KALO_LINUX) copied
# into a fresh folder and started on a private Xvfb, with its own home, settings file
# and list file. Runs alone or under scripts/test.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

KALO_LINUX="${KALO_LINUX:-$E2E_ROOT/build/linux/kalo-dc}"
LINUX_PIDS=()
LINUX_XVFB=""

linux_cleanup() {
    local pid
    for pid in "${LINUX_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -z "$LINUX_XVFB" ] || kill "$LINUX_XVFB" 2>/dev/null
    [ -z "${DIR:-}" ] || rm -rf "$DIR"
}

# linux_setup NAME [WIDTHxHEIGHT]: DIR, a display of its own, the program in $DIR/bin.
linux_setup() {
    [ -x "$KALO_LINUX" ] || { echo "FAIL: no program at '$KALO_LINUX'" >&2; exit 1; }
    DIR="$(mktemp -d "/tmp/kalo-e2e-$1.XXXXXX")"
    trap linux_cleanup EXIT
    local n=151
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 "${2:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
    LINUX_XVFB=$!
    export DISPLAY=:$n
    wait_until 10 xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start"; exit 1; }
    # Holds the display (Xvfb resets when its last client leaves), listening to nothing a
    # window manager must have to itself, such as the root window's clicks.
    xev -root -event property >/dev/null 2>&1 &
    LINUX_PIDS+=($!)
    export HOME="$DIR/home" XDG_CONFIG_HOME="$DIR/home/.config"
    export XDG_DATA_HOME="$DIR/home/.local/share" XDG_RUNTIME_DIR="$DIR/run"
    export ASAN_OPTIONS=detect_leaks=0
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
    mkdir -p "$DIR/bin" "$XDG_CONFIG_HOME/kalo-dc" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    cp "$KALO_LINUX" "$DIR/bin/kalo-dc"
}

# linux_settings LINE...: the settings file, the lines after its header.
linux_settings() {
    printf '%s\n' 'Windows Registry Editor Version 5.00' '' "$@" >"$XDG_CONFIG_HOME/kalo-dc/registry.reg"
}

# linux_list PICTURE...: "KALO DC.dat" beside the program.
linux_list() {
    local picture
    for picture in "$@"; do printf '"%s"\r\n' "$picture"; done >"$DIR/bin/KALO DC.dat"
}

# linux_start VAR: starts the program; its process id goes into VAR.
linux_start() {
    local -n started=$1
    "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
    started=$!
    LINUX_PIDS+=("$started")
}

# screen_colour X Y: the screen's pixel there as #RRGGBB.
screen_colour() {
    xwd -root -silent | convert xwd:- -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}
