#!/usr/bin/env bash
# LOTDIALOG end to end: arxhost.exe with lotgrid.arx under Wine, driven from
# outside through the X server with xdotool as a person would, its standard
# output and error read back.
#
#   lotdialog_e2e.sh SCENARIO BIN_FOLDER
#
# The launcher has exported DISPLAY, WINEPREFIX and a running wineserver.
set -uo pipefail

scenario=$1
bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out.txt
err=$work/err.txt
fail() { echo "FAIL: $*" >&2; [ -n "${LOTGRID_E2E_SHOTS:-}" ] && import -window root "$LOTGRID_E2E_SHOTS/$scenario.png"; echo "--- stdout:" >&2; cat "$out" >&2; echo "--- stderr:" >&2; cat "$err" >&2; exit 1; }

# Runs the host with the given -e expressions in the background, through the
# build's Wine runner like every other test program.
start_host() {
    ( cd "$work" && exec "$bin/../wine-run" "$bin/arxhost.exe" --drawing 'Z:\tmp\site.dwg' "$@" \
        >"$out" 2>"$err" ) &
    host_pid=$!
}

# Waits for a window whose title is exactly $1 and answers its id.
wait_window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.05
    done
    return 1
}

# Waits until the window $2 titled $1 is no longer visible; without $2, until
# no window of that title is. A dialog that reopens at once has the same title,
# so the first one is told apart by its id.
wait_gone() {
    local visible
    for _ in $(seq 200); do
        visible=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)
        if [ -z "$visible" ] || { [ -n "${2:-}" ] && ! grep -qx "$2" <<<"$visible"; }; then
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Gives the window the input focus (there is no window manager to do it).
focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
}

keys() {   # window, then keys
    local window=$1
    shift
    focus "$window"
    xdotool key --delay 50 "$@"
}

typed() {   # window, then text
    focus "$1"
    xdotool type --delay 20 "$2"
}

finish_host() {
    for _ in $(seq 300); do
        kill -0 "$host_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$host_pid" 2>/dev/null && { kill "$host_pid"; fail "the host did not end"; }
    wait "$host_pid"
    host_rc=$?
}

dialog() { wait_window "Lot area rapid" || fail "no lot table dialog"; }

# Confirms the cancel question: OK is not the default, so Tab to it first.
confirm_cancel() {
    local box
    box=$(wait_window "arxhost") || fail "no confirmation box"
    keys "$box" Tab Return
}

# The lot grid in the dialog's window: the centre of column $1 (0 Layer,
# 1 Quantity, 2 Type, 3 Numbering) and of row $2 of the template layout.
COLUMN_X=(130 287 443 600)
cell() {   # window, column, row: a press on the cell
    focus "$1"
    xdotool mousemove --window "$1" "${COLUMN_X[$2]}" $((63 + 20 * $3)) click 1
    sleep 0.4
}
# Picks item $2 of the drop list that the last press opened.
pick() {   # window, index
    local i k=(Home)
    for ((i = 0; i < $2; i++)); do k+=(Down); done
    keys "$1" "${k[@]}" Return
    sleep 0.3
}
# Replaces the number in the open Numbering editor and presses Enter.
number() {   # window, text
    keys "$1" End BackSpace BackSpace BackSpace
    typed "$1" "$2"
    keys "$1" Return
    sleep 0.3
}
answer_alert() {
    local box
    box=$(wait_window "AutoCAD Message") || fail "no alert box"
    keys "$box" Return
    wait_gone "AutoCAD Message"
}
# Saves (alt+s) or loads (alt+l) the table through the dialog's button and
# the file dialog it opens, typing the file's name there.
table_file() {   # window, alt+s or alt+l, file
    local box
    keys "$1" "$2"
    box=$(wait_window "Rapid lot area") || fail "no file dialog after $2"
    typed "$box" "$3"
    keys "$box" Return
    wait_gone "Rapid lot area"
}
still_open() {   # window
    sleep 0.5
    xdotool search --onlyvisible --name "^Lot area rapid\$" | grep -qx "$1" || fail "$2"
}
lots() {   # layers, counts, rows: a LOTDIALOG call with types T1 and T2
    echo "(lotdialog (quote ($1)) (quote (\"T1\" \"T2\")) (quote ($2)) $3)"
}

ARGS='(lotdialog (quote ("A" "B")) (quote ("T1" "T2")) (quote ("3" "4")) (quote (("A" "3" "T1" "1") ("B" "4" "T2" "4"))))'
EXPECTED='(("A" "3" "T1" "1") ("B" "4" "T2" "4"))'

