#!/usr/bin/env bash
# The pictures that `./lotgrid run` (without a display), `./lotgrid demo` and
# `./lotgrid screenshots` take: the programs run to a screenshot and end by
# themselves, and what they print is what a newcomer reads.
#
#   snapshot_e2e.sh BIN_FOLDER
#
# The launcher has exported DISPLAY, WINEPREFIX and a running wineserver.
set -uo pipefail

bin=$1
snapshot=$(dirname "${BASH_SOURCE[0]}")/../../examples/snapshot.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" "$work/err.txt" >&2 2>/dev/null; exit 1; }

# The width and height of a picture.
png_size() { identify -format '%w %h' "$1" 2>/dev/null; }

timeout 180 bash "$snapshot" lotdialog "$bin" "$work/dialog.png" "$work/plan.png" "$work/numbered.dxf" \
    >"$work/out.txt" 2>"$work/err.txt" || fail "the dialog's run ended with $?"
[ "$(tail -n3 "$work/out.txt" | tr '\n' ' ')" = "$work/dialog.png $work/plan.png $work/numbered.dxf " ] \
    || fail "the three paths come last"
# OK gives back the table that the run started from, kept in the drawing, and
# the routine reports the lots it numbered row by row.
grep -qx '(("LOT-A-ELM-NORTH" "14" "Detached" "1") ("LOT-A-ELM-SOUTH" "12" "Detached" "15") ("\*" "82" "Terraced" "27"))' \
    "$work/out.txt" || fail "the rows kept in the drawing"
grep -qx 'Numbered 108 lots:' "$work/out.txt" || fail "the routine's report"
grep -qx '  \*  *82 *numbers 27 to 108' "$work/out.txt" || fail "the report of the \"*\" row"
[ "$(tr -d "\r" <"$work/numbered.dxf" | grep -cx LOT-NUMBERS)" -gt 108 ] || fail "no numbers in the saved plan"
for shot in dialog plan; do
    w= h=
    read -r w h <<<"$(png_size "$work/$shot.png")"
    [ -n "${h:-}" ] || fail "no picture of the $shot"
    [ "$w" -gt 400 ] && [ "$h" -gt 300 ] || fail "the $shot's picture is $w x $h"
done

timeout 120 bash "$snapshot" griddemo "$bin" "$work/demo.png" --rows 30 >"$work/out.txt" 2>"$work/err.txt" \
    || fail "the demo's run ended with $?"
[ "$(cat "$work/out.txt")" = "$work/demo.png" ] || fail "the demo prints only the picture's path"
w= h=
read -r w h <<<"$(png_size "$work/demo.png")"
[ -n "${h:-}" ] || fail "no picture of the demo"
[ "$w" -gt 300 ] && [ "$h" -gt 200 ] || fail "the demo's picture is $w x $h"
echo "PASS"
