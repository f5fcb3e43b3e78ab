#!/usr/bin/env bash
# What --diff prints, applied by git apply and by patch -p1, gives exactly
# the files -i writes: CR LF and LF breaks, no final break, exports and
# plain code, files named and standard input.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
mkdir -p "$work/in/sub" && cd "$work" && cp "$here"/../../examples/*.txt in/sub/ && write_object in/COD50010.TXT
for f in in/COD50010.TXT in/sub/*.txt; do
  tr -d '\r' <"$f" >"${f%.*}-lf.txt" && head -c -2 "$f" >"${f%.*}-open.txt" && head -c -1 "${f%.*}-lf.txt" >"${f%.*}-lf-open.txt"
done
cp -r in want && "$tool" -i $(find want -type f)
(cd in && "$tool" --diff $(find . -type f | sort) >../patch) || [[ $? -eq 1 ]]
cp -r in by-git && (cd by-git && git apply --whitespace=nowarn ../patch)
cp -r in by-patch && (cd by-patch && patch -s -p1 <../patch)
diff -r want by-git && diff -r want by-patch
"$tool" --diff - <in/sub/credit-check.txt >stdin.patch || [[ $? -eq 1 ]]
patch -s -o from-stdin.txt in/sub/credit-check.txt <stdin.patch && cmp from-stdin.txt want/sub/credit-check.txt
(cd want && "$tool" --diff $(find . -type f) >../none) && [[ ! -s none ]]
# The diff of a large export is made body by body: 17 MB take less than twice their size.
cp in/COD50010.TXT big.txt && for _ in {1..12}; do cat big.txt big.txt >twice && mv twice big.txt; done
(ulimit -v 36000 && "$tool" --diff big.txt >/dev/null) || [[ $? -eq 1 ]]
