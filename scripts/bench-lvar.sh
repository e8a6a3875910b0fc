#!/usr/bin/env bash
# Times `lvar verify` on a 512 MiB archive against reading the same file
# through a checksum pipe (`cat FILE | cksum`), in the same run, and reports
# lvar's peak memory (maximum resident set size from /usr/bin/time -v).
#
# Uses its own optimised build without sanitizers in build/bench-lvar.
# Usage: scripts/bench-lvar.sh [RUNS]   (default 5)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
runs="${1:-5}"
work="$root/build/bench-lvar"
data="$work/data"

echo "== Building lvar and pakmak (Release, no sanitizers) in build/bench-lvar"
cmake -S . -B "$work" -DCMAKE_BUILD_TYPE=Release -DPAK_SANITIZE=OFF >/dev/null
cmake --build "$work" --target lvar pakmak -j "$(nproc 2>/dev/null || echo 2)" | tail -n 1
[ -x /usr/bin/time ] || { echo "bench-lvar.sh: /usr/bin/time is missing (apt-get install time)" >&2; exit 1; }

archive="$work/big.lvar"
if [ ! -f "$archive" ]; then
  echo "== Making a 512 MiB archive"
  rm -rf "$data"; mkdir -p "$data"
  head -c 192 /dev/zero | tr '\0' 'N' >"$data/Native.ina"
  printf '[App Information]\r\nMaker = Bench\r\nProgram = Bench\r\nVersion = 1\r\nInstallDir = \\Bench\r\nExeFile = Bench.exe\r\nUninstall = Uninst.inf\r\nCaption = Bench\r\nDestination = MAINMEM_ONLY\r\nUnload = Bench.exe\r\n' >"$data/Install.inf"
  printf '[Uninstall Information]\r\nMaker = Bench\r\nProgram = Bench\r\n' >"$data/Uninst.inf"
  head -c $((256 * 1024 * 1024)) /dev/urandom >"$data/one.bin"
  for i in $(seq 1 256); do head -c $((1024 * 1024)) /dev/urandom >"$data/part$i.dat"; done
  "$work/bin/pakmak" "$data" "$archive" >/dev/null
  rm -rf "$data"
fi
ls -l "$archive"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
seconds() { /usr/bin/time -f '%e' "$@" 2>&1 >/dev/null | tail -n 1; }

cat "$archive" >/dev/null  # warm the page cache
lvar_times=(); pipe_times=()
for _ in $(seq "$runs"); do
  lvar_times+=("$(seconds "$work/bin/lvar" verify "$archive")")
  pipe_times+=("$(seconds sh -c "cat '$archive' | cksum")")
done
lvar_median=$(printf '%s\n' "${lvar_times[@]}" | median)
pipe_median=$(printf '%s\n' "${pipe_times[@]}" | median)
rss=$(/usr/bin/time -v "$work/bin/lvar" verify "$archive" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}')
echo "lvar verify:    ${lvar_median} s (median of $runs)"
echo "cat | cksum:    ${pipe_median} s (median of $runs)"
echo "lvar peak RSS:  ${rss} KiB"
