#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (build/fuzz) and runs them.
#
#   scripts/fuzz.sh [SECONDS]   fuzz each target for SECONDS (default 60) and
#                               print, per target, executions, coverage
#                               (cov/ft) and findings
#   scripts/fuzz.sh --corpus    run each target over its committed corpus
#                               only (no new inputs); used by scripts/test.sh.
#                               Needs no clang: the targets come from the
#                               native preset (build/native, sanitizers on),
#                               linked with fuzz/replay_main.cpp
#   scripts/fuzz.sh --merge     add to the committed corpora fuzz/corpus/<target>/
#                               the inputs of the runs that reach new coverage
#
# PAK_FUZZ_TARGETS (names, blank-separated) limits the run to some targets;
# PAK_FUZZ_JOBS runs that many targets at the same time (default 1; with
# --corpus one per core);
# PAK_FUZZ_BUILD_JOBS builds with that many jobs (default: one per core).
# New inputs collect in build/fuzz/corpus/<target>/, findings (crash-*,
# timeout-*, leak-*, oom-*) in build/fuzz/findings/<target>/, the logs in
# build/fuzz/logs/. Without clang's fuzzer runtime the script says so and
# exits 0 (except with --corpus). Exits non-zero when any target found
# something.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build="$root/build/fuzz"

mode=fuzz
seconds=60
case "${1:-}" in
  --corpus) mode=corpus ;;
  --merge) mode=merge ;;
  "") ;;
  *[!0-9]*) echo "usage: $0 [SECONDS | --corpus | --merge]" >&2; exit 2 ;;
  *) seconds="$1" ;;
esac

echo "== Fuzz targets ($mode)"
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
if [ "$mode" = corpus ]; then
  # The replaying targets of the native tests' build (scripts/test.sh has
  # built them already and says so in PAK_PRESETS_BUILT).
  build_presets --target fuzz_targets native | tail -n 1
  bin="$root/build/native/bin"
else
  printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
  if ! command -v clang++ >/dev/null 2>&1 ||
     ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    echo "Skipping the fuzz targets: clang with its libFuzzer runtime is not installed (scripts/setup-deps.sh installs it)."
    exit 0
  fi
  build_jobs="${PAK_FUZZ_BUILD_JOBS:-}" build_folder "$build" -DPAK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -- fuzz_targets >/dev/null
  bin="$build/bin"
fi

targets=()
for exe in "$bin"/*_fuzzer; do
  name="$(basename "$exe" _fuzzer)"
  if [ -n "${PAK_FUZZ_TARGETS:-}" ] && [[ " $PAK_FUZZ_TARGETS " != *" $name "* ]]; then continue; fi
  targets+=("$name")
done

# Scratch files of the targets go to a folder of our own, removed at the end.
export TMPDIR="$build/tmp"
mkdir -p "$TMPDIR" "$build/logs"
trap 'rm -rf "$probe" "$TMPDIR"' EXIT

run_target() {
  local name="$1" exe="$bin/$1_fuzzer" seeds="$root/fuzz/corpus/$1"
  local log="$build/logs/$1.log" findings="$build/findings/$1" work="$build/corpus/$1"
  local options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "-artifact_prefix=$findings/")
  [ -f "$root/fuzz/$name.dict" ] && options+=("-dict=$root/fuzz/$name.dict")
  mkdir -p "$findings" "$work" "$seeds"
  case "$mode" in
    corpus) "$exe" "$seeds" >"$log" 2>&1 ;;
    fuzz) "$exe" "${options[@]}" -max_total_time="$seconds" "$work" "$seeds" >"$log" 2>&1 ;;
  esac
}

# The numbers of one target's log: executions, cov, ft, findings.
summarise() {
  local name="$1" status="$2" log="$build/logs/$1.log"
  local runs cov ft found
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  cov="$(grep -o ' cov: [0-9]*' "$log" | tail -n 1 | tr -dc 0-9)"
  ft="$(grep -o ' ft: [0-9]*' "$log" | tail -n 1 | tr -dc 0-9)"
  found="$(find "$build/findings/$name" -type f -newer "$build/logs/.start" | wc -l)"
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  if [ "$mode" = corpus ]; then
    printf '%-16s inputs %-10s findings %s\n' "$name" "${runs:-?}" "$found"
  else
    printf '%-16s executions %-10s cov %-6s ft %-6s findings %s\n' "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$found"
  fi
  if [ "$found" -ne 0 ]; then
    # The input that failed (the replay's last "Running:" line), then the report.
    { grep '^Running: ' "$log" | tail -n 1; grep -E 'ERROR: |check failed|SUMMARY|Test unit written' "$log" | head -n 5; } | sed 's/^/    /'
    return 1
  fi
}

if [ "$mode" = merge ]; then
  for name in "${targets[@]}"; do
    seeds="$root/fuzz/corpus/$name"
    mkdir -p "$seeds" "$build/corpus/$name"
    "$bin/${name}_fuzzer" -merge=1 "$seeds" "$build/corpus/$name" >"$build/logs/$name.merge.log" 2>&1
    echo "$name: $(find "$seeds" -type f | wc -l) inputs"
  done
  exit 0
fi

touch "$build/logs/.start"
jobs_max="${PAK_FUZZ_JOBS:-1}"
[ "$mode" != corpus ] || jobs_max="${PAK_FUZZ_JOBS:-$jobs}"
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n || true; done
  [ "$mode" = fuzz ] && echo "fuzzing $name for ${seconds}s"
  (set +e; run_target "$name"; echo $? >"$build/logs/$name.status") &
done
wait

failed=0
for name in "${targets[@]}"; do
  summarise "$name" "$(cat "$build/logs/$name.status")" || failed=1
done
[ "$failed" -eq 0 ] || echo "Fuzz targets FAILED: see build/fuzz/logs and build/fuzz/findings." >&2
exit "$failed"
