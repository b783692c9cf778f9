#!/usr/bin/env bash
# griddemo.exe end to end: the grid showcase under Wine, driven from outside
# through the X server with xdotool as a person would. The demo prints each
# move of the current cell ("current cell C17"); screenshots are read back
# with ImageMagick.
#
#   griddemo_e2e.sh SCENARIO BIN_FOLDER
#
# The launcher has exported DISPLAY, WINEPREFIX and a running wineserver.
set -uo pipefail

scenario=$1
bin=$2
work=$(mktemp -d)
out=$work/out.txt
err=$work/err.txt
demo_pid=
cleanup() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- stdout:" >&2; cat "$out" >&2; echo "--- stderr:" >&2; cat "$err" >&2; exit 1; }

# Wine itself, not the build's wine-run: that keeps a program's output until
# it ends, and the scenarios read the demo's lines while it runs.
start_demo() {
    ( cd "$work" && exec wine "$bin/griddemo.exe" "$@" >"$out" 2>"$err" ) &
    demo_pid=$!
    for _ in $(seq 400); do
        window=$(xdotool search --onlyvisible --name '^Grid demo$' 2>/dev/null | tail -n1)
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || fail "no window \"Grid demo\""
    for _ in $(seq 100); do
        grep -q '^client origin' "$out" && break
        sleep 0.05
    done
    read -r _ _ ox oy < <(grep -m1 '^client origin' "$out" | tr -d '\r') || fail "no client origin"
    read -r _ _ cw ch < <(grep -m1 '^client size' "$out" | tr -d '\r') || fail "no client size"
    sleep 0.5
}

focus() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.2
}

keys() {
    focus
    xdotool key --delay 60 "$@"
    sleep 0.3
}

# Clicks at (x, y) in the window's client coordinates.
click() {
    focus
    xdotool mousemove --window "$window" $((ox + $1)) $((oy + $2)) click 1
    sleep 0.3
}

# Presses at (x1, y1), moves to (x2, y2) in steps as a hand would, releases.
drag() {
    focus
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    xdotool mousemove --window "$window" $((ox + x1)) $((oy + y1)) mousedown 1
    sleep 0.2
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$window" $((ox + x1 + (x2 - x1) * i / 8)) \
                $((oy + y1 + (y2 - y1) * i / 8))
        sleep 0.05
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
}

# Waits for a line of the demo's output that matches the extended regex.
expect_line() {
    for _ in $(seq 40); do
        tr -d '\r' <"$out" | grep -qE "$1" && return 0
        sleep 0.05
    done
    fail "expected a line matching '$1'"
}

# Wine may end the demo's lines with carriage returns.
last_move() { grep '^current cell' "$out" | tail -n1 | tr -d '\r'; }

# Waits for the demo to report that it stored TEXT in CELL ("stored E3 Banana").
expect_stored() {
    local want="stored $1 $2"
    for _ in $(seq 40); do
        tr -d '\r' <"$out" | grep -qxF "$want" && return 0
        sleep 0.05
    done
    fail "expected '$want'"
}

expect_move() {
    local want="current cell $1" got
    for _ in $(seq 40); do
        got=$(last_move)
        [ "$got" = "$want" ] && return 0
        sleep 0.05
    done
    fail "expected '$want', the demo last said '$got'"
}

# The colour of one pixel of the window, as ImageMagick names it (srgb(r,g,b)).
pixel() {
    convert "$work/shot.png" -format "%[pixel:p{$((ox + $1)),$((oy + $2))}]" info: 2>/dev/null
}

shot() { import -window "$window" "$work/shot.png" || fail "no screenshot"; }

case "$scenario" in
opens-and-paints)
    start_demo
    shot
    # Cell A1 lies right of the 48-pixel row heading and below the 20-pixel
    # column heading: its background is the window colour, its text dark.
    dark=$(convert "$work/shot.png" -crop 75x20+$((ox + 48))+$((oy + 20)) -threshold 50% -format "%[fx:mean]" info:)
    awk -v m="$dark" 'BEGIN { exit !(m < 0.99 && m > 0.5) }' \
        || fail "cell A1 shows no text (mean $dark)"
    [ "$(pixel 120 30)" = "srgb(255,255,255)" ] || fail "cell B1 background is $(pixel 120 30)"
    # The headings are button faces.
    heading=$(pixel 100 3)
    [ "$heading" != "srgb(255,255,255)" ] || fail "the column heading is not drawn"
    ;;
keys-move-the-current-cell)
    start_demo
    click 100 30          # A1
    expect_move A1
    keys Down Down Right
    expect_move B3
    keys End
    expect_move Z3
    keys ctrl+End
    expect_move Z1000
    keys ctrl+Home
    expect_move Z1
    keys Home
    expect_move A1
    keys Next
    grep -q '^current cell A[2-9][0-9]*$' <(last_move) || fail "Page Down did not move down"
    ;;