case "$scenario" in
ok-then-reopen)
    start_host -e "$ARGS" -e "(lotdialog)"
    window=$(dialog)
    keys "$window" Return
    wait_gone "Lot area rapid" "$window" || fail "the dialog stays after OK"
    window=$(dialog)
    keys "$window" Return
    finish_host
    [ "$host_rc" -eq 0 ] || fail "exit code $host_rc"
    [ "$(sed -n 1p "$out")" = "$EXPECTED" ] || fail "first call"
    [ "$(sed -n 2p "$out")" = "$EXPECTED" ] || fail "the kept table"
    ;;
escape-confirmed)
    start_host -e "$ARGS"
    window=$(dialog)
    keys "$window" Escape
    confirm_cancel
    finish_host
    [ "$(cat "$out")" = "nil" ] || fail "Cancel answers nil"
    ;;
count-mismatch)
    start_host -e '(lotdialog (quote ("A" "B")) (quote ("T1")) (quote ("3")) nil)' -e '(+ 1 2)'
    box=$(wait_window "AutoCAD Message") || fail "no alert box"
    keys "$box" Return
    finish_host
    [ "$(sed -n 1p "$out")" = "" ] || fail "no value for a count mismatch"
    [ "$(sed -n 2p "$out")" = "3" ] || fail "the next expression runs"
    grep -qx 'Alert: "Count of layers not equal count of counts"' "$err" || fail "alert line"
    ;;
save-cancel-load)
    table='Z:\tmp\lotgrid-e2e-table.tab'
    rm -f /tmp/lotgrid-e2e-table.tab
    start_host -e "$ARGS" \
               -e '(lotdialog (quote ("C")) (quote ("T9")) (quote ("5")) (quote (("C" "5" "T9" "7"))))'
    window=$(dialog)
    table_file "$window" alt+s "$table"
    [ -s /tmp/lotgrid-e2e-table.tab ] || fail "no table file"
    keys "$window" Escape
    confirm_cancel
    wait_gone "Lot area rapid" "$window" || fail "the dialog stays after Cancel"
    window=$(dialog)
    table_file "$window" alt+l "$table"
    # The rebuilt grid has the focus and keeps Enter for itself: press OK.
    keys "$window" alt+o
    finish_host
    rm -f /tmp/lotgrid-e2e-table.tab
    [ "$(sed -n 1p "$out")" = "nil" ] || fail "the saved-then-cancelled call is nil"
    [ "$(sed -n 2p "$out")" = "$EXPECTED" ] || fail "the loaded table comes back"
    ;;
choose-layer)
    # B in the blank row below A; OK without B's type is refused.
    start_host -e "$(lots '"A" "B"' '"3" "4"' '(quote (("A" "3" "T1" "1")))')"
    window=$(dialog)
    cell "$window" 0 1
    pick "$window" 1
    keys "$window" alt+o
    still_open "$window" "OK with a row without a type"
    cell "$window" 2 1
    pick "$window" 1
    keys "$window" alt+o
    finish_host
    [ "$(cat "$out")" = "$EXPECTED" ] || fail "B follows A with its quantity and number"
    ;;
star-row)
    # "*" in the blank row below A takes the remaining 4 lots; A and "*" are
    # two grid rows, enclosed in one more list.
    start_host -e "$(lots '"A" "B"' '"3" "4"' '(quote (("A" "3" "T1" "1")))')"
    window=$(dialog)
    cell "$window" 0 1
    pick "$window" 0
    cell "$window" 2 1
    pick "$window" 0
    keys "$window" alt+o
    finish_host
    [ "$(cat "$out")" = '(("A" "3" "T1" "1") ("*" "4" "T1" "4"))' ] || fail "the \"*\" row"
    ;;
single-star)
    # No rows passed in: one "*" row of every lot, enclosed in one more list.
    start_host -e "$(lots '"A" "B"' '"3" "4"' nil)"
    window=$(dialog)
    cell "$window" 2 0
    pick "$window" 0
    keys "$window" alt+o
    finish_host
    [ "$(cat "$out")" = '(("*" "7" "T1" "1"))' ] || fail "the single \"*\" row"
    ;;
delete-rows)
    # Deleting A raises "*" by 3; in the next call deleting "*" brings the
    # blank row back and leaves B alone, enclosed.
    start_host -e "$(lots '"A" "B" "C"' '"3" "4" "5"' \
                    '(quote (("A" "3" "T1" "1") ("B" "4" "T2" "4") ("*" "5" "T1" "8")))')" \
               -e "(lotdialog)"
    window=$(dialog)
    cell "$window" 1 0
    keys "$window" alt+d
    keys "$window" alt+o
    wait_gone "Lot area rapid" "$window" || fail "the dialog stays after OK"
    window=$(dialog)
    cell "$window" 1 1
    keys "$window" alt+d
    keys "$window" alt+o
    finish_host
    [ "$(sed -n 1p "$out")" = '(("B" "4" "T2" "4") ("*" "8" "T1" "8"))' ] || fail "A deleted"
    [ "$(sed -n 2p "$out")" = '(("B" "4" "T2" "4"))' ] || fail "\"*\" deleted"
    ;;
