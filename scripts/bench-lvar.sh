#!/usr/bin/env bash
# Times lvar on three archives, each in the same run:
#   verify  `lvar verify` on a 512 MiB archive against reading the same file
#           through a checksum pipe (`cat FILE | cksum`), and lvar's peak
#           memory (maximum resident set size from /usr/bin/time -v);
#   plan    `lvar plan` of an archive of 30,000 entries whose Install.inf has
#           20,000 copy lines (aim: under 1 s);
#   rename  `lvar extract --rename` of 10,000 entries of one name
#           (aim: under 0.5 s).
#
# Uses its own optimised build without sanitizers in build/bench-lvar.
# Usage: scripts/bench-lvar.sh [RUNS [PART...]]   (default 5, every part)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-5}"
shift || true
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(verify plan rename)
for part in "${parts[@]}"; do
  case "$part" in
    verify | plan | rename) ;;
    *) echo "$(basename "$0"): unknown part $part (verify, plan, rename)" >&2; exit 2 ;;
  esac
done
work="$root/build/bench-lvar"
data="$work/data"

echo "== Building lvar and pakmak (Release, no sanitizers) in build/bench-lvar"
bench_build "$work" lvar pakmak

seconds() { /usr/bin/time -f '%e' "$@" 2>&1 >/dev/null | tail -n 1; }
# median_of COMMAND...: the median time of $runs runs of COMMAND.
median_of() {
  local times=() _
  for _ in $(seq "$runs"); do times+=("$(seconds "$@")"); done
  printf '%s\n' "${times[@]}" | median
}
# elapsed_and_cpu COMMAND...: "E s elapsed, C s CPU", the medians of $runs
# runs of the elapsed time and of the processor time (user + system), which
# a machine busy with other work inflates less. $before, when set, runs
# before each run.
elapsed_and_cpu() {
  local elapsed=() cpu=() line _
  for _ in $(seq "$runs"); do
    ${before:+eval "$before"}
    line=$(/usr/bin/time -f '%e %U %S' "$@" 2>&1 >/dev/null | tail -n 1)
    elapsed+=("$(echo "$line" | awk '{ print $1 }')")
    cpu+=("$(echo "$line" | awk '{ print $2 + $3 }')")
  done
  echo "$(printf '%s\n' "${elapsed[@]}" | median) s elapsed, $(printf '%s\n' "${cpu[@]}" | median) s CPU"
}

# compose ARCHIVE: writes an archive made of the entries read from standard
# input, one a line as KIND<TAB>NAME<TAB>CONTENT (the content with \r\n for
# line ends), composed byte by byte as the format says: 256-byte header
# (length 0x0100, the count, masks and device blocks of "N"), entries,
# exclusive-or checksum.
compose() {
  perl -e '
    use strict;
    my @entries;
    while (my $line = <STDIN>) {
      chomp $line;
      my ($kind, $name, $content) = split /\t/, $line, 3;
      $content = "" unless defined $content;
      $content =~ s/\\r\\n/\r\n/g;
      push @entries, [$kind, $name, $content];
    }
    my $header = "\0" x 256;
    substr($header, 0, 2) = pack("v", 0x100);
    substr($header, 2, 2) = pack("v", scalar @entries);
    substr($header, 0x04, 4) = pack("V", 0xE0000000);
    substr($header, 0x08, 136) = "N" x 136;
    substr($header, 0x98, 20) = "N" x 20;
    substr($header, 0xB4, 36) = "N" x 36;
    substr($header, 0xDC, 4) = pack("V", 1);
    my $out = $header;
    for my $e (@entries) {
      my ($kind, $name, $content) = @$e;
      $out .= pack("V", length($name) + length($content) + 9) . "\0\0" . chr($kind) . chr(length $name)
            . $name . "\0" . pack("V", length $content) . $content;
    }
    my $sum = 0;
    $sum ^= $_ for unpack("C*", $out);
    open(my $fh, ">:raw", $ARGV[0]) or die "$ARGV[0]: $!";
    print $fh $out, chr($sum);
    close $fh or die;
  ' "$1"
}

app_information='[App Information]\r\nMaker = Bench\r\nProgram = Bench\r\nVersion = 1\r\nInstallDir = \\Bench\r\nExeFile = Bench.exe\r\nUninstall = Uninst.inf\r\nCaption = Bench\r\nDestination = MAINMEM_ONLY\r\nUnload = Bench.exe\r\n'

for part in "${parts[@]}"; do
  case "$part" in
    verify)
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
      cat "$archive" >/dev/null  # warm the page cache
      lvar_median=$(median_of "$work/bin/lvar" verify "$archive")
      pipe_median=$(median_of sh -c "cat '$archive' | cksum")
      rss=$(/usr/bin/time -v "$work/bin/lvar" verify "$archive" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}')
      echo "lvar verify:    ${lvar_median} s (median of $runs)"
      echo "cat | cksum:    ${pipe_median} s (median of $runs)"
      echo "lvar peak RSS:  ${rss} KiB"
      ;;
    plan)
      archive="$work/plan.lvar"
      if [ ! -f "$archive" ]; then
        echo "== Composing an archive of 30,000 entries and 20,000 copy lines"
        {
          printf '1\tInstall.inf\t%s[Copy Files]\\r\\n"%%INSTALL_DIR%%\\Bench.exe" , "Bench.exe"\\r\\n' "$app_information"
          for i in $(seq -f '%05g' 0 19998); do printf '"%%INSTALL_DIR%%\\f%s.dat" , "f%s.dat"\\r\\n' "$i" "$i"; done
          printf '\n1\tUninst.inf\t[Uninstall Information]\\r\\nMaker = Bench\\r\\nProgram = Bench\\r\\n\n'
          printf '2\tBench.exe\tMZ\n'
          for i in $(seq -f '%05g' 0 29996); do printf '3\tf%s.dat\t%s\n' "$i" "$i"; done
        } | compose "$archive"
      fi
      "$work/bin/lvar" verify "$archive"
      echo "lvar plan:      $(elapsed_and_cpu "$work/bin/lvar" plan "$archive") (medians of $runs; aim: under 1 s)"
      ;;
    rename)
      archive="$work/rename.lvar"
      if [ ! -f "$archive" ]; then
        echo "== Composing an archive of 10,000 entries named a.txt"
        {
          printf '1\tInstall.inf\t%s[Copy Files]\\r\\n"%%INSTALL_DIR%%\\Bench.exe" , "Bench.exe"\\r\\n\n' "$app_information"
          for _ in $(seq 1 10000); do printf '3\ta.txt\tx\n'; done
        } | compose "$archive"
      fi
      # Into a memory file system when there is one, so that the disk's speed
      # at creating 10,000 files does not hide the naming's.
      place=$(mktemp -d "${BENCH_TMP:-/dev/shm}/lvar-rename.XXXXXX" 2>/dev/null || mktemp -d)
      out="$place/out"
      result=$(before="rm -rf '$out'" elapsed_and_cpu "$work/bin/lvar" extract --rename "$archive" "$out")
      echo "lvar extract --rename: $result for $(ls "$out" | wc -l) files in $place (medians of $runs; aim: under 0.5 s)"
      rm -rf "$place"
      ;;
  esac
done
