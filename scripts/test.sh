#!/usr/bin/env bash
# Builds the kit for all presets and runs every test: the native tests
# (under AddressSanitizer and UBSan), the Windows tests under Wine, the
# checks of the release bundle (scripts/release.sh, tests/release/check.sh)
# and the fuzz targets over their corpora. Each preset is built once: the
# Windows tests run from win64, so win32 builds only its programs (for the
# release bundle), and the fuzz targets' corpus runs use the native build.
#
# The Wine tests spend most of their time waiting for windows to appear and
# programs to end, not computing. So while they run, the other presets build
# beside them at the lowest priority (nice 19), which leaves the tests the
# processor whenever they need it; the builds' output follows the tests'.
#
# Before the native tests it prints how long each step took (wall-clock and
# CPU seconds) and the elapsed time; the native tests come last, so the run
# ends with CTest's summary, whose "Total Test time" is their step time. Exits
# non-zero when anything failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Only what this run builds counts as built (see build_presets).
unset PAK_PRESETS_BUILT

step "dependencies" "$root/scripts/setup-deps.sh"

step "build win64" build_presets win64

# The builds that run beside the Wine tests, in a background subshell with a
# process group of its own (stopped with this script). The Wine tests' step
# runs in a subshell too, so that each step's CPU time counts only its own
# processes.
builds_log="$root/build/test-builds.log"
other_builds() {
  renice -n 19 -p "$BASHPID" >/dev/null
  step "build native" build_presets native
  step "build win32 (programs)" build_presets --target programs win32
  step "build release (programs)" build_presets --target programs release
  echo "$PAK_PRESETS_BUILT" >"$builds_log.presets"
}
set -m
other_builds >"$builds_log" 2>&1 &
builds_pid=$!
set +m
stop_builds() { kill -TERM -- "-$builds_pid" 2>/dev/null || true; }
trap stop_builds EXIT
trap 'stop_builds; exit 130' INT TERM

set +e
echo "== Windows tests under Wine (win64), with the other presets building beside them"
(step "Windows tests under Wine" "$root/tests/wine/session.sh" ctest --preset win64 -j 1)
win_status=$?

wait "$builds_pid"
builds_status=$?
trap - EXIT INT TERM
echo "== The builds beside the Wine tests (build/test-builds.log)"
cat "$builds_log"
if [ $builds_status -ne 0 ]; then
  echo "Building the native, win32 or release preset FAILED (see above)." >&2
  step_times
  exit 1
fi
export PAK_PRESETS_BUILT="$(cat "$builds_log.presets")"

echo "== Release bundle (build/release)"
release_bundle() { "$root/scripts/release.sh" && "$root/tests/release/check.sh"; }
step "release bundle and checks" release_bundle
release_status=$?

# The fuzz targets, built with the native tests, over their committed corpora.
echo "== Fuzz targets over their corpora"
step "fuzz corpora" "$root/scripts/fuzz.sh" --corpus
fuzz_status=$?

[ $win_status -eq 0 ] || echo "Windows tests under Wine FAILED (see above)." >&2
[ $release_status -eq 0 ] || echo "Release bundle checks FAILED (see above)." >&2
[ $fuzz_status -eq 0 ] || echo "Fuzz corpus runs FAILED (see above)." >&2

step_times

# The native tests come last, so the run ends with CTest's summary.
echo "== Native tests"
ctest --preset native -j "$jobs"
native_status=$?
set -e

[ $win_status -eq 0 ] && [ $native_status -eq 0 ] && [ $release_status -eq 0 ] && [ $fuzz_status -eq 0 ]