renumber)
    # Row 0 refuses 0; B refuses 2 (A ends at 3) and takes 10, and C below
    # it is packed from 14.
    start_host -e "$(lots '"A" "B" "C"' '"3" "4" "2"' \
                    '(quote (("A" "3" "T1" "1") ("B" "4" "T2" "4") ("C" "2" "T1" "8")))')"
    window=$(dialog)
    cell "$window" 3 0
    number "$window" 0
    answer_alert
    keys "$window" Escape
    cell "$window" 3 1
    number "$window" 2
    answer_alert
    number "$window" 10
    keys "$window" alt+o
    finish_host
    [ "$(cat "$out")" = '(("A" "3" "T1" "1") ("B" "4" "T2" "10") ("C" "2" "T1" "14"))' ] \
        || fail "the numbers after the entries"
    grep -qxF "Alert: \"Value '0' is not correct\\nNumber can't be equal or less than '0'\"" \
        "$err" || fail "the alert for 0"
    grep -qxF "Alert: \"Value '2' is not correct\\nYou must enter Number great or equal than '4'\"" \
        "$err" || fail "the alert for 2"
    ;;
widths-kept)
    # A widened Layer column survives Save and Load: afterwards a press at
    # x = 300 still opens the Layer list of row 0, and "*" chosen there
    # takes all 7 lots.
    table='Z:\tmp\lotgrid-e2e-widths.tab'
    rm -f /tmp/lotgrid-e2e-widths.tab
    start_host -e "$(lots '"A" "B"' '"3" "4"' '(quote (("A" "3" "T1" "1")))')"
    window=$(dialog)
    focus "$window"
    xdotool mousemove --window "$window" 248 44 mousedown 1
    sleep 0.2
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$window" $((248 + 100 * i / 8)) 44
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.3
    table_file "$window" alt+s "$table"
    table_file "$window" alt+l "$table"
    focus "$window"
    xdotool mousemove --window "$window" 300 63 click 1
    sleep 0.4
    pick "$window" 0
    keys "$window" alt+o
    finish_host
    rm -f /tmp/lotgrid-e2e-widths.tab
    [ "$(sed -n 1p "$out")" = '(("*" "7" "T1" "1"))' ] || fail "the widened column after Load"
    ;;
layer-end)
    # End in the open Layer list of the blank row picks its last choice, C
    # (the list offers "*", B and C; A is in use).
    start_host -e "$(lots '"A" "B" "C"' '"3" "4" "5"' '(quote (("A" "3" "T1" "1")))')"
    window=$(dialog)
    cell "$window" 0 1
    keys "$window" End Return
    sleep 0.3
    cell "$window" 2 1
    pick "$window" 0
    keys "$window" alt+o
    finish_host
    [ "$(cat "$out")" = '(("A" "3" "T1" "1") ("C" "5" "T1" "4"))' ] || fail "End chose another layer"
    ;;
load-untagged)
    # A table file whose strings carry no Unicode tag, as a program of 8-bit
    # text writes it, loads through the Load button and the file dialog.
    table='Z:\tmp\lotgrid-e2e-untagged.tab'
    # Rows A and "*", layers "*", A and B, types T1 and T2: each string a
    # length byte and its 8-bit text.
    hex='02 00 00 00 00 00 00 00  01 41 01 33 02 54 31 01 31  01 2a 01 34 02 54 32 01 34
         03 00 00 00 00 00 00 00  01 2a 00 01 00 00 00  01 41 01 33 01 00 00 00
         01 42 01 34 00 00 00 00  06 54 31 0a 54 32 0a'
    # shellcheck disable=SC2059,SC2086
    printf "$(printf '\\x%s' $hex)" >/tmp/lotgrid-e2e-untagged.tab
    start_host -e '(lotdialog (quote ("C")) (quote ("T9")) (quote ("5")) (quote (("C" "5" "T9" "7"))))'
    window=$(dialog)
    table_file "$window" alt+l "$table"
    keys "$window" alt+o
    finish_host
    rm -f /tmp/lotgrid-e2e-untagged.tab
    grep -q "damaged" "$err" && fail "the file was refused"
    [ "$(cat "$out")" = '(("A" "3" "T1" "1") ("*" "4" "T2" "4"))' ] || fail "the loaded table"
    ;;
*)
    fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
