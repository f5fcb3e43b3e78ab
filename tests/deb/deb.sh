#!/usr/bin/env bash
# The Debian package as a user gets it: lintian finds no error, and
# extracted it holds a manual page man reads without a warning that covers
# every option of --help, the changed-lines script in /usr/bin, the hooks
# for pre-commit and the docs, and a binary that formats the examples
# exactly as the built one does.
# Usage: deb.sh PACKAGE BUILT_TABWRIGHT_FORMAT
set -euo pipefail
deb=$1 built=$2 root=$(cd "$(dirname "$0")/../.." && pwd) work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

lintian --fail-on error "$deb" || fail "lintian found errors in $deb"
dpkg -x "$deb" "$work/x"
tool=$work/x/usr/bin/tabwright-format doc=$work/x/usr/share/doc/tabwright-format
[[ $(dpkg-deb -f "$deb" Package) == tabwright-format ]] || fail "package name"
[[ $("$tool" --version) == "tabwright-format $(dpkg-deb -f "$deb" Version)" ]] || fail "package and program versions differ"

page=$work/x/usr/share/man/man1/tabwright-format.1.gz
LC_ALL=C MANWIDTH=2000 man --warnings -l "$page" 2>"$work/warnings" | col -b >"$work/page"
[[ ! -s $work/warnings ]] || fail "the manual page: $(cat "$work/warnings")"
for section in SYNOPSIS OPTIONS 'EXIT STATUS' EXAMPLES; do grep -qx "$section" "$work/page" || fail "no $section section"; done
# Each option of --help heads an entry of OPTIONS ("--check, -n, --dry-run").
sed -n '/^OPTIONS$/,/^[A-Z]/p' "$work/page" | grep -E '^ {7}-' >"$work/entries"
"$tool" --help | grep -oE '^ +-[^ ]*( *, *-[^ ,]*)*' | grep -oE -- '-[-a-z]+' | while read -r option; do
  grep -qE -- "^ {7}([^ ]+, )*$option([ ,=]|$)" "$work/entries" || fail "the manual page has no entry for $option"
done

cmp -s "$doc/pre-commit-hooks.yaml" "$root/.pre-commit-hooks.yaml" || fail "hooks file"
script=$work/x/usr/bin/tabwright-format-diff
[[ -x $script ]] && cmp -s "$script" "$root/scripts/tabwright-format-diff" || fail "the changed-lines script"
grep -q '^ */usr/bin/tabwright-format-diff$' "$work/page" || fail "the manual page does not name the changed-lines script"
for file in copyright changelog.gz cli.md editors.md; do [[ -s $doc/$file ]] || fail "no $file in $doc"; done

for example in "$root"/examples/*.txt "$root"/examples/objects/*.TXT; do
  "$tool" "$example" >"$work/packaged" && "$built" "$example" >"$work/built"
  cmp -s "$work/packaged" "$work/built" && ! cmp -s "$work/packaged" "$example" || fail "formatting $example"
done
echo "deb: all checks passed"
