#!/usr/bin/env bash
# The Windows package as a Windows user meets it: made from the build,
# unpacked into an empty folder outside the build tree and run in a Wine
# prefix of its own, with no build folder and no MinGW on any path.
#
#   package_e2e.sh BUILD_FOLDER VERSION SOURCE_FOLDER
#
# In order: the zip holds exactly the expected files; no binary in it imports
# a DLL that a clean Windows lacks; each binary carries the version resource
# that Windows shows in its properties; the host, started with -e expressions
# from an unrelated folder, opens the drawing that arxhost.ini names, loads
# the start-up file and the routine from beside itself, and LOTS answers its
# rows after OK; the host started as a double click starts it (no arguments,
# in its own folder) shows that drawing and runs LOTS from its command line;
# other drawings named in arxhost.ini, and --drawing, are opened as given;
# griddemo.exe runs to a screenshot.
#
# The launcher has exported DISPLAY (a private X server). The new prefix has
# its own wineserver, which this script ends however it ends. With
# LOTGRID_E2E_SHOTS set, the screenshots are copied into that folder.
set -uo pipefail

build=$1
version=$2
source=$3
name=lotgrid-$version-win64
work=$(mktemp -d /tmp/lotgrid-package.XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    WINEPREFIX=$work/wineprefix wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.txt; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; } >&2
    done
    exit 1
}

# Waits up to $2 seconds for a visible window whose title matches the regular
# expression $1 and answers its id; gives up when the program has ended.
wait_window() {
    local id deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended before a window \"$1\" appeared"
        sleep 0.2
    done
    fail "no window \"$1\" within $2 s"
}

# Waits up to 60 seconds for the program to end; fails unless its exit code is 0.
wait_end() {
    local deadline=$((SECONDS + 60))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end"
        sleep 0.2
    done
    wait "$pid"
    local rc=$?
    pid=
    [ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
}

# The start of each stage on standard output, with the seconds so far, to
# tell where the time goes.
stage() { echo "[$SECONDS s] $1"; }

# Gives the window the input focus: there is no window manager to do it.
focus() {
    timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || timeout 10 xdotool windowfocus "$1"
    sleep 0.3
}

shoot() {   # window id, picture name
    sleep 1
    timeout 30 import -window "$1" "$work/$2" || fail "no screenshot $2"
    [ -z "${LOTGRID_E2E_SHOTS:-}" ] || cp "$work/$2" "$LOTGRID_E2E_SHOTS/package-$2"
}

stage "the zip and what it holds"
cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.txt" 2>&1 \
    || fail "cpack could not make the package"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work/cpack/$name.zip") || fail "the zip does not unpack"
[ "$(ls "$work/unpacked")" = "$name" ] || fail "the zip's one top folder is not $name"
app=$work/unpacked/$name

expected=$({ printf '%s\n' arxhost.exe arxcore.dll lotgrid.arx griddemo.exe acaddoc.lsp lots.lsp \
                 arxhost.ini README.txt LICENSE.txt
             (cd "$source/examples" && find site -type f)
             (cd "$source" && find docs -name '*.png'); } | sort)
actual=$(cd "$app" && find . -type f | sed 's|^\./||' | sort)
[ "$actual" = "$expected" ] || fail "the zip holds:
$actual
instead of:
$expected"
while read -r file; do
    cmp -s "$app/$file" "$source/examples/$file" || fail "$file differs from examples/$file"
done < <(cd "$source/examples" && find site acaddoc.lsp lots.lsp -type f)
# Text files with Windows line ends, otherwise as in the repository.
for text in README.txt:README.md LICENSE.txt:LICENSE; do
    tr -d '\r' <"$app/${text%:*}" | cmp -s - "$source/${text#*:}" && grep -q $'\r$' "$app/${text%:*}" \
        || fail "${text%:*} is not the repository's ${text#*:} with Windows line ends"
