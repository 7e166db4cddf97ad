#!/usr/bin/env bash
# An install the user cannot write to: an ordinary user runs the program from a folder
# of root's. The list and KALO.bmp live in the user's data folder, the rotation runs, and
# nothing is written beside the program.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-readonly
DATA="$XDG_DATA_HOME/kalo-dc"
mkdir -p "$DATA" "$DIR/pictures"
convert -size 64x48 xc:'#ff0000' "$DIR/pictures/red.png"
convert -size 64x48 xc:'#0000ff' "$DIR/pictures/blue.png"
printf '"%s"\r\n' "$DIR/pictures/red.png" "$DIR/pictures/blue.png" >"$DATA/KALO DC.dat"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="2"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"'
LIST_BEFORE=$(md5sum <"$DATA/KALO DC.dat")
chmod 755 "$DIR" "$DIR/bin" "$DIR/pictures"
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$HOME" "$XDG_RUNTIME_DIR" # the user's own folders
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod 555 "$DIR/bin" # already an ordinary user: the program's folder made read-only
    as_user=()
fi
BIN_BEFORE=$(ls -A "$DIR/bin")

"${as_user[@]}" "$DIR/bin/kalo-dc" >>"$DIR/program.log" 2>&1 &
PROGRAM=$!
LINUX_PIDS+=("$PROGRAM")
root_is() { E2E_SEEN="$(screen_colour 12 12)"; [ "$E2E_SEEN" = "$1" ]; }
check_within 20 "the rotation paints the first picture" root_is '#FF0000'
check_within 10 "and then the second" root_is '#0000FF'
check "KALO.bmp is in the user's data folder" test -s "$DATA/KALO.bmp"
check_equal "nothing is written beside the program" "$BIN_BEFORE" "$(ls -A "$DIR/bin")"
check_equal "the user's list is kept as it was" "$LIST_BEFORE" "$(md5sum <"$DATA/KALO DC.dat")"
check "the program runs as that user" running "$PROGRAM"
e2e_finish
