-- Run by neovim_test.sh inside Neovim (0.7 or later), with Install.inf open.
local function fail(message)
  io.stderr:write('neovim_test: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local buf = vim.api.nvim_get_current_buf()
local client = vim.lsp.start_client({
  name = 'pakmak-lsp',
  cmd = { os.getenv('PAKMAK_LSP') },
  root_dir = vim.fn.expand('%:p:h'),
})
if not client then fail('the server did not start') end
vim.lsp.buf_attach_client(buf, client)

local function errors()
  return vim.diagnostic.get(buf, { severity = vim.diagnostic.severity.ERROR })
end

if not vim.wait(10000, function() return #errors() > 0 end, 20) then
  fail('no diagnostic for the fault')
end
local found = errors()
if #found ~= 1 then fail('expected one error, got ' .. #found) end
-- Zero-based line 7 is the eighth line, the caption.
if found[1].lnum ~= 7 then fail('the error stands at line ' .. found[1].lnum .. ', not 7') end
if not found[1].message:find('double quotes', 1, true) then fail('unexpected message: ' .. found[1].message) end

-- The fix, written into the buffer (not saved).
vim.api.nvim_buf_set_lines(buf, 7, 8, false, { 'Caption = "My Program"' })
if not vim.wait(10000, function() return #vim.diagnostic.get(buf) == 0 end, 20) then
  fail('the error stayed after the fix: ' .. vim.inspect(vim.diagnostic.get(buf)))
end

vim.lsp.stop_client(client)
vim.cmd('qall!')
