#!/usr/bin/env bash
# The Linux program in a notification area (trayer as the tray host): it starts hidden
# in the tray, and its icon's menu shows the main window, ticks and unticks the log-on
# start (the autostart entry comes and goes, or a failure to write it is reported) and ends
# the program, icon and all.
set -uo pipefail
source "$(dirname "$0")/linux_lib.sh"
linux_setup linux-tray
linux_tray

# The icon: a window of the program docked in the tray host's panel.
icon_docked() {
    E2E_SEEN="$(xwininfo -root -tree | grep -A4 '"panel"' | grep -c '"kalo-dc"') icons in the panel"
    [ "$E2E_SEEN" = "1 icons in the panel" ]
}
main_windows() { xdotool search --onlyvisible --name '^KALO Desktop Wallpaper Changer' | wc -l; }
main_shown() { E2E_SEEN="$(main_windows) main windows"; [ "$E2E_SEEN" = "1 main windows" ]; }
program_windows() { xdotool search --onlyvisible --class '^kalo-dc$' 2>/dev/null | wc -l; }
menu_open() { E2E_SEEN="$(program_windows) windows, $1 before"; [ "$(program_windows)" -gt "$1" ]; }
# tray_menu DOWNS: opens the icon's menu with the right button and chooses its DOWNS-th
# item. A click that lands while the previous menu is still going away opens none: the
# icon is clicked again, up to three times, each waited for.
tray_menu() {
    local at before try
    before=$(program_windows)
    at="$(xwininfo -root -tree | grep -A4 '"panel"' | grep '"kalo-dc"' | grep -o '+[0-9]*+[0-9]*$')"
    IFS=+ read -r _ x y <<<"$at"
    for try in 1 2 3; do
        xdotool mousemove $((x + 8)) $((y + 8)) click 3
        wait_until 4 menu_open "$before" && break
        [ "$try" = 3 ] && { echo "no menu: $E2E_SEEN"; return 1; }
    done
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}
ENTRY="$XDG_CONFIG_HOME/autostart/kalo-dc.desktop"
entry_is() { E2E_SEEN="$(cat "$ENTRY" 2>/dev/null | grep Exec)"; [ "$E2E_SEEN" = "$1" ]; }

wait_until 10 shows_window "$LINUX_TRAY"
linux_start FIRST
check_within 20 "the icon is in the notification area" icon_docked
check "with a tray the main window stays hidden at start" test "$(main_windows)" = 0
tray_menu 1
check_within 10 "Show Menu shows the main window" main_shown
tray_menu 3
check_within 10 "Run on StartUp writes the autostart entry" entry_is "Exec=\"$DIR/bin/kalo-dc\""
tray_menu 3
check_within 10 "unticked, the entry goes" test ! -e "$ENTRY"
check "the settings file keeps no Run value" bash -c "! grep -qi 'kalo dc\"=' '$XDG_CONFIG_HOME/kalo-dc/registry.reg'"
tray_menu 4
check_within 10 "Exit ends the program" ended "$FIRST"
no_icon() { E2E_SEEN="$(xwininfo -root -tree | grep -c '"kalo-dc"') windows of the program"; [ "$E2E_SEEN" = "0 windows of the program" ]; }
check_within 5 "and its icon goes with it" no_icon

boxes() { E2E_SEEN="$(xdotool search --onlyvisible --name '^KALO DC$' | wc -l) boxes"; [ "$E2E_SEEN" = "$1 boxes" ]; }
answer_box() { xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^KALO DC$' | head -1)" key Return; }

# A settings file with a junk line is set aside, and nothing else: the log-on entry stays,
# and "Run on StartUp" starts ticked, so that choosing it turns the log-on start off.
SETTINGS="$XDG_CONFIG_HOME/kalo-dc/registry.reg"
printf '%s\n' '[Desktop Entry]' 'Type=Application' 'Name=KALO DC' 'Comment=Desktop wallpaper changer' \
    "Exec=\"$DIR/bin/kalo-dc\"" 'Icon=kalo-dc' 'Terminal=false' >"$ENTRY"
linux_settings '[HKEY_CURRENT_USER\Software\KALO\KALO DC]' '"s1"="3"' 'a junk line'
linux_start THIRD
check_within 20 "an unreadable settings file is explained" boxes 1
check "and set aside" test -n "$(find "$XDG_CONFIG_HOME/kalo-dc" -name 'registry.reg.unreadable-*')"
answer_box
check_within 20 "the program goes on to its icon" icon_docked
check "the log-on entry is left in place" entry_is "Exec=\"$DIR/bin/kalo-dc\""
check "the fresh settings file takes its Run value from the entry" \
    grep -qxF "\"KALO DC\"=\"\\\"$DIR/bin/kalo-dc\\\"\"" "$SETTINGS"
tray_menu 3
check_within 10 "Run on StartUp was ticked: choosing it removes the entry" test ! -e "$ENTRY"
kill "$THIRD"
check_within 5 "the program ends when told" ended "$THIRD"

# A file where the autostart folder goes: ticking Run on StartUp says the entry failed.
rm -rf "$XDG_CONFIG_HOME/autostart" && touch "$XDG_CONFIG_HOME/autostart"
linux_settings
linux_start SECOND
check_within 20 "started again, the icon is back" icon_docked
check "no box is shown yet" boxes 0
tray_menu 3
check_within 10 "an autostart entry that cannot be written is reported" boxes 1
kill "$SECOND"
e2e_finish
