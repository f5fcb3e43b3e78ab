#!/usr/bin/env bash
# SIGINT and SIGTERM during -i remove the temporary file, leave the original
# as it was and end the run with 128 + the signal; the files before it, of
# longer names, have left their places in the list of temporaries to it.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
cd "$work" && set -m
{ yes $'IF a THEN\r\nx:=1;\r' || true; } | head -n 2500000 >orig
for signal in INT:130 TERM:143; do
  cp orig big.txt && printf 'IF a THEN\r\nx:=1;\r\n' | tee a-longer-name-{1..4}.txt >/dev/null
  "$tool" -i a-longer-name-{1..4}.txt big.txt & pid=$!
  until compgen -G '.big.txt.tabwright-*' >/dev/null; do sleep 0.01; done
  kill -"${signal%:*}" $pid && rc=0 && wait $pid || rc=$?
  [[ $rc -eq ${signal#*:} && -z $(compgen -G '.*.tabwright-*') ]] && cmp big.txt orig || exit 1
done
