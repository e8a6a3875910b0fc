#!/usr/bin/env bash
# Times pakmak against `tar cf` on the same folders, in the same run:
#   (a) 512 files of 1 MiB each
#   (b) 10,000 files of 100 B to 8 KiB in 20 sub-folders
# and the check of one large install description against decoding the same
# file with `iconv -f cp932 -t utf-8`:
#   (c) an Install.inf of about 46 MB with 400,000 registry lines (check only)
# and the diagnostics mode's check of that folder against the default check:
#   (c') `pakmak --diagnostics=jsonl` of the same folder
# and pakforge-build on a saved project against pakmak on the folder it
# leaves (the same files, its Install.inf included), 10,000 small files
# each, every file a saved row:
#   (d) flat, (e) 256 sub-folders x 40 files, (f) 16 sub-folders x 625 files
# and (g) `pakforge-build --check` of a project of 65,532 rows whose files
# are missing, over 1,000 empty sub-folders (refused; time only).
# Hostile project files, read by pakforge-build (time and peak memory):
#   (h) 60 MiB of "[" lines, (i) 60 MiB of blank lines (both refused), and
#   (j) the checks of 16,000 program rows, each with its menu file (refused
#   just before Finish writes).
# And pakmak-lsp (scripts/lsp_bench.py): (k) the time from a one-character
# change of a 1 MB Install.inf to its diagnostics (median of 20 changes) and
# the server's resident memory (VmRSS) with the file open against the file's
# size, the idle server's beside it: the target is for the file's share (the
# resident memory with the file open less the idle server's); the peak
# (VmHWM) is printed too.
# Each folder also holds a valid Native.ina and install descriptions. Prints
# the median of several runs, the ratio pakmak / the other tool and pakmak's
# peak memory (maximum resident set size from /usr/bin/time -v).
#
# Uses its own optimised build without sanitizers in build/bench.
# Usage: scripts/bench.sh [RUNS] [pakforge]   (default 5; "pakforge": (d)-(g) only)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-5}"
only="${2:-}"
work="$root/build/bench"
data="$work/data"
out="$work/out"

echo "== Building pakmak (Release, no sanitizers) in build/bench"
bench_build "$work" pakmak pakforge-build pakmak-lsp
pakmak="$work/bin/pakmak"
pakforge_build="$work/bin/pakforge-build"

# A valid set of mandatory files in folder $1.
mandatory() {
  bench_install_files "$1"
  printf 'MZ' >"$1/Bench.exe"
}

if [ -z "$only" ] && [ ! -f "$data/.complete" ]; then
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
if [ -z "$only" ] && [ ! -f "$data/.complete-c" ]; then
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

# (d)-(g): a working folder $1 holding the project Pakforge_Bench.ini and
# its source folder src with $2 sub-folders of $3 files each (0 sub-folders:
# $3 files in src itself), every file a saved row; $4 "missing": $2 empty
# sub-folders and $3 rows naming files that are not there.
pakforge_project() {
  rm -rf "$1"
  mkdir -p "$1/src"
  head -c 192 /dev/zero | tr '\0' 'N' >"$1/src/Native.ina"
  printf 'MZ' >"$1/src/Bench.exe"
  perl -e '
    use strict;
    my ($dir, $folders, $files, $missing) = @ARGV;
    open(my $ini, ">", "$dir/Pakforge_Bench.ini") or die;
    binmode $ini;
    print $ini "[Property]\r\nLocate=JP\r\nProduct=Bench\r\nName=Bench\r\nCaption=Bench\r\n",
      "Ver=1.0\r\nOutput=Bench\r\nSource=src\r\nInstDir=Bench\r\nExe=Bench.exe\r\n",
      "Uninstall=true\r\nUninstFile=UnBench\r\n[CopyFile]\r\nFile0=Bench.exe\r\nWakeup0=true\r\n";
    my $row = 1;
    if ($missing) {
      mkdir sprintf("%s/src/d%04d", $dir, $_) for 0 .. $folders - 1;
      print $ini sprintf("File%d=m%05d.dat\r\n", $row++, $_) for 0 .. $files - 1;
      $folders = 0;
      $files = 0;
    }
    for my $d (0 .. ($folders ? $folders - 1 : ($files ? 0 : -1))) {
      my $sub = $folders ? sprintf("%s/src/d%04d", $dir, $d) : "$dir/src";
      mkdir $sub unless -d $sub;
      for my $i (0 .. $files - 1) {
        my $name = sprintf("f%04d_%05d.dat", $d, $i);
        print $ini "File$row=$name\r\n";
        ++$row;
        open(my $f, ">", "$sub/$name") or die;
        print $f "x" x (100 + ($row * 37) % 900);
        close $f;
      }
    }
    print $ini "[SetupIni]\r\nCreate=true\r\nName=Bench\r\n";
    close $ini;' "$1" "$2" "$3" "${4:-}"
}

