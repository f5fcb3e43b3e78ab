#!/usr/bin/env bash
# Headless Neovim's own client formats an export through tabwright-format
# --lsp: the buffer it writes must be byte for byte the file -i writes.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1"
write_object "$work/COD50010.TXT" && cp "$work/COD50010.TXT" "$work/want" && "$tool" -i "$work/want"
cat >"$work/format.lua" <<'LUA'
-- An error leaves OUT unwritten, and cmp fails.
local id = vim.lsp.start_client({ name = 'tabwright', cmd = { os.getenv('TOOL'), '--lsp' } })
assert(vim.lsp.buf_attach_client(0, id) and vim.wait(5000, function() return vim.lsp.get_client_by_id(id).initialized end))
vim.lsp.buf.formatting_sync(nil, 5000)
vim.cmd('write! ' .. vim.fn.fnameescape(os.getenv('OUT')))
LUA
HOME=$work XDG_STATE_HOME=$work XDG_CACHE_HOME=$work TOOL=$tool OUT=$work/got \
  timeout 60 nvim --headless --clean -n -i NONE -c "luafile $work/format.lua" -c 'qall!' "$work/COD50010.TXT" </dev/null
cmp "$work/want" "$work/got"
