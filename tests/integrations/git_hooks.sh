#!/usr/bin/env bash
# pre-commit runs the hooks from a file:// clone: an unformatted export stops
# the commit (tabwright-format formats it), a formatted one passes, other
# .txt files stay. Then tabwright-format-diff formats only the staged lines.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
export HOME=$work PRE_COMMIT_HOME=$work/cache PATH=$(dirname "$tool"):$PATH GIT_CONFIG_NOSYSTEM=1
git config --global user.name Tester && git config --global user.email tester@example.invalid
git init -q "$work/hooks" && cp "$here/../../.pre-commit-hooks.yaml" "$work/hooks/"
git -C "$work/hooks" add . && git -C "$work/hooks" commit -qm hooks
write_object "$work/raw" && cp "$work/raw" "$work/formatted" && "$tool" -i "$work/formatted"
printf 'IF notes THEN\r\nnot code;\r\n' >"$work/notes"
for hook in tabwright-format tabwright-check; do
  git init -q "$work/$hook" && cd "$work/$hook" && cp "$work/raw" COD50010.TXT && cp "$work/notes" notes.txt
  printf 'repos:\n- repo: file://%s\n  rev: %s\n  hooks:\n  - id: %s\n' \
    "$work/hooks" "$(git -C "$work/hooks" rev-parse HEAD)" "$hook" >.pre-commit-config.yaml
  pre-commit install >/dev/null && git add .
  if git commit -qm unformatted >log 2>&1; then echo "$hook let an unformatted export in"; exit 1; fi
  want=raw && [[ $hook == tabwright-format ]] && want=formatted
  cmp COD50010.TXT "$work/$want" && cmp notes.txt "$work/notes" && grep -q "COD50010.TXT:16: would change\|files were modified" log
  cp "$work/formatted" COD50010.TXT && git add . && git commit -qm formatted >/dev/null
done
# With --indent-errors the hook stops a commit whose indentation misleads,
# and so does the script where a staged line's does.
git init -q "$work/strict" && cd "$work/strict"
sed -e '115s/^    /      /' -e '116s/^/      /' "$work/raw" >COD50010.TXT
printf 'repos:\n- repo: file://%s\n  rev: %s\n  hooks:\n  - id: tabwright-format\n    args: [--indent-errors]\n' \
  "$work/hooks" "$(git -C "$work/hooks" rev-parse HEAD)" >.pre-commit-config.yaml
pre-commit install >/dev/null && git add .
if git commit -qm misleading >log 2>&1; then echo "the hook let a misleading indentation in"; exit 1; fi
misled="COD50010.TXT:116: warning: indented as part of the IF's statement but runs after it (the IF of line 114)"
grep -qF "$misled" log && git checkout -q COD50010.TXT && git commit -qm misleading --no-verify
sed -i '116s/0/1/' COD50010.TXT && git add . && ! "$here/../../scripts/tabwright-format-diff" --indent-errors 2>log
grep -qF "$misled" log
# Only the staged line changes, at its body's depth, in an export renamed to
# a .Txt name; staged notes stay.
git init -q "$work/diff" && cd "$work/diff" && cp "$work/raw" COD50010.TXT && cp "$work/notes" notes.txt
git add . && git commit -qm raw && printf 'IF more THEN\r\nnot code;\r\n' >>notes.txt && cp notes.txt "$work/notes2"
git mv COD50010.TXT Cod50010.Txt && awk 'NR == 38 { print "      Pages:=Pages+1;\r" } 1' Cod50010.Txt >edited
cp edited Cod50010.Txt && git add . && "$here/../../scripts/tabwright-format-diff" && cmp notes.txt "$work/notes2"
cmp <(sed 38d Cod50010.Txt) <(sed 38d edited) && [[ $(sed -n 38p Cod50010.Txt) == *"Pages := Pages + 1;"* ]]
