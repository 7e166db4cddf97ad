#!/usr/bin/env bash
# Snow left on at the slider values 50, 100, 50, 10: white flakes fall over the whole
# screen and the black background of the snow window lets the desktop show through.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup snow
first="" # the running copy, set by start_program

DESKTOP='#3366AA'
OTHER='#FF00FF' # what another program's window is painted over with: counts as nothing
reg_set "$E2E_KEY" snow on
for setting in s1=50 s2=100 s3=50 s4=10; do reg_set "$E2E_KEY" "${setting%=*}" "${setting#*=}"; done

read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
SCREEN_PIXELS=$((screen_width * screen_height))
# Under Wine the window's X shape follows each painted frame a moment later, so one
# screenshot may catch black where flakes have just been (a tenth of the screen at these
# settings, on a busy machine in every other shot or more). A background that is not keyed
# out shows black in every shot wherever no flake is. So the snow is judged by its best
# shot of several: the one with the fewest black pixels.
BLACK_BOUND=$((SCREEN_PIXELS / 100))
SHOTS=20

# shoot NAME: a screenshot NAME.png, and NAME-masked.png with every visible window of
# another program (the tray of Wine, say) painted over, so that its pixels do not count.
# Sets WHITE, BLACK and SHOWN (desktop-coloured pixels) from the masked picture.
shoot() {
    local id owner X Y WIDTH HEIGHT rectangles=()
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        owner=$(xdotool getwindowpid "$id" 2>/dev/null) # none for the root window
        [ -z "$owner" ] || [ "$owner" = "$first" ] && continue
        X=0 Y=0 WIDTH=0 HEIGHT=0
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
        rectangles+=(-draw "rectangle $X,$Y $((X + WIDTH - 1)),$((Y + HEIGHT - 1))")
    done
    import -window root "$E2E_DIR/$1.png" 2>/dev/null
    read -r WHITE BLACK SHOWN <<<"$(convert "$E2E_DIR/$1.png" -fill "$OTHER" "${rectangles[@]}" \
        -write "$E2E_DIR/$1-masked.png" -format %c histogram:info: 2>/dev/null |
        awk -v d="$DESKTOP" 'BEGIN { d = toupper(d) }
            { sub(":", "", $1); c[substr(toupper($3), 1, 7)] += $1 }
            END { printf "%d %d %d\n", c["#FFFFFF"], c["#000000"], c[d] }')"
}

paint_root "$DESKTOP"
shoot before
check "the desktop shows its colour before the start ($SHOWN of $SCREEN_PIXELS pixels)" \
    test "$SHOWN" -gt $((SCREEN_PIXELS * 9 / 10))
check "no white on the screen before the start ($WHITE pixels)" test "$WHITE" -lt 1000

# The snow window: a visible window of the program that covers the whole screen.
covers_screen() {
    local windows
    windows=$(visible_windows "$first")
    E2E_SEEN="visible windows (id x y width height): $(echo "${windows:-none}" | tr '\n' ';')"
    grep -q " 0 0 $screen_width $screen_height$" <<<"$windows"
}

# Flakes drawn: white over more than a tenth of the screen.
snowing() {
    shoot snow
    E2E_SEEN="$WHITE white pixels of $SCREEN_PIXELS"
    [ "$WHITE" -gt $((SCREEN_PIXELS / 10)) ]
}

# settled: screenshots until one shows no more black than BLACK_BOUND, SHOTS at most;
# the one with the fewest black pixels is kept as settled.png. Sets FEWEST and SEEN_BLACK.
settled() {
    local n
    FEWEST="" SEEN_BLACK=""
    for ((n = 1; n <= SHOTS; n++)); do
        shoot shot
        SEEN_BLACK+="${SEEN_BLACK:+ }$BLACK"
        if [ -z "$FEWEST" ] || [ "$BLACK" -lt "$FEWEST" ]; then
            FEWEST=$BLACK
            mv "$E2E_DIR/shot.png" "$E2E_DIR/settled.png"
            mv "$E2E_DIR/shot-masked.png" "$E2E_DIR/settled-masked.png"
            read -r SETTLED_WHITE SETTLED_SHOWN <<<"$WHITE $SHOWN"
        fi
        [ "$FEWEST" -gt "$BLACK_BOUND" ] || return 0
    done
    return 1
}

# moved: a new screenshot differs from the settled one in more than 1000 pixels.
moved() {
    import -window root "$E2E_DIR/later.png" 2>/dev/null
    local changed
    changed=$(compare -metric AE "$E2E_DIR/settled.png" "$E2E_DIR/later.png" null: 2>&1 |
        awk '{ printf "%d", $1 }')
    E2E_SEEN="${changed:-no} pixels changed"
    [ "${changed:-0}" -gt 1000 ]
}

start_program first
check_within 60 "a window of the program covers the whole screen" covers_screen
check_within 60 "many white pixels: flakes over more than a tenth of the screen" snowing

settled
check "no black background: the colour key hides it (fewest black pixels $FEWEST, bound\
 $BLACK_BOUND; black in each shot: $SEEN_BLACK)" test "$FEWEST" -le "$BLACK_BOUND"
check "the desktop shows between the flakes ($SETTLED_SHOWN pixels)" test "$SETTLED_SHOWN" -gt 20000
check "flakes in the shot without black ($SETTLED_WHITE white pixels)" \
    test "$SETTLED_WHITE" -gt $((SCREEN_PIXELS / 10))
# White in the bottom quarter too: the flakes fall over the whole height of the screen.
bottom=$(convert "$E2E_DIR/settled-masked.png" \
    -crop "${screen_width}x$((screen_height / 4))+0+$((screen_height * 3 / 4))" +repage \
    -format %c histogram:info: 2>/dev/null |
    awk 'toupper($3) == "#FFFFFF" { sub(":", "", $1); n += $1 } END { print n + 0 }')
check "flakes reach the bottom quarter of the screen ($bottom white pixels there)" \
    test "$bottom" -gt $((SCREEN_PIXELS / 80))

check_within 60 "the snow moves: a later screenshot differs in more than 1000 pixels" moved
check_equal "the snow switch is stored again" on "$(reg_get "$E2E_KEY" snow)"

e2e_finish