done
drawing=$(tr -d '\r' <"$app/arxhost.ini" | sed -n 's/^Drawing=site\\//p')
[ -n "$drawing" ] && [ -f "$app/site/$drawing" ] || fail "arxhost.ini names no drawing in site/"

stage "the imports"
# Only DLLs that a clean Windows 7 or later has, and the host's own.
SYSTEM_DLLS=(kernel32 user32 gdi32 comdlg32 comctl32 advapi32 shell32 ole32 oleaut32 msvcrt
             ws2_32 version psapi shlwapi imm32 winmm uxtheme ntdll rpcrt4 secur32 crypt32
             setupapi userenv dwmapi msimg32 winspool.drv mpr netapi32 iphlpapi oleacc dbghelp
             arxcore)
binaries=$(cd "$app" && find . -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.arx' \) | sort)
for binary in $binaries; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$app/$binary" | awk '/DLL Name:/ { print tolower($3) }')
    [ -n "$dlls" ] || fail "no import table read from $binary"
    for dll in $dlls; do
        [[ " ${SYSTEM_DLLS[*]} " == *" ${dll%.dll} "* ]] \
            || fail "$binary imports $dll, which a clean Windows does not have"
    done
done

stage "a new Wine prefix"
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
unset WINEPATH
mkdir -p "$WINEPREFIX"
# Kept up between the programs; should this script be killed hard, it goes by
# itself 30 s after the last of them.
wineserver -p30
wineboot -i >"$work/wineboot.txt" 2>&1 || fail "wineboot could not make the prefix"
# As the launcher prepares its prefix: Windows' fonts (Debian's Wine leaves
# them out), no waiting for a window manager Xvfb does not have, and a crash
# ends the program instead of waiting in the debugger.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d '' /f >/dev/null 2>&1

stage "the version resources"
cp "$build/bin/versioninfo_dump.exe" "$work/"
(cd "$work" && wine versioninfo_dump.exe $(for b in $binaries; do echo "Z:$app/${b#./}"; done)) \
    </dev/null >"$work/versions.raw" 2>/dev/null || fail "a binary has no version resource"
tr -d '\r' <"$work/versions.raw" >"$work/versions.txt"
for binary in $binaries; do
    file=${binary#./}
    type=2
    [[ $file == *.exe ]] && type=1
    for line in "FixedVersion=$version.0 FileType=$type" "FileVersion=$version" \
                "ProductVersion=$version" "ProductName=LotGrid" "OriginalFilename=$file" \
                "LegalCopyright=Copyright (c) The LotGrid developers"; do
        grep -qxF "$file: $line" "$work/versions.txt" || fail "$file lacks $line"
    done
    grep -qx "$file: FileDescription=LotGrid .*" "$work/versions.txt" || fail "$file: description"
done

stage "the host from another folder"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && exec wine "$app/arxhost.exe" -e '(getvar "DWGPREFIX")' \
     -e '(getvar "DWGNAME")' -e '(load "acaddoc")' \
     -e '(progn (lots-keep-rows (quote (("LOT-A-ELM-NORTH" "14" "Detached" "1") ("LOT-A-ELM-SOUTH" "12" "Detached" "15") ("*" "82" "Terraced" "27")))) (princ))' \
     -e '(c:lots)' -e '(lots-saved-rows)' \
     </dev/null >"$work/host-out.txt" 2>"$work/host-err.txt") &
pid=$!
window=$(wait_window '^Lot area rapid$' 90) || exit 1
focus "$window"
timeout 10 xdotool key alt+o
wait_end
tr -d '\r' <"$work/host-out.txt" >"$work/host.txt"
prefix=$(printf '"Z:%s/site/"' "$app" | sed 's|/|\\\\|g')
[ "$(sed -n 1p "$work/host.txt")" = "$prefix" ] || fail "DWGPREFIX is not $prefix"
[ "$(sed -n 2p "$work/host.txt")" = "\"$drawing\"" ] || fail "DWGNAME is not \"$drawing\""
[ "$(tail -n1 "$work/host.txt")" = \
  '(("LOT-A-ELM-NORTH" "14" "Detached" "1") ("LOT-A-ELM-SOUTH" "12" "Detached" "15") ("*" "82" "Terraced" "27"))' ] \
    || fail "the rows that LISP received"
[ ! -s "$work/host-err.txt" ] || fail "the host wrote errors"

stage "a double click on the host"
(cd "$app" && exec wine arxhost.exe </dev/null >"$work/click-out.txt" 2>"$work/click-err.txt") &
pid=$!
title=$(sed 's/[][().*+?{}|\\^$]/\\&/g' <<<"arxhost - [$drawing]")
main=$(wait_window "^$title\$" 60) || exit 1
focus "$main"
# The sample plan keeps no table yet, and a row without a type is refused:
# the table confirmed last is set first, as an earlier LOTS would leave it.
timeout 20 xdotool type --delay 10 '(lots-keep-rows (quote (("*" "108" "Detached" "1"))))'
timeout 10 xdotool key Return
timeout 10 xdotool type --delay 20 lots
timeout 10 xdotool key Return
window=$(wait_window '^Lot area rapid$' 60) || exit 1
focus "$window"
shoot "$window" dialog.png
timeout 10 xdotool key alt+o
# The main window takes no keys while the dialog is open, and under load the
# dialog may take a while to go: Alt+F4 again until the host has ended.
deadline=$((SECONDS + 60))
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    focus "$main"
    timeout 10 xdotool key alt+F4
    sleep 1
done
wait_end
[ ! -s "$work/click-err.txt" ] || fail "the host wrote errors"

stage "other drawings"
# A path with a drive, a share or from the root is the drawing itself; none
# leaves the default. DWG names give an empty drawing of that name, with
# nothing to read. Each answer is a LISP string: backslashes doubled.
drawing_is() {   # expected path, arxhost.exe arguments...
    local expected answer
    expected="\"$(sed 's/\\/\\\\/g' <<<"$1")\""
    shift
    # Into a file: Wine's desktop process, started anew with a program, would
    # keep a pipe open for seconds after the program has ended.
    (cd "$work/elsewhere" && wine "$app/arxhost.exe" "$@" \
         -e '(strcat (getvar "DWGPREFIX") (getvar "DWGNAME"))' </dev/null >"$work/drawing.txt" 2>&1)
    answer=$(tr -d '\r' <"$work/drawing.txt")
    [ "$answer" = "$expected" ] || fail "the drawing is $answer instead of $expected ($*)"
}
elsewhere=$(sed 's|/|\\|g' <<<"Z:$work/elsewhere/")
for line in 'D:/proj/site.dwg|D:\proj\site.dwg' '\\server\proj\site.dwg|\\server\proj\site.dwg' \
            '/proj/site.dwg|Z:\proj\site.dwg' "|${elsewhere}Drawing1.dwg"; do
    printf '[arxhost]\r\nDrawing=%s\r\n' "${line%%|*}" >"$app/arxhost.ini"
    drawing_is "${line#*|}"
done
printf '[arxhost]\r\nDrawing=site.dxf\r\n' >"$app/arxhost.ini"
drawing_is 'C:\other\plan.dwg' --drawing 'C:/other/plan.dwg'

stage "the grid demo"
timeout 120 bash "$source/examples/snapshot.sh" griddemo "$app" "$work/griddemo.png" \
    >"$work/demo.txt" 2>&1 || fail "griddemo.exe did not run to a screenshot"
[ -z "${LOTGRID_E2E_SHOTS:-}" ] || cp "$work/griddemo.png" "$LOTGRID_E2E_SHOTS/package-griddemo.png"
# Headings, cells, lines and letters: a window that painted nothing has fewer.
[ "$(identify -format '%k' "$work/griddemo.png")" -ge 4 ] || fail "griddemo.exe painted nothing"
stage "PASS"