clicks-and-wheel)
    start_demo --rows 500 --cols 40
    click 200 70          # column C (48 + 2*75 .. ), row 3 (20 + 2*20 ..)
    expect_move C3
    focus
    xdotool mousemove --window "$window" $((ox + 200)) $((oy + 70)) click 5 click 5
    sleep 0.5
    click 200 70
    expect_move C9        # two notches scroll six rows
    ;;
typing-edits-cells)
    start_demo
    click 100 50          # A2
    expect_move A2
    focus
    xdotool type --delay 60 "hello"
    keys Return           # stores and goes on in A3
    expect_stored A2 hello
    expect_move A3
    keys Escape
    click 300 90          # D4, the masked column "999999"
    expect_move D4
    focus
    xdotool type --delay 60 "12a3"
    keys Return
    expect_stored D4 123  # the letter was refused
    ;;
drop-list-by-keyboard)
    start_demo
    click 300 70          # D3
    expect_move D3
    keys Right            # E3, the drop-list column
    expect_move E3
    keys Return           # opens the list
    keys Home Down Return
    expect_stored E3 Banana
    ;;
drop-list-by-mouse)
    start_demo
    click 385 110         # E5: the press opens the list below the cell
    expect_move E5
    click 385 129         # the list's first item, just below the cell
    expect_stored E5 Apple
    ;;
column-edge-drag)
    start_demo
    # Column A spans x 48..122; its right grid line is at 122, and the edge
    # in the heading is caught within 3 pixels of 123.
    shot
    [ "$(pixel 122 50)" != "srgb(255,255,255)" ] || fail "no grid line right of A"
    drag 122 10 182 10
    expect_line '^column A width 135$'
    shot
    [ "$(pixel 122 50)" = "srgb(255,255,255)" ] || fail "the old edge of A is still drawn"
    [ "$(pixel 182 50)" != "srgb(255,255,255)" ] || fail "no grid line at the new edge of A"
    ;;
thumb-drag-to-the-end)
    start_demo --rows 1000000
    # The thumb sits just below the bar's upper arrow; dragged past the
    # lower arrow it stops at the last position, which shows the last row.
    drag $((cw - 8)) 24 $((cw - 8)) $((ch - 30))
    expect_line '^top row [0-9]+$'
    top=$(tr -d '\r' <"$out" | grep '^top row' | tail -n1 | cut -d' ' -f3)
    [ "$top" -gt 999950 ] || fail "the thumb drag ended at top row $top"
    keys ctrl+End
    expect_move A1000000
    [ "$(tr -d '\r' <"$out" | grep '^top row' | tail -n1 | cut -d' ' -f3)" = "$top" ] \
        || fail "the last row was not in view after the drag"
    ;;
tab-click)
    start_demo --sheets 3
    # The tabs share the bottom strip with the horizontal bar; walk along it
    # clicking as someone looking for the third tab would.
    for x in $(seq 40 8 320); do
        click "$x" $((ch - 8))
        tr -d '\r' <"$out" | grep -qx 'sheet 3' && break
    done
    sheets=$(tr -d '\r' <"$out" | grep '^sheet' | uniq | tr '\n' ' ')
    # A click on the tab already shown selects it again.
    case "$sheets" in
    "sheet 2 sheet 3 " | "sheet 1 sheet 2 sheet 3 ") ;;
    *) fail "the tabs switched to: $sheets" ;;
    esac
    ;;
select-and-copy-to-x)
    start_demo
    click 100 30          # A1
    expect_move A1
    focus
    xdotool keydown shift mousemove --window "$window" $((ox + 160)) $((oy + 50)) click 1 keyup shift
    sleep 0.3
    shot                  # the current cell stays at the block's anchor, A1
    # B1 is selected and not current: it shows the highlight background.
    [ "$(pixel 180 35)" != "srgb(255,255,255)" ] || fail "the selected cell B1 is not highlighted"
    keys ctrl+c
    expect_line '^copy 0$'
    got=$(xclip -o -selection clipboard | od -An -c | tr -s ' ')
    want=$(printf 'A1\tB1\nA2\tB2' | od -An -c | tr -s ' ')
    [ "$got" = "$want" ] || fail "the X clipboard holds '$got', not '$want'"
    ;;
paste-from-x)
    start_demo
    printf 'x\ty\r\nz' | xclip -i -selection clipboard
    click 200 70          # C3
    expect_move C3
    keys ctrl+v
    expect_line '^paste 0$'
    keys ctrl+c           # the pasted block is selected: C3..D4
    expect_line '^copy 0$'
    got=$(xclip -o -selection clipboard | od -An -c | tr -s ' ')
    want=$(printf 'x\ty\nz\tD4' | od -An -c | tr -s ' ')
    [ "$got" = "$want" ] || fail "after the paste the block reads '$got', not '$want'"
    ;;
check-box-click)
    start_demo
    # Column F spans x 423..497; the box of row 2 (y 40..59) is at x
    # 426..438, y 44..56.
    click 432 50
    expect_line '^checked F2 1$'
    click 432 50
    expect_line '^checked F2 0$'
    ;;
*)
    fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