[ -n "$only" ] || printf '\n%-34s %10s %10s %8s %14s\n' "case ($runs runs, median)" "pakmak ms" "tar ms" "ratio" "pakmak peak"
for c in a b; do
  [ -z "$only" ] || break
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

pairs="$out/pairs"
if [ -z "$only" ]; then
inf="$data/c/Install.inf"
iconv -f cp932 -t utf-8 "$inf" >/dev/null
"$pakmak" "$data/c" >/dev/null
# Paired runs: pakmak and iconv one after the other, so that both meet the
# same load of the machine; the ratio is the median of the pairs' ratios.
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
# (c'): paired as well, each --diagnostics=jsonl run after a default check.
"$pakmak" --diagnostics=jsonl "$data/c" >/dev/null
: >"$pairs"
for ((i = 0; i < runs; i++)); do
  t0=$(now); "$pakmak" "$data/c" >/dev/null; t1=$(now)
  "$pakmak" --diagnostics=jsonl "$data/c" >/dev/null; t2=$(now)
  echo "$(((t2 - t1) / 1000000)) $(((t1 - t0) / 1000000))" >>"$pairs"
done
j=$(awk '{ print $1 }' "$pairs" | median)
p=$(awk '{ print $2 }' "$pairs" | median)
m=$(peak_kib --diagnostics=jsonl "$data/c")
ratio=$(awk '{ printf "%.4f\n", ($2 > 0 ? $1 / $2 : 0) }' "$pairs" | median | awk '{ printf "%.2f", $1 }')
printf '%-34s %10s %10s %8s %10s KiB  (first column: jsonl, second: default check)\n' "(c') --diagnostics=jsonl of (c)" "$j" "$p" "${ratio}x" "$m"
fi

# The load of the machine, from /proc/loadavg: the (d)-(f) ratios mean
# little on a machine busy with other work, so each is printed with it.
load() { cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "unknown"; }
printf '\n%-34s %10s %10s %8s  %s\n' "case ($runs pairs, median)" "build ms" "pakmak ms" "ratio" "pakforge-build / pakmak (aim: 1.3x)"
for c in d e f; do
  case $c in
    d) label="(d) flat, 10,000 files"; shape=(0 10000) ;;
    e) label="(e) 256 sub-folders x 40 files"; shape=(256 40) ;;
    f) label="(f) 16 sub-folders x 625 files"; shape=(16 625) ;;
  esac
  w="$data/$c"
  [ -f "$w/.complete" ] || { pakforge_project "$w" "${shape[@]}"; touch "$w/.complete"; }
  # The first run writes the descriptions that pakmak then packs too.
  "$pakforge_build" "$w/Pakforge_Bench.ini" >/dev/null
  # Paired runs, as for (c): each pakforge-build run is followed by a pakmak
  # run on the same folder, and the ratio is the median of the pairs' ratios.
  : >"$pairs"
  for ((i = 0; i < runs; i++)); do
    rm -f "$out/archive.lvar"
    t0=$(now); "$pakforge_build" "$w/Pakforge_Bench.ini" >/dev/null; t1=$(now)
    "$pakmak" "$w/src" "$out/archive.lvar" -p 0000 -o c000 -c 0000 >/dev/null; t2=$(now)
    echo "$(((t1 - t0) / 1000000)) $(((t2 - t1) / 1000000))" >>"$pairs"
  done
  b=$(awk '{ print $1 }' "$pairs" | median)
  p=$(awk '{ print $2 }' "$pairs" | median)
  ratio=$(awk '{ printf "%.4f\n", ($2 > 0 ? $1 / $2 : 0) }' "$pairs" | median | awk '{ printf "%.2f", $1 }')
  verdict=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3 ? "within the aim" : "over the aim") }')
  printf '%-34s %10s %10s %8s  %s (load %s)\n' "$label" "$b" "$p" "${ratio}x" "$verdict" "$(load)"
