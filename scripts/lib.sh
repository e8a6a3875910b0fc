# Sourced by the scripts of this folder: sets $root (the checkout, which
# becomes the current folder) and $jobs (parallel build jobs), and defines
# the helpers below.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc 2>/dev/null || echo 2)"

# build_presets [--target TARGET]... PRESET...: configures and builds each
# preset in turn (only the TARGETs when given). A preset that this run has
# already built, whole or for the same TARGETs, is not built again: the
# exported PAK_PRESETS_BUILT lists them ("native win32:programs"), so that
# scripts/test.sh and the scripts it starts build each preset once.
build_presets() {
  local target=() preset key
  while [ "$1" = --target ]; do target+=("$2"); shift 2; done
  for preset in "$@"; do
    key="$preset${target[*]+:${target[*]}}"
    key="${key// /,}"
    if [[ " ${PAK_PRESETS_BUILT:-} " == *" $preset "* || " ${PAK_PRESETS_BUILT:-} " == *" $key "* ]]; then
      echo "== $preset: built already"
      continue
    fi
    echo "== Building $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" ${target[@]+--target "${target[@]}"} -j "$jobs"
    export PAK_PRESETS_BUILT="${PAK_PRESETS_BUILT:+$PAK_PRESETS_BUILT }$key"
  done
}

# step NAME COMMAND [ARG]...: runs COMMAND and records, for step_times, how
# long it took: wall-clock seconds and CPU seconds (user and system time of
# every process it started and waited for). Returns COMMAND's status. The
# records go to a file, so that a step run in a background subshell (see
# scripts/test.sh) is recorded too.
step_record="${TMPDIR:-/tmp}/pak-steps.$$"
step() {
  local name="$1" start=$SECONDS cpu_before status=0
  shift
  children_cpu_seconds
  cpu_before="$children_cpu"
  "$@" || status=$?
  children_cpu_seconds
  printf '%s\t%s\t%s\n' "$name" $((SECONDS - start)) \
    "$(awk -v a="$cpu_before" -v b="$children_cpu" 'BEGIN { printf "%.0f", b - a }')" >>"$step_record"
  return $status
}

# children_cpu_seconds: sets $children_cpu to the CPU seconds of this shell's
# finished children so far. Call it as a command, not in $(...): `times`
# in a subshell starts from zero.
children_cpu_seconds() {
  local file="${TMPDIR:-/tmp}/pak-times.$BASHPID"
  times >"$file"
  children_cpu="$(awk 'function s(t) { split(t, p, "m"); return p[1] * 60 + p[2] }
                       NR == 2 { printf "%.2f", s($1) + s($2) }' "$file")"
  rm -f "$file"
}

# step_times: the table of the steps recorded by step, in the order they
# ended, with the sum of their CPU seconds and the script's elapsed time (less
# than the sum of the steps' wall-clock seconds when steps overlapped).
step_times() {
  echo "== Step times (seconds)"
  awk -F '\t' -v elapsed="$SECONDS" '
    BEGIN { printf "%-34s %6s %6s\n", "step", "wall", "cpu" }
    { printf "%-34s %6s %6s\n", $1, $2, $3; cpu += $3 }
    END { printf "%-34s %6s %6s\n", "total (elapsed)", elapsed, cpu }' "$step_record" 2>/dev/null
  rm -f "$step_record"
}

# build_folder DIR CMAKE-OPTION... -- TARGET...: configures the build folder
# DIR with the options and builds the targets there; prints only the build's
# last line. $build_jobs, when set, overrides $jobs.
build_folder() {
  local dir="$1" options=()
  shift
  while [ "$1" != -- ]; do options+=("$1"); shift; done
  shift
  cmake -S "$root" -B "$dir" "${options[@]}" >/dev/null
  cmake --build "$dir" --target "$@" -j "${build_jobs:-$jobs}" | tail -n 1
}

# bench_build DIR TARGET...: an optimised build without sanitizers of the
# targets in DIR, as the benchmarks use; they also need /usr/bin/time.
bench_build() {
  local dir="$1"; shift
  build_folder "$dir" -DCMAKE_BUILD_TYPE=Release -DPAK_SANITIZE=OFF -- "$@"
  [ -x /usr/bin/time ] || { echo "$(basename "$0"): /usr/bin/time is missing (apt-get install time)" >&2; exit 1; }
}

# median: the median of the numbers on standard input, one a line (the mean
# of the middle two when their count is even).
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# bench_install_files DIR: a valid Native.ina, Install.inf and Uninst.inf in DIR.
bench_install_files() {
  head -c 192 /dev/zero | tr '\0' 'N' >"$1/Native.ina"
  printf '[App Information]\r\nMaker = Bench\r\nProgram = Bench\r\nVersion = 1\r\nInstallDir = \\Bench\r\nExeFile = Bench.exe\r\nUninstall = Uninst.inf\r\nCaption = Bench\r\nDestination = MAINMEM_ONLY\r\nUnload = Bench.exe\r\n' >"$1/Install.inf"
  printf '[Uninstall Information]\r\nMaker = Bench\r\nProgram = Bench\r\n' >"$1/Uninst.inf"
}
