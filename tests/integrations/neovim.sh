#!/usr/bin/env bash
# Headless Neovim formats an export through tabwright-format --lsp: the
# buffer it writes must be byte for byte the file -i writes.
set -euo pipefail
tool=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/objects.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
write_object "$work/COD50010.TXT" && cp "$work/COD50010.TXT" "$work/want.txt" && "$tool" -i "$work/want.txt"
HOME=$work XDG_STATE_HOME=$work XDG_CACHE_HOME=$work TOOL=$tool IN=$work/COD50010.TXT OUT=$work/got.txt \
  timeout 60 nvim --headless --clean -n -i NONE -c "luafile $here/neovim_format.lua" </dev/null
cmp "$work/want.txt" "$work/got.txt"
