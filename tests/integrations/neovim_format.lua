-- Run by neovim.sh in headless Neovim: opens IN, formats it through
-- tabwright-format --lsp with Neovim's own client, writes the buffer to OUT.
local ok, problem = pcall(function()
  vim.cmd('edit ' .. vim.fn.fnameescape(os.getenv('IN')))
  local id = vim.lsp.start_client({ name = 'tabwright', cmd = { os.getenv('TOOL'), '--lsp' } })
  assert(id and vim.lsp.buf_attach_client(0, id), 'the server did not start')
  assert(vim.wait(5000, function() return vim.lsp.get_client_by_id(id).initialized end), 'no initialize answer')
  vim.lsp.buf.formatting_sync(nil, 5000)
  vim.cmd('write! ' .. vim.fn.fnameescape(os.getenv('OUT')))
end)
if not ok then
  io.stderr:write(tostring(problem) .. '\n')
  vim.cmd('cquit 1')
end
vim.cmd('qall!')
