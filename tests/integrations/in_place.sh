#!/usr/bin/env bash
# -i rewrites only what its user may write, and keeps owner, group, mode,
# extended attributes and hard links, or refuses and leaves the file (also
# in a folder where it cannot make its temporary file). Run as
# root, the user is nobody in the group users, in a folder anyone may write.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
cp "$tool" "$work/tool" && chmod 755 "$work" && mkdir -m 777 "$work/d" && cd "$work/d"
printf 'IF a THEN\nx:=1;\n' >../raw && printf 'IF a THEN\n  x := 1;\n' >../formatted
as_user=() && [[ $(id -u) -ne 0 ]] || as_user=(setpriv --reuid=nobody --regid=nogroup --groups=users)
new() { cp ../raw "$1" && chown "$2" "$1" && chmod "$3" "$1"; }
expect() {  # STATUS MESSAGE FILE: -i on FILE as the user
  rc=0 && "${as_user[@]}" ../tool -i "$3" 2>../err || rc=$?
  [[ $rc -eq $1 ]] && { [[ -z $2 ]] || grep -qF -- "$2" ../err; } || { echo "$3: exit $rc, $(cat ../err)"; exit 1; }
}
if [[ ${#as_user[@]} -gt 0 ]]; then
  new root.txt root:root 644; expect 2 "root.txt: is not writable by you: Permission denied" root.txt
  new group.txt nobody:root 664; expect 2 "group.txt: cannot keep its owner 65534 and group 0" group.txt
  new users.txt nobody:users 2664; python3 -c 'import os; os.setxattr("users.txt", "user.note", b"kept")'
  expect 0 "" users.txt; cmp users.txt ../formatted
  [[ $(stat -c '%U:%G %a' users.txt) == "nobody:users 2664" ]]
  [[ $(python3 -c 'import os; print(os.getxattr("users.txt", "user.note").decode())') == kept ]]
  cmp root.txt ../raw; cmp group.txt ../raw; [[ $(stat -c %U:%G root.txt group.txt) == $'root:root\nnobody:root' ]]
  new theirs.txt nobody:users 604; ../tool -i theirs.txt; cmp theirs.txt ../formatted
  [[ $(stat -c '%U:%G %a' theirs.txt) == "nobody:users 604" ]]
fi
me=$([[ ${#as_user[@]} -gt 0 ]] && echo nobody || id -u)
mkdir ../locked && new ../locked/a.txt "$me" 666 && chmod 555 ../locked
expect 2 "cannot create a temporary file beside it" ../locked/a.txt; cmp ../locked/a.txt ../raw; chmod 755 ../locked
new linked.txt "$me" 664; ln linked.txt other.txt
expect 2 "linked.txt: has 2 hard links; a new file would split them" linked.txt
cmp linked.txt ../raw; [[ $(stat -c %i linked.txt) == $(stat -c %i other.txt) ]]
# A temporary left by an earlier run of the same process number is stepped
# around and left alone.
new reused.txt "$me" 664 && bash -c 'printf left >.reused.txt.tabwright-$$-0 && exec ../tool -i reused.txt'
cmp reused.txt ../formatted && [[ $(cat .reused.txt.tabwright-*-0) == left ]] && rm .reused.txt.tabwright-*-0
[[ -z $(find . -name '.*tabwright-*') ]]
