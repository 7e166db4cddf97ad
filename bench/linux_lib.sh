# Sourced by the Linux program's benchmarks: a release kalo-dc built if missing, a private
# Xvfb (SCREEN, 1920x1080 unless set) with a tray and a scratch home, all gone at exit, and
# CPU ticks of processes. Sets KALO_LINUX, DIR, PIDS (killed at exit), XVFB and hz.
KALO_LINUX=${KALO_LINUX:-build/linux-release/kalo-dc}
if [ ! -x "$KALO_LINUX" ]; then
    cmake --preset linux-release >/dev/null && cmake --build --preset linux-release --target kalo_dc
fi
DIR=$(mktemp -d)
PIDS=()
cleanup() { for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$DIR"; }
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-env"
XVFB_PID=""
started=0
start_xvfb "${SCREEN:-1920x1080}x24" || started=$?
XVFB=$XVFB_PID
PIDS+=("$XVFB")
[ "$started" = 0 ] || { echo "Xvfb did not start" >&2; exit 1; }
export HOME="$DIR" XDG_CONFIG_HOME="$DIR/config" XDG_DATA_HOME="$DIR/data" XDG_RUNTIME_DIR="$DIR"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
# A notification area, so the program sits in it with its window hidden, as users run it.
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
PIDS+=($!)
hz=$(getconf CLK_TCK)
# ticks_of PID: the CPU ticks the process has used, 0 once it is gone.
ticks_of() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13}' || echo 0; }
