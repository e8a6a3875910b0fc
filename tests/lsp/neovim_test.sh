#!/bin/sh
# Neovim, headless, attached to pakmak-lsp on an Install.inf with a fault:
# neovim_test.lua checks Neovim's own diagnostics list. Skipped (77) when
# nvim is not installed.
# Usage: neovim_test.sh PAKMAK_LSP NEOVIM_TEST_LUA
set -eu
command -v nvim >/dev/null 2>&1 || { echo "nvim not installed: skipped"; exit 77; }
lsp=$1
script=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/src"
printf '%0192d' 0 >"$dir/src/Native.ina"
printf 'MZ' >"$dir/src/Memo.exe"
printf '[ Uninstall Information ]\r\nMaker = Kumo\r\nProgram = Memo\r\n' >"$dir/src/UnMemo.inf"
# Line 8 holds the fault: a caption of two words without quotes.
printf '%s\r\n' '[ App Information ]' 'Maker = Kumo' 'Program = Memo' 'Version = 1.0' \
  'InstallDir = "\Memo"' 'ExeFile = Memo.exe' 'Uninstall = UnMemo.inf' 'Caption = My Program' \
  'Destination = ALTERNATIVE' 'Unload = 1' >"$dir/src/Install.inf"
cd "$dir/src"
PAKMAK_LSP=$lsp LORIVANDER_LANG=en timeout 50 nvim --headless -u NONE -i NONE -n \
  -c "luafile $script" Install.inf
