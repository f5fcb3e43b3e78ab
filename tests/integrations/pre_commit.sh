#!/usr/bin/env bash
# The hooks of .pre-commit-hooks.yaml run by the real pre-commit, taken from a
# throw-away hook repository by a file:// address: an unformatted export
# stops the commit (tabwright-format leaves it formatted, tabwright-check
# leaves it as it was); once formatted, it is committed. Other .txt files
# are never touched.
set -euo pipefail
tool=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/objects.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work PRE_COMMIT_HOME=$work/cache PATH=$(dirname "$tool"):$PATH GIT_CONFIG_NOSYSTEM=1
git config --global user.name Tester && git config --global user.email tester@example.invalid
git init -q "$work/hooks" && cp "$here/../../.pre-commit-hooks.yaml" "$work/hooks/"
git -C "$work/hooks" add . && git -C "$work/hooks" commit -qm hooks
write_object "$work/raw.txt" && cp "$work/raw.txt" "$work/formatted.txt" && "$tool" -i "$work/formatted.txt"
printf 'IF notes THEN\r\nnot code;\r\n' >"$work/notes.txt"
for hook in tabwright-format tabwright-check; do
  repo=$work/$hook && git init -q "$repo" && cd "$repo"
  printf 'repos:\n- repo: file://%s\n  rev: %s\n  hooks:\n  - id: %s\n' \
    "$work/hooks" "$(git -C "$work/hooks" rev-parse HEAD)" "$hook" >.pre-commit-config.yaml
  pre-commit install >/dev/null
  cp "$work/raw.txt" COD50010.TXT && cp "$work/notes.txt" notes.txt && git add .
  if git commit -qm unformatted >log 2>&1; then echo "$hook: unformatted export was committed"; exit 1; fi
  [[ $hook == tabwright-format ]] && expected=formatted.txt || expected=raw.txt
  cmp COD50010.TXT "$work/$expected" && cmp notes.txt "$work/notes.txt"
  [[ $hook == tabwright-check ]] && grep -q 'COD50010.TXT:16: would change' log
  cp "$work/formatted.txt" COD50010.TXT && git add . && git commit -qm formatted >log 2>&1 || { cat log; exit 1; }
done
