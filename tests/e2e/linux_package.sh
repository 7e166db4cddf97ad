#!/usr/bin/env bash
# The Linux program as people install it: the .deb that scripts/package makes passes the
# desktop entry and AppStream validators and lintian, installs with apt, runs from
# /usr/bin with its list and picture in the user's data folder and its log-on entry
# naming /usr/bin/kalo-dc, and leaves none of its files behind once removed. Installs
# and removes the package with apt (as root, or through sudo); the machine's packages
# are as they were when it ends, failed or not.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
cd "$E2E_ROOT" || exit 1

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"; }

# The packages installed, one "name:arch" a line, sorted.
installed_packages() {
    dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' | awk '/ installed$/ { print $1 }' | sort
}
# True while dpkg holds anything of kalo-dc: installed, half-installed or its settings.
package_present() {
    local status
    status="$(dpkg-query -W -f='${Status}' kalo-dc 2>/dev/null)"
    [ -n "$status" ] && [[ "$status" != *" not-installed" ]]
}
package_installed() { [ "$(dpkg-query -W -f='${Status}' kalo-dc 2>/dev/null)" = "install ok installed" ]; }
package_gone() { ! package_present; }

if package_present; then
    echo "FAIL: kalo-dc is already installed here; the test installs and removes its own copy"
    exit 1
fi
if [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
    echo "FAIL: installing the package needs root or sudo without a password"
    exit 1
fi
echo "-- scripts/package --deb-only"
scripts/package --deb-only >/tmp/kalo-e2e-package.log 2>&1 || {
    cat /tmp/kalo-e2e-package.log
    echo "FAIL: scripts/package --deb-only"
    exit 1
}
rm -f /tmp/kalo-e2e-package.log
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/linux-release/CMakeCache.txt)"
DEB="$E2E_ROOT/build/packages/kalo-dc_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || { echo "FAIL: no package at $DEB"; exit 1; }

# The display and the scratch home (its copy of the program in $DIR/bin is not used: the
# program under test is the installed one).
export KALO_LINUX="$E2E_ROOT/build/linux-release/kalo-dc"
linux_setup linux-package
INSTALLED=0
# The packages apt installed with the package, from its log: none, where the machine
# already has everything the program needs.
new_packages() {
    awk '/^The following NEW packages will be installed:/ { on = 1; next }
         on && /^  / { for (i = 1; i <= NF; i++) print $i; next }
         { on = 0 }' "$DIR/apt-install.log" 2>/dev/null
}
package_cleanup() {
    local installed=()
    [ "$INSTALLED" = 0 ] || mapfile -t installed < <(new_packages | grep -vx kalo-dc)
    linux_cleanup # ends the program, removes $DIR
    [ "$INSTALLED" = 0 ] || apt_get remove kalo-dc "${installed[@]}" >/dev/null 2>&1
}
trap package_cleanup EXIT
trap 'exit 130' INT TERM

# --- the package's contents ---------------------------------------------------------------

