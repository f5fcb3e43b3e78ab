#!/usr/bin/env bash
# Inputs the tool must refuse, each with the message and the exit status it
# gives; refused files stay byte for byte as they were, the others are done.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
cd "$work" && printf 'a\0b:=1;\n' >bin.txt && cp bin.txt bin.orig && printf 'x:=1;\n' >ok.txt
{ yes $'x:=1;\r' || true; } | head -n 12000000 >big.txt && cp big.txt big.orig
while IFS='|' read -r want message command; do
  rc=0 && eval "$command" 2>err >/dev/null || rc=$?
  [[ $rc -eq $want ]] && grep -qxF -- "$message" err || { echo "'$command': exit $rc, $(cat err)"; exit 1; }
done <<'CASES'
2|<stdin>: cannot read: Bad file descriptor|"$tool" <&-
2|<stdin>: cannot read: Is a directory|"$tool" --check <.
2|bin.txt: binary, left as it is|"$tool" -i bin.txt ok.txt
2|tabwright-format: cannot write to standard output|"$tool" ok.txt >/dev/full
2|tabwright-format: cannot write to standard output|"$tool" --help >/dev/full
2|tabwright-format: cannot write to standard output|"$tool" --version >/dev/full
2|big.txt: out of memory|(ulimit -v 60000 && "$tool" -i big.txt)
CASES
cmp big.txt big.orig; cmp bin.txt bin.orig; [[ "$(cat ok.txt)" == "x := 1;" ]]
# Standard input is read without a second copy: 8.4 MB need less than three times their size.
head -n 1200000 big.txt | (ulimit -v 24000 && "$tool" --check &>/dev/null) || [[ $? -eq 1 ]]
