#!/usr/bin/env bash
# The setup program `make dist` ships, in a Wine session: a silent install that
# puts this architecture's files in place and its folder on the user's Path,
# the installed program formatting a copy as the installed tabwright-format.exe
# does, an upgrade over the running program that keeps autostart off and the
# folder off a Path it was taken off, and a silent uninstall that leaves the
# Path as the user had it.
# Usage: installer.sh SETUP FILES_FOLDER BIN_FOLDER   (FILES_FOLDER: the files it ships)
set -euo pipefail
setup=$1 files=$2 bin=$3 work=$(mktemp -d)
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"  # no menu entries on the host
[[ -f $setup ]] || { echo "FAIL: no $setup: run make dist first" >&2; exit 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }
windows() { wine cmd /c echo "$1" | tr -d '\r'; }
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*    REG_[A-Z_]*    //p'; }
type_of() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*    \(REG_[A-Z_]*\)    .*/\1/p'; }
helper() { wine "$bin/cside_helper.exe" "$@"; }
start() { wine "$dir/Tabwright.exe" >/dev/null 2>&1 & tabwright=$!; helper send 0; }  # 0: waits for its window
ended() { for _ in $(seq 300); do kill -0 "$tabwright" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
holds() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; return 1; }  # within 30 s
installed_dir=$(windows '%LOCALAPPDATA%\Programs\Tabwright')
dir=$(winepath -u "$installed_dir") lnk="$(winepath -u "$(windows '%APPDATA%')")/Microsoft/Windows/Start Menu/Programs/Tabwright.lnk"
run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run' entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabwright'
env='HKCU\Environment'
trap 'helper send 2306 &>/dev/null; wine reg delete HKCU\\Software\\Quillmark /f &>/dev/null; rm -rf "$work"' EXIT

# The user's own Path, with an entry that must stay unexpanded.
user_path='%USERPROFILE%\bin;C:\Tools'
wine reg add "$env" /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null
wine reg export "$env" "$(winepath -w "$work/before.reg")" >/dev/null
helper environment >"$work/broadcast" & listener=$!
holds '[[ -s $work/broadcast ]]' || fail "no window to hear the broadcast"

wine "$setup" /S
for f in Tabwright.exe tabwright-format.exe; do cmp -s "$dir/$f" "$files/$f" || fail "$f is not the shipped one"; done
[[ -f $dir/Uninstall.exe && -f $lnk ]] || fail "no uninstaller or Start menu shortcut"
for v in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
  [[ -n $(value "$entry" $v) ]] || fail "uninstall entry without $v"; done
[[ $(value "$env" Path) == "$user_path;$installed_dir" && $(type_of "$env" Path) == REG_EXPAND_SZ ]] ||
  fail "Path after install: $(type_of "$env" Path) $(value "$env" Path)"
wait "$listener" || fail "no WM_SETTINGCHANGE for the environment"
version=$(cd "$work" && wine cmd /c tabwright-format --version | tr -d '\r')
[[ $version == "tabwright-format $(value "$entry" DisplayVersion)" ]] || fail "cmd runs '$version'"

# An older build runs (a few bytes more); its "&Load after reboot" (2124) is
# ticked, and switched off and on it writes what setup wrote.
# A setting of the user's: copies count with no C/SIDE window open.
wine reg add 'HKCU\Software\Quillmark' /v C/SIDE /d 0 /f >/dev/null
installed=$(value "$run" Quillmark) && printf older >>"$dir/Tabwright.exe" && start
helper send 2124 && holds '[[ -z $(value "$run" Quillmark) ]]' || fail "autostart not on after setup"
helper send 2124 && holds '[[ $(value "$run" Quillmark) == "$installed" ]]' || fail "Run value $installed"

# C/SIDE copies unindented code: the clipboard gets what tabwright-format.exe makes of it.
sed 's/^ *//' "$(dirname "$0")/../../examples/credit-check.txt" >"$work/copy.txt" && copy=$(winepath -w "$work/copy.txt")
helper copy "$copy" && helper paste >"$work/pasted.txt" && wine "$dir/tabwright-format.exe" "$copy" >"$work/expected.txt"
cmp -s "$work/pasted.txt" "$work/expected.txt" && ! cmp -s "$work/copy.txt" "$work/expected.txt" || fail "copy not formatted"

# The user switches autostart off and takes the folder off the Path (as an
# install with the box unticked leaves it); the upgrade keeps both so.
helper send 2124 && holds '[[ -z $(value "$run" Quillmark) ]]' || fail "autostart not switched off"
wine reg add "$env" /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null
wine "$setup" /S && ended || fail "setup left the older build running"
cmp -s "$dir/Tabwright.exe" "$files/Tabwright.exe" || fail "setup did not replace the running build"
[[ -z $(value "$run" Quillmark) ]] || fail "the upgrade switched autostart on again"
[[ $(value "$env" Path) == "$user_path" ]] || fail "the upgrade put the folder back on the Path: $(value "$env" Path)"

# The folder back on the Path, written as setup writes it; the uninstaller takes out that entry alone.
wine reg add "$env" /v Path /t REG_EXPAND_SZ /d "$user_path;$installed_dir" /f >/dev/null
start && wine "$dir/Uninstall.exe" /S
for _ in $(seq 300); do [[ -e $dir ]] || break; sleep 0.2; done  # the uninstaller runs from a copy
ended || fail "uninstall left Tabwright running"
[[ ! -e $dir && ! -e $lnk ]] || fail "files or shortcut left"
! wine reg query "$entry" >/dev/null 2>&1 || fail "uninstall entry left"
! wine reg query "$run" 2>/dev/null | grep -qi quillmark || fail "Run value left"
[[ $(value 'HKCU\Software\Quillmark' C/SIDE) == 0 ]] || fail "settings removed"
wine reg export "$env" "$(winepath -w "$work/after.reg")" >/dev/null
cmp -s "$work/before.reg" "$work/after.reg" || fail "the environment differs after uninstall: $(value "$env" Path)"
echo "installer: all steps passed"
