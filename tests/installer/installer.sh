#!/usr/bin/env bash
# The setup program in a Wine session: silent install, the installed program formatting a copy,
# install over the running program, silent uninstall. Usage: installer.sh SETUP BIN_FOLDER
set -euo pipefail
setup=$1 bin=$2 work=$(mktemp -d)
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"  # no menu entries on the host
fail() { echo "FAIL: $*" >&2; exit 1; }
unix() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"; }
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*    REG_[A-Z_]*    //p'; }
helper() { wine "$bin/cside_helper.exe" "$@"; }
start() { wine "$dir/Tabwright.exe" >/dev/null 2>&1 & tabwright=$!; helper send 0; }  # 0: waits for its window
ended() { for _ in $(seq 100); do kill -0 "$tabwright" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
dir=$(unix '%LOCALAPPDATA%')/Programs/Tabwright lnk="$(unix '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Tabwright.lnk"
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run' entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabwright'
trap 'helper send 2306 &>/dev/null; wine reg delete HKCU\\Software\\Quillmark /f &>/dev/null; rm -rf "$work"' EXIT

wine "$setup" /S
for f in Tabwright.exe tabwright-format.exe Uninstall.exe; do [[ -f $dir/$f ]] || fail "$f not installed"; done
[[ -f $lnk ]] || fail "no Start menu shortcut"
for v in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
  [[ -n $(value "$entry" $v) ]] || fail "uninstall entry without $v"; done
# An older build runs (a few bytes more); its "&Load after reboot" (2124) is
# ticked, and switched off and on it writes what setup wrote.
# A setting of the user's: copies count with no C/SIDE window open.
wine reg add 'HKCU\Software\Quillmark' /v C/SIDE /d 0 /f >/dev/null
installed=$(value "$run" Quillmark) && printf older >>"$dir/Tabwright.exe" && start
helper send 2124 && sleep 0.5 && [[ -z $(value "$run" Quillmark) ]] || fail "autostart not on after setup"
helper send 2124 && sleep 0.5 && [[ $(value "$run" Quillmark) == "$installed" ]] || fail "Run value $installed"

# C/SIDE copies unindented code: the clipboard gets what tabwright-format.exe makes of it.
sed 's/^ *//' "$(dirname "$0")/../../examples/credit-check.txt" >"$work/copy.txt" && copy=$(winepath -w "$work/copy.txt")
helper copy "$copy" && helper paste >"$work/pasted.txt" && wine "$dir/tabwright-format.exe" "$copy" >"$work/expected.txt"
cmp -s "$work/pasted.txt" "$work/expected.txt" && ! cmp -s "$work/copy.txt" "$work/expected.txt" || fail "copy not formatted"

wine "$setup" /S && ended || fail "setup left the older build running"
cmp -s "$dir/Tabwright.exe" "$bin/Tabwright.exe" || fail "setup did not replace the running build"

start && wine "$dir/Uninstall.exe" /S
for _ in $(seq 100); do [[ -e $dir ]] || break; sleep 0.2; done  # the uninstaller runs from a copy
ended || fail "uninstall left Tabwright running"
[[ ! -e $dir && ! -e $lnk ]] || fail "files or shortcut left"
! wine reg query "$entry" >/dev/null 2>&1 || fail "uninstall entry left"
! wine reg query "$run" 2>/dev/null | grep -qi quillmark || fail "Run value left"
[[ $(value 'HKCU\Software\Quillmark' C/SIDE) == 0 ]] || fail "settings removed"
echo "installer: all steps passed"
