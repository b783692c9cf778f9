#!/usr/bin/env bash
# griddemo.exe end to end: the grid showcase under Wine, driven from outside
# through the X server with xdotool as a person would. The demo prints each
# move of the current cell ("current cell C17"); screenshots are read back
# with ImageMagick.
#
#   griddemo_e2e.sh SCENARIO BIN_FOLDER
#
# LOTGRID_KEEP_SHOT=FILE.png keeps the last screenshot a scenario read, to
# look at.
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

# Prints the last visible window whose name matches the regex, waiting up
# to N times 50 ms for it; fails the scenario when none comes.
wait_window() {   # regex, N
    local id=
    for _ in $(seq "$2"); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        [ -n "$id" ] && break
        sleep 0.05
    done
    [ -n "$id" ] || fail "no window matching '$1'"
    echo "$id"
}

# Wine itself, not the build's wine-run: that keeps a program's output until
# it ends, and the scenarios read the demo's lines while it runs.
start_demo() {
    ( cd "$work" && exec wine "$bin/griddemo.exe" "$@" >"$out" 2>"$err" ) &
    demo_pid=$!
    window=$(wait_window '^Grid demo$' 400) || exit 1
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

# Compares what the X clipboard holds with the text (printf escapes),
# character by character.
expect_clipboard() {   # text, what holds it
    local got want
    got=$(xclip -o -selection clipboard | od -An -c | tr -s ' ')
    # shellcheck disable=SC2059
    want=$(printf "$1" | od -An -c | tr -s ' ')
    [ "$got" = "$want" ] || fail "$2 reads '$got', not '$want'"
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

shot() { import -window "$window" "$work/shot.png" || fail "no screenshot"; [ -z "${LOTGRID_KEEP_SHOT:-}" ] || cp "$work/shot.png" "$LOTGRID_KEEP_SHOT"; }

# The positions along one pixel line of the screenshot that are darker than
# the grey level LIMIT (0..255), in client coordinates:
#   dark_along x Y FROM TO LIMIT    along the row y, x from FROM to TO
#   dark_along y X FROM TO LIMIT    along the column x
dark_along() {
    local axis=$1 fixed=$2 from=$3 to=$4 limit=$5 geometry
    if [ "$axis" = x ]; then
        geometry=$((to - from))x1+$((ox + from))+$((oy + fixed))
    else
        geometry=1x$((to - from))+$((ox + fixed))+$((oy + from))
    fi
    convert "$work/shot.png" -crop "$geometry" -colorspace gray -depth 8 txt:- \
        | sed -n 's/^\([0-9]*\),\([0-9]*\):.*gray(\([0-9]*\)).*/\1 \2 \3/p' \
        | awk -v axis="$axis" -v from="$from" -v limit="$limit" \
              '$3 < limit { print from + (axis == "x" ? $1 : $2) }' | tr '\n' ' '
}

# True when the inside of the cell whose top left corner is at (x, y) shows
# nothing: no text, only the window colour (the 75 x 20 cell less its lines
# and a focus rectangle).
blank_cell() {
    local mean
    mean=$(convert "$work/shot.png" -crop 66x12+$((ox + $1 + 3))+$((oy + $2 + 3)) \
           -threshold 50% -format "%[fx:mean]" info:)
    awk -v m="$mean" 'BEGIN { exit !(m == 1) }'
}

# Waits for a visible window whose name matches the regex and gives it the
# keyboard focus (a dialog of the demo, a message box).
focus_window() {
    local id
    id=$(wait_window "$1" 100) || exit 1
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}

# Waits up to 60 s for COUNT lines of output that match the extended regex.
expect_count() {
    local got=0
    for _ in $(seq 600); do
        got=$(tr -d '\r' <"$out" | grep -cE "$2")
        [ "$got" -ge "$1" ] && break
        sleep 0.1
    done
    [ "$got" -eq "$1" ] || fail "expected $1 lines matching '$2', got $got"
}

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
    expect_clipboard 'A1\tB1\nA2\tB2' "the X clipboard"
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
    expect_clipboard 'x\ty\nz\tD4' "after the paste the block"
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
locked-panes-scrolled)
    start_demo --locked-cols 2 --locked-rows 2
    # Column A made wider than the rest: a heading placed by the wrong
    # amount then falls between the grid lines instead of onto the next one.
    drag 122 10 182 10
    expect_line '^column A width 135$'
    click 300 150         # C7 (A is 135 wide now)
    expect_move C7
    keys Right Right Right Right Right Right Right Right Right Right
    expect_move M7
    for _ in 1 2 3; do keys Down Down Down Down Down Down Down Down Down Down; done
    expect_move M37
    expect_line '^top row [0-9]+$'
    shot
    # The right edges of the column headings (just below their top, above
    # the letters) against the grid lines of the cells (the top pixel row of
    # a scrolled row, above its text), from the row headings to the bar.
    right=$((cw - 20))
    headings=$(dark_along x 2 48 "$right" 192)
    cells=$(dark_along x 100 48 "$right" 240)
    [ -n "$cells" ] || fail "no grid lines in the cells"
    [ "$headings" = "$cells" ] || fail "column headings end at x $headings, the cells at $cells"
    # The bottom edges of the row headings against the cells' lines in A.
    bottom=$((ch - 20))
    headings=$(dark_along y 2 20 "$bottom" 192)
    cells=$(dark_along y 50 20 "$bottom" 240)
    [ "$headings" = "$cells" ] || fail "row headings end at y $headings, the cells at $cells"
    ;;
find-and-replace)
    start_demo
    click 100 30          # A1
    expect_move A1
    keys ctrl+f
    expect_line '^find 0$'
    focus_window '^Find$'
    xdotool type --delay 60 "q17"   # case does not matter unless asked for
    xdotool key Return
    expect_move Q17
    xdotool key Return    # the search goes on after the hit
    expect_move Q170
    xdotool key Escape
    # Every cell that shows "A1" somewhere: A1, A10..A19, A100..A199, A1000.
    keys ctrl+h
    expect_line '^replace 0$'
    focus_window '^Replace$'
    xdotool type --delay 60 "A1"
    xdotool key Tab
    xdotool type --delay 60 "x"
    xdotool key alt+a
    expect_count 112 '^stored A1[0-9]* x$'
    xdotool key Escape
    # The search sees the replaced texts as they are shown: nothing is left.
    keys ctrl+f
    focus_window '^Find$'
    xdotool type --delay 60 "A1"
    xdotool key Return
    focus_window '^Not Found$'
    xdotool key Return
    ;;
cut-shows-empty-cells)
    start_demo
    click 200 70          # C3
    expect_move C3
    focus
    xdotool keydown shift mousemove --window "$window" $((ox + 280)) $((oy + 90)) click 1 keyup shift
    sleep 0.3
    keys ctrl+x
    expect_line '^cut 0$'
    for cell in C3 D3 C4 D4; do expect_stored "$cell" ""; done
    expect_clipboard 'C3\tD3\nC4\tD4' "the X clipboard"
    # An edit that leaves the text empty empties the cell as well.
    click 100 50          # A2
    expect_move A2
    keys F2 BackSpace BackSpace Return
    expect_stored A2 ""
    keys Escape
    ! tr -d '\r' <"$out" | grep -q '(null)' || fail "a stored line shows (null)"
    shot
    for cell in "198 60" "273 60" "198 80" "273 80" "48 40"; do
        blank_cell $cell || fail "the cell at $cell shows something"
    done
    ! blank_cell 123 60 || fail "B3 shows nothing: the blank test sees no text at all"
    ;;
*)
    fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