done
w="$data/g"
[ -f "$w/.complete" ] || { pakforge_project "$w" 1000 65532 missing; touch "$w/.complete"; }
g=$(time_ms sh -c '"$1" --check "$2" 2>/dev/null; [ $? -eq 65 ]' sh "$pakforge_build" "$w/Pakforge_Bench.ini")
printf '%-34s %10s\n' "(g) 65,532 missing rows, refused" "$g"

# (h)-(j): time, CPU time (user + system: on a machine shared with other
# work it is the fairer figure) and peak memory of one pakforge-build run,
# the median of $runs runs each.
pakforge_run() {
  local i
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e %U %S %M' "$pakforge_build" "$@" 2>&1 >/dev/null | tail -n 1
  done | sort -n | awk '{ t[NR] = $1; c[NR] = $2 + $3; m[NR] = $4 }
    END { i = int((NR + 1) / 2); printf "%10d %10d %10d KiB\n", t[i] * 1000, c[i] * 1000, m[i] }'
}
h="$data/h"
if [ ! -f "$h/.complete" ]; then
  rm -rf "$h" && mkdir -p "$h"
  perl -e 'print "[\n" x (30 * 1048576)' >"$h/Pakforge_Brackets.ini"
  perl -e 'print "\n" x (60 * 1048576)' >"$h/Pakforge_Blank.ini"
  # (j): 16,000 program files, each a saved row of the application folder,
  # and a .txt file that no row names: the run makes every check and stops
  # before Finish writes (status 67), so the checks alone are timed.
  mkdir -p "$h/j/src"
  head -c 192 /dev/zero | tr '\0' 'N' >"$h/j/src/Native.ina"
  printf 'notes\r\n' >"$h/j/src/notes.txt"
  perl -e '
    use strict;
    my ($dir) = @ARGV;
    open(my $ini, ">", "$dir/Pakforge_Bench.ini") or die;
    binmode $ini;
    print $ini "[Property]\r\nLocate=JP\r\nProduct=Bench\r\nName=Bench\r\nCaption=Bench\r\n",
      "Ver=1.0\r\nOutput=Bench\r\nSource=src\r\nInstDir=Bench\r\nExe=p00000.exe\r\n",
      "Uninstall=true\r\nUninstFile=UnBench\r\n[CopyFile]\r\nWakeup0=true\r\n";
    for my $i (0 .. 15999) {
      my $name = sprintf("p%05d.exe", $i);
      print $ini "File$i=$name\r\n";
      open(my $f, ">", "$dir/src/$name") or die;
      print $f "MZ";
      close $f;
    }
    close $ini;' "$h/j"
  touch "$h/.complete"
fi
printf '\n%-34s %10s %10s %14s\n' "case ($runs runs, median)" "ms" "CPU ms" "peak"
printf '%-34s %s\n' "(h) 60 MiB of \"[\" lines" "$(pakforge_run "$h/Pakforge_Brackets.ini")"
printf '%-34s %s\n' "(i) 60 MiB of blank lines" "$(pakforge_run "$h/Pakforge_Blank.ini")"
printf '%-34s %s\n' "(j) checks of 16,000 program rows" "$(pakforge_run "$h/j/Pakforge_Bench.ini")"
# (k): an Install.inf of about 1 MB (Make Dirs lines after the App
# Information) and the language server.
k="$data/k"
if [ ! -f "$k/.complete" ]; then
  rm -rf "$k" && mkdir -p "$k"
  bench_install_files "$k"
  printf 'MZ' >"$k/Bench.exe"
  { printf '[Make Dirs]\r\n'
    awk 'BEGIN { for (i = 0; i < 40000; i++) printf "\\Bench\\Data\\Folder%05d\r\n", i }'
  } >>"$k/Install.inf"
  touch "$k/.complete"
fi
echo
python3 "$root/scripts/lsp_bench.py" "$work/bin/pakmak-lsp" "$k"
echo
echo "Targets: (a) at most 1.2x tar, (b) at most tar's time, (c) at most 1.5x iconv, (c') at most 1.2x the default"
echo "check, (d)-(f) at most 1.3x pakmak ((c)-(f): median of paired runs); peak memory under 16 MiB (16384 KiB);"
echo "(g) under 1 s; (h), (i) under 2 s and 256 MiB (262144 KiB); (j) under 1 s."
rm -f "$out/archive.lvar" "$out/archive.tar" "$out/pairs"
