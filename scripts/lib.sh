# Sourced by the scripts of this folder: sets $root (the checkout, which
# becomes the current folder) and $jobs (parallel build jobs), and defines
# the helpers below.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc 2>/dev/null || echo 2)"

# build_presets [--target TARGET]... PRESET...: configures and builds each
# preset in turn (only the TARGETs when given).
build_presets() {
  local target=() preset
  while [ "$1" = --target ]; do target+=("$2"); shift 2; done
  for preset in "$@"; do
    echo "== Building $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" ${target[@]+--target "${target[@]}"} -j "$jobs"
  done
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
