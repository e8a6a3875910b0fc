#!/usr/bin/env bash
# Times `lvar verify` on a 512 MiB archive against reading the same file
# through a checksum pipe (`cat FILE | cksum`), in the same run, and reports
# lvar's peak memory (maximum resident set size from /usr/bin/time -v).
#
# Uses its own optimised build without sanitizers in build/bench-lvar.
# Usage: scripts/bench-lvar.sh [RUNS]   (default 5)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-5}"
work="$root/build/bench-lvar"
data="$work/data"

echo "== Building lvar and pakmak (Release, no sanitizers) in build/bench-lvar"
bench_build "$work" lvar pakmak

archive="$work/big.lvar"
if [ ! -f "$archive" ]; then
  echo "== Making a 512 MiB archive"
  rm -rf "$data"; mkdir -p "$data"
  bench_install_files "$data"
  head -c $((256 * 1024 * 1024)) /dev/urandom >"$data/one.bin"
  for i in $(seq 1 256); do head -c $((1024 * 1024)) /dev/urandom >"$data/part$i.dat"; done
  "$work/bin/pakmak" "$data" "$archive" >/dev/null
  rm -rf "$data"
fi
ls -l "$archive"

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
