#!/usr/bin/env bash
# Times pakmak against `tar cf` on the same folders, in the same run:
#   (a) 512 files of 1 MiB each
#   (b) 10,000 files of 100 B to 8 KiB in 20 sub-folders
# and the check of one large install description against decoding the same
# file with `iconv -f cp932 -t utf-8`:
#   (c) an Install.inf of about 46 MB with 400,000 registry lines (check only)
# Each folder also holds a valid Native.ina and install descriptions. Prints
# the median of several runs, the ratio pakmak / the other tool and pakmak's
# peak memory (maximum resident set size from /usr/bin/time -v).
#
# Uses its own optimised build without sanitizers in build/bench.
# Usage: scripts/bench.sh [RUNS]   (default 5)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-5}"
work="$root/build/bench"
data="$work/data"
out="$work/out"

echo "== Building pakmak (Release, no sanitizers) in build/bench"
bench_build "$work" pakmak
pakmak="$work/bin/pakmak"

# A valid set of mandatory files in folder $1.
mandatory() {
  bench_install_files "$1"
  printf 'MZ' >"$1/Bench.exe"
}

if [ ! -f "$data/.complete" ]; then
  echo "== Generating the test folders in build/bench/data"
  rm -rf "$data"
  mkdir -p "$data/a" "$data/b"
  mandatory "$data/a"
  mandatory "$data/b"
  # Pseudo-random contents (not compressible, not all alike), made by perl,
  # which every Debian system has.
  perl -e '
    use strict;
    my ($dir_a, $dir_b) = @ARGV;
    srand(720);
    my $mib = join("", map { chr(int(rand(256))) } 1 .. 65536) x 16;
    for my $i (0 .. 511) {
      open(my $f, ">", sprintf("%s/file%03d.bin", $dir_a, $i)) or die;
      binmode $f;
      print $f substr($mib, $i, 1048576 - $i) . substr($mib, 0, $i);
      close $f;
    }
    for my $i (0 .. 9999) {
      my $sub = sprintf("%s/dir%02d", $dir_b, $i % 20);
      mkdir $sub unless -d $sub;
      my $size = 100 + int(rand(8192 - 100 + 1));
      open(my $f, ">", sprintf("%s/item%05d.dat", $sub, $i)) or die;
      binmode $f;
      print $f substr($mib, int(rand(1048576 - 8192)), $size);
      close $f;
    }' "$data/a" "$data/b"
  touch "$data/.complete"
fi
if [ ! -f "$data/.complete-c" ]; then
  echo "== Generating the large install description in build/bench/data/c"
  rm -rf "$data/c"
  mkdir -p "$data/c"
  mandatory "$data/c"
  # Install.inf: the App Information of mandatory() and one Add Registry
  # section of 400,000 lines of the four value types, Shift-JIS texts
  # included.
  perl -e '
    use strict;
    my ($file) = @ARGV;
    open(my $f, ">>", $file) or die;
    binmode $f;
    my $memo = "\x83\x81\x83\x82\x92\xA0";  # Shift-JIS text
    print $f "[Add Registry]\r\n";
    for my $i (0 .. 399999) {
      my $key = sprintf("\"Software\\Bench\\Prog\\Set%06d\"", $i);
      my $t = $i % 4;
      my $line;
      if ($t == 0) {
        $line = sprintf("HKEY_LOCAL_MACHINE, %s, \"Text%06d\", REG_SZ, FLG_ADDREG_NOCLOBBER, \"%s value %06d\"", $key, $i, $memo x 3, $i);
      } elsif ($t == 1) {
        $line = sprintf("HKEY_CURRENT_USER, %s, \"Number%06d\", REG_DWORD, FLG_ADDREG_REPLACEONLY, %d", $key, $i, $i * 7);
      } elsif ($t == 2) {
        $line = sprintf("HKEY_LOCAL_MACHINE, %s, \"Bytes%06d\", REG_BINARY, , \"%s\"", $key, $i, sprintf("%08X", $i) x 3);
      } else {
        $line = sprintf("HKEY_CURRENT_USER, %s, \"List%06d\", REG_MULTI_SZ, , \"one\", \"%s\", \"three %06d\"", $key, $i, $memo, $i);
      }
      print $f $line, "\r\n";
    }
    close $f;' "$data/c/Install.inf"
  touch "$data/.complete-c"
