# Sourced by the scripts of this folder: sets $root (the checkout, which
# becomes the current folder) and $jobs (parallel build jobs), and defines
# the helpers below.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc 2>/dev/null || echo 2)"

# build_presets [--target TARGET] PRESET...: configures and builds each
# preset in turn (only TARGET when given).
build_presets() {
  local target=() preset
  if [ "$1" = --target ]; then target=(--target "$2"); shift 2; fi
  for preset in "$@"; do
    echo "== Building $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "${target[@]}" -j "$jobs"
  done
}

# bench_build DIR TARGET...: an optimised build without sanitizers of the
# targets in DIR, as the benchmarks use; they also need /usr/bin/time.
bench_build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DPAK_SANITIZE=OFF >/dev/null
  cmake --build "$dir" --target "$@" -j "$jobs" | tail -n 1
  [ -x /usr/bin/time ] || { echo "$(basename "$0"): /usr/bin/time is missing (apt-get install time)" >&2; exit 1; }
}

# bench_install_files DIR: a valid Native.ina, Install.inf and Uninst.inf in DIR.
bench_install_files() {
  head -c 192 /dev/zero | tr '\0' 'N' >"$1/Native.ina"
  printf '[App Information]\r\nMaker = Bench\r\nProgram = Bench\r\nVersion = 1\r\nInstallDir = \\Bench\r\nExeFile = Bench.exe\r\nUninstall = Uninst.inf\r\nCaption = Bench\r\nDestination = MAINMEM_ONLY\r\nUnload = Bench.exe\r\n' >"$1/Install.inf"
  printf '[Uninstall Information]\r\nMaker = Bench\r\nProgram = Bench\r\n' >"$1/Uninst.inf"
}
