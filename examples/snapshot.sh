#!/usr/bin/env bash
# Runs one of the programs to a picture, on a display nobody may see:
#
#   snapshot.sh lotdialog BIN_FOLDER PICTURE.png PLAN_PICTURE.png NUMBERED.dxf
#       the host opens the sample site plan and runs the sample routine
#       (LOTS) on it, starting from the table a user confirmed earlier; when
#       the dialog "Lot area rapid" has opened, it is saved as the picture and
#       OK is pressed. The routine numbers the lots, the numbered plan is
#       saved as NUMBERED.dxf, and the host then shows that file so that a
#       picture of the numbered drawing is saved as PLAN_PICTURE.png. The
#       host's output follows (the rows of the table kept in the drawing and
#       the routine's report), then the three paths.
#   snapshot.sh griddemo BIN_FOLDER PICTURE.png [DEMO ARGS...]
#       griddemo.exe opens, its window is saved as the picture and it ends;
#       the picture's path is printed.
#
# The caller has exported DISPLAY and WINEPREFIX and runs a wineserver. Every
# wait has a limit, and so has every call of the X programs (an X server that
# stops answering would otherwise hold them): when something does not happen
# in time, the reason goes to standard error and the exit code is 1.
set -uo pipefail

what=${1:-}
bin=${2:-}
picture=${3:-}
[ -n "$what" ] && [ -n "$bin" ] && [ -n "$picture" ] || {
    echo "usage: snapshot.sh lotdialog|griddemo BIN_FOLDER PICTURE.png [ARGS...]" >&2
    exit 2
}
shift 3
examples=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
out=$work/out.txt
err=$work/err.txt
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "snapshot: $*" >&2
    if [ -s "$out" ] || [ -s "$err" ]; then
        echo "--- the program's output:" >&2
        cat "$out" "$err" >&2
    fi
    exit 1
}

# Waits up to $2 seconds for a visible window titled exactly $1 and answers
# its id. Gives up early when the program ends or, for the host, raises an
# alert (its dialog will then never come).
wait_window() {
    local id deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(timeout 10 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended before the window \"$1\" appeared"
        grep -m1 '^Alert: ' "$err" >/dev/null 2>&1 \
            && fail "an alert came instead of the window \"$1\": $(grep -m1 '^Alert: ' "$err")"
        sleep 0.2
    done
    fail "the window \"$1\" did not appear within $2 s"
}

# Waits up to $2 seconds until the window $1 is no longer visible.
wait_gone() {
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        timeout 10 xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.2
    done
    return 1
}

# Waits up to $1 seconds for the program to end; answers its exit code.
wait_end() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within $1 s"
        sleep 0.2
    done
    wait "$pid"
    local rc=$?
    pid=
    return "$rc"
}

# Gives the window the input focus (there is no window manager to do it), so
# that it is drawn as the active window.
focus() {
    timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || timeout 10 xdotool windowfocus "$1"
    sleep 0.2
}

shoot() {   # window id
    # The first paint may still be under way when the window becomes visible.
    sleep 1
    mkdir -p "$(dirname "$picture")"
    timeout 30 import -window "$1" "$picture" 2>"$work/import.txt" \
        || fail "the screenshot could not be taken: $(cat "$work/import.txt")"
}

case "$what" in
lotdialog)
    plan_picture=${1:-}
    numbered=${2:-}
    [ -n "$plan_picture" ] && [ -n "$numbered" ] \
        || fail "usage: snapshot.sh lotdialog BIN_FOLDER PICTURE.png PLAN_PICTURE.png NUMBERED.dxf"
    mkdir -p "$(dirname "$numbered")"
    numbered=$(cd "$(dirname "$numbered")" && pwd)/$(basename "$numbered")
    rm -f "$numbered"
    # The sample plan carries no table yet; the one below is what its
    # surveyor confirmed last time, so that the dialog opens on a real layout.
    # The host runs the drawing's start-up routine, which loads the sample
    # routine, then the routine's command, then shows the table kept in the
    # drawing and saves the numbered plan.
    ( cd "$examples" && exec wine "$bin/arxhost.exe" --drawing "site/Site plan.dxf" acaddoc.lsp \
          -e '(progn (lots-keep-rows (quote (("LOT-A-ELM-NORTH" "14" "Detached" "1") ("LOT-A-ELM-SOUTH" "12" "Detached" "15") ("*" "82" "Terraced" "27")))) (princ))' \
          -e '(c:lots)' -e '(lots-saved-rows)' \
          -e "(progn (command \"_.SAVEAS\" \"Z:$numbered\") (princ))" </dev/null >"$out" 2>"$err" ) &
    pid=$!
    window=$(wait_window "Lot area rapid" 60) || exit 1
    focus "$window"
    shoot "$window"
    # OK by its mnemonic: the dialog manager presses the button whichever
    # control has the focus, also an edit within the grid.
    timeout 10 xdotool key alt+o
    wait_gone "$window" 10 \
        || fail "OK did not close the dialog (its status line tells why: see $picture)"
    wait_end 60 || fail "the host ended with exit code $?"
    [ -s "$numbered" ] || fail "the numbered plan was not saved as $numbered"
    # Each expression prints one line, an empty one when it has no value.
    report=$(tr -d '\r' <"$out" | sed '/^$/d')
    # The numbered plan in the host's window, as a user sees it after LOTS.
    ( cd "$examples" && exec wine "$bin/arxhost.exe" --drawing "Z:$numbered" \
          </dev/null >"$out" 2>"$err" ) &
    pid=$!
    window=$(wait_window "arxhost - \\[$(basename "$numbered")\\]" 60) || exit 1
    focus "$window"
    dialog_picture=$picture
    picture=$plan_picture
    shoot "$window"
    echo "$report"
    echo "$dialog_picture"
    echo "$plan_picture"
    echo "$numbered"
    ;;
griddemo)
    ( exec wine "$bin/griddemo.exe" "$@" </dev/null >"$out" 2>"$err" ) &
    pid=$!
    window=$(wait_window "Grid demo" 60) || exit 1
    focus "$window"
    shoot "$window"
    echo "$picture"
    ;;
*)
    fail "unknown picture '$what' (lotdialog, griddemo)" ;;
esac