fi
mkdir -p "$out"

now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Times "$@" $runs times; prints the median in milliseconds.
time_ms() {
  local i t0 t1
  for ((i = 0; i < runs; i++)); do
    rm -f "$out/archive.lvar" "$out/archive.tar" "$out/pairs"
    t0=$(now)
    "$@" >/dev/null
    t1=$(now)
    echo $(((t1 - t0) / 1000000))
  done | median
}

# Peak memory of pakmak on folder $1 (and archive $2, when given), in KiB.
peak_kib() {
  rm -f "$out/archive.lvar"
  /usr/bin/time -v "$pakmak" "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }'
}

printf '\n%-34s %10s %10s %8s %14s\n' "case ($runs runs, median)" "pakmak ms" "tar ms" "ratio" "pakmak peak"
for c in a b; do
  case $c in
    a) label="(a) 512 x 1 MiB" ;;
    b) label="(b) 10,000 x 100 B-8 KiB" ;;
  esac
  # One untimed run of each warms the page cache for both.
  "$pakmak" "$data/$c" "$out/archive.lvar" >/dev/null
  tar cf "$out/archive.tar" -C "$data" "$c"
  p=$(time_ms "$pakmak" "$data/$c" "$out/archive.lvar")
  t=$(time_ms tar cf "$out/archive.tar" -C "$data" "$c")
  m=$(peak_kib "$data/$c" "$out/archive.lvar")
  ratio=$(awk -v p="$p" -v t="$t" 'BEGIN { printf (t > 0 ? "%.2f" : "n/a"), (t > 0 ? p / t : 0) }')
  printf '%-34s %10s %10s %8s %10s KiB\n' "$label" "$p" "$t" "${ratio}x" "$m"
done

inf="$data/c/Install.inf"
iconv -f cp932 -t utf-8 "$inf" >/dev/null
"$pakmak" "$data/c" >/dev/null
# Paired runs: pakmak and iconv one after the other, so that both meet the
# same load of the machine; the ratio is the median of the pairs' ratios.
pairs="$out/pairs"
: >"$pairs"
for ((i = 0; i < runs; i++)); do
  t0=$(now); "$pakmak" "$data/c" >/dev/null; t1=$(now)
  iconv -f cp932 -t utf-8 "$inf" >/dev/null; t2=$(now)
  echo "$(((t1 - t0) / 1000000)) $(((t2 - t1) / 1000000))" >>"$pairs"
done
p=$(awk '{ print $1 }' "$pairs" | median)
t=$(awk '{ print $2 }' "$pairs" | median)
m=$(peak_kib "$data/c")
ratio=$(awk '{ printf "%.4f\n", ($2 > 0 ? $1 / $2 : 0) }' "$pairs" | median | awk '{ printf "%.2f", $1 }')
mb=$(awk -v b="$(stat -c %s "$inf")" -v p="$p" 'BEGIN { printf "%.0f", (p > 0 ? b / p / 1000 : 0) }')
printf '%-34s %10s %10s %8s %10s KiB  (%s MB/s; second column: iconv)\n' "(c) check of a 46 MB Install.inf" "$p" "$t" "${ratio}x" "$m" "$mb"
echo
echo "Targets: (a) at most 1.2x tar, (b) at most tar's time, (c) at most 1.5x iconv (median of paired runs);"
echo "peak memory under 16 MiB (16384 KiB)."
rm -f "$out/archive.lvar" "$out/archive.tar" "$out/pairs"