UNPACKED="$DIR/unpacked"
dpkg-deb -x "$DEB" "$UNPACKED"
DESKTOP_FILE="$UNPACKED/usr/share/applications/kalo-dc.desktop"
METAINFOS=("$UNPACKED"/usr/share/metainfo/*.metainfo.xml)
METAINFO="${METAINFOS[0]}"

# quiet_success COMMAND...: the command succeeds and prints nothing.
quiet_success() {
    E2E_SEEN="$("$@" 2>&1)" && [ -z "$E2E_SEEN" ]
}
# appstream_valid COMMAND...: appstreamcli reports success with nothing to remark.
appstream_valid() {
    E2E_SEEN="$("$@" 2>&1)" && [ "$E2E_SEEN" = "✔ Validation was successful." ]
}
icon_sized() {
    E2E_SEEN="$(identify -format '%m %wx%h' "$UNPACKED/usr/share/icons/hicolor/$1x$1/apps/kalo-dc.png" 2>&1)"
    [ "$E2E_SEEN" = "PNG $1x$1" ]
}
icons_sized() {
    local size
    for size in 16 24 32 48 64 128 256; do icon_sized "$size" || return 1; done
    grep -q '<svg' "$UNPACKED/usr/share/icons/hicolor/scalable/apps/kalo-dc.svg"
}
lintian_clean() {
    lintian --fail-on error,warning "$DEB" >"$DIR/lintian.log" 2>&1
    local status=$?
    E2E_SEEN="$(grep -v '^running with root privileges' "$DIR/lintian.log")"
    [ "$status" = 0 ] && [ -z "$E2E_SEEN" ]
}
# The names the Depends line gives, one a line.
depended_on() { dpkg-deb -f "$DEB" Depends | tr ',' '\n' | awk '{ print $1 }'; }
# The shared libraries the program needs that no package of the Depends line holds.
libraries_not_depended_on() {
    local multiarch library owner
    multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
    for library in $(objdump -p "$UNPACKED/usr/bin/kalo-dc" | awk '$1 == "NEEDED" { print $2 }'); do
        owner="$(dpkg-query -S "*/$multiarch/$library" 2>/dev/null | sed -n '1s/:.*//p')"
        depended_on | grep -qx "${owner:-?}" || echo "$library (${owner:-no package})"
    done
}
depends_hold_libraries() {
    E2E_SEEN="$(libraries_not_depended_on | tr '\n' ' ')"
    [ -z "$E2E_SEEN" ]
}
depends_on() { E2E_SEEN="$(depended_on | tr '\n' ' ')"; depended_on | grep -qx "$1"; }
release_version() { sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$METAINFO"; }

check "desktop-file-validate finds nothing to say" quiet_success desktop-file-validate "$DESKTOP_FILE"
check "appstreamcli validates the metainfo" appstream_valid appstreamcli validate --no-net "$METAINFO"
check "appstreamcli validates the tree (entry, icon, metainfo together)" \
    appstream_valid appstreamcli validate-tree --no-net "$UNPACKED"
check "the icon at every size, and scalable" icons_sized
check "lintian reports no error or warning" lintian_clean
check "each library the program needs comes from a package it depends on" depends_hold_libraries
check "it depends on Wayland's client library, for the snow in layer surfaces" \
    depends_on libwayland-client0
check_equal "the package's version is the project's" "$VERSION" "$(dpkg-deb -f "$DEB" Version)"
check_equal "the release in the metainfo is the project's version" "$VERSION" "$(release_version)"

# --- installed ------------------------------------------------------------------------------

PACKAGES_BEFORE="$DIR/packages-before"
installed_packages >"$PACKAGES_BEFORE"
INSTALLED=1
# No recommended packages: installing pulls in nothing the machine must give back.
apt_get install --no-install-recommends "$DEB" >"$DIR/apt-install.log" 2>&1
check "apt-get installs the package" package_installed
check_equal "it installs, upgrades and removes no other package" \
    "0 upgraded, 1 newly installed, 0 to remove" \
    "$(grep -o '^[0-9]* upgraded, [0-9]* newly installed, [0-9]* to remove' "$DIR/apt-install.log")"
dpkg -L kalo-dc >"$DIR/package-files" 2>/dev/null
check "it holds /usr/bin/kalo-dc" grep -qx /usr/bin/kalo-dc "$DIR/package-files"

# Two pictures in the user's list, a two-second interval, stretched, and the log-on
# value set.
convert -size 64x48 xc:'#ff0000' "$DIR/red.png"
convert -size 64x48 xc:'#0000ff' "$DIR/blue.png"
USER_DATA="$XDG_DATA_HOME/kalo-dc"
mkdir -p "$USER_DATA"
printf '"%s"\r\n' "$DIR/red.png" "$DIR/blue.png" >"$USER_DATA/KALO DC.dat"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"c1"="2"' '"c2"="Second(s)"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"TileWallpaper"="0"' '"WallpaperStyle"="2"' '' \
    '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]' \
    '"KALO DC"="\"/usr/bin/kalo-dc\""'

root_is() {
    E2E_SEEN="$(screen_colour 12 12)"
    [ "$E2E_SEEN" = "$1" ]
}
runs_from() {
    E2E_SEEN="$(readlink "/proc/$1/exe")"
    [ "$E2E_SEEN" = "$2" ]
}
# The program's files (its list, its picture, their temporary copies) in /usr/bin.
nothing_in_usr_bin() {
    E2E_SEEN="$(find /usr/bin -maxdepth 1 -iname '*kalo*' ! -path /usr/bin/kalo-dc | tr '\n' ' ')"
    [ -z "$E2E_SEEN" ]
}

/usr/bin/kalo-dc >>"$DIR/program.log" 2>&1 &
PROGRAM=$!
LINUX_PIDS+=("$PROGRAM")
check_within 5 "the installed program runs" runs_from "$PROGRAM" /usr/bin/kalo-dc
check_within 20 "the first picture fills the root window" root_is '#FF0000'
check_within 10 "the second picture follows" root_is '#0000FF'
check "KALO.bmp is in the user's data folder" test -s "$USER_DATA/KALO.bmp"
check "the settings file records it there" \
    grep -qF "\"Wallpaper\"=\"$USER_DATA/KALO.bmp\"" "$XDG_CONFIG_HOME/kalo-dc/registry.reg"
check_within 5 "the log-on entry starts /usr/bin/kalo-dc" \
    grep -qx 'Exec="/usr/bin/kalo-dc"' "$XDG_CONFIG_HOME/autostart/kalo-dc.desktop"
check "nothing of the program's is written to /usr/bin" nothing_in_usr_bin
kill "$PROGRAM"
check_within 5 "the program ends when told" ended "$PROGRAM"

# --- removed ----------------------------------------------------------------------------------

# A path of the package left behind: a file, or a folder that is empty and no other
# package owns.
left_behind() {
    local path
    while IFS= read -r path; do
        [ "$path" != /. ] || continue
        if [ -d "$path" ] && [ ! -L "$path" ]; then
            [ -z "$(ls -A "$path")" ] && ! dpkg-query -S "$path" >/dev/null 2>&1 && echo "$path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
            echo "$path"
        fi
    done <"$DIR/package-files"
}
nothing_left() {
    E2E_SEEN="$(left_behind | tr '\n' ' ')"
    [ -z "$E2E_SEEN" ]
}
apt_get remove kalo-dc >"$DIR/apt-remove.log" 2>&1
check "apt-get removes it entirely" package_gone
package_present || INSTALLED=0
check "none of its files remain" nothing_left
check_equal "no package went with it" "" "$(comm -23 "$PACKAGES_BEFORE" <(installed_packages) | tr '\n' ' ')"
e2e_finish
