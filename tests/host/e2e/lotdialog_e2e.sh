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
fail() { echo "FAIL: $*" >&2; echo "--- stdout:" >&2; cat "$out" >&2; echo "--- stderr:" >&2; cat "$err" >&2; exit 1; }

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
    keys "$window" alt+s
    save=$(wait_window "Rapid lot area") || fail "no save dialog"
    typed "$save" "$table"
    keys "$save" Return
    wait_gone "Rapid lot area"
    [ -s /tmp/lotgrid-e2e-table.tab ] || fail "no table file"
    keys "$window" Escape
    confirm_cancel
    wait_gone "Lot area rapid" "$window" || fail "the dialog stays after Cancel"
    window=$(dialog)
    keys "$window" alt+l
    load=$(wait_window "Rapid lot area") || fail "no open dialog"
    typed "$load" "$table"
    keys "$load" Return
    wait_gone "Rapid lot area"
    # The rebuilt grid has the focus and keeps Enter for itself: press OK.
    keys "$window" alt+o
    finish_host
    rm -f /tmp/lotgrid-e2e-table.tab
    [ "$(sed -n 1p "$out")" = "nil" ] || fail "the saved-then-cancelled call is nil"
    [ "$(sed -n 2p "$out")" = "$EXPECTED" ] || fail "the loaded table comes back"
    ;;
*)
    fail "unknown scenario $scenario" ;;
esac
echo "PASS: $scenario"
