#!/usr/bin/env bash
# Builds the kit for all presets and runs every test: the native tests
# (under AddressSanitizer and UBSan), the Windows tests under Wine, the
# checks of the release bundle (scripts/release.sh, tests/release/check.sh)
# and the fuzz targets over their corpora. Each preset is built once: the
# Windows tests run from win64, so win32 builds only its programs (for the
# release bundle), and the fuzz targets' corpus runs use the native build.
#
# Before the native tests it prints how long each step took (wall-clock and
# CPU seconds); the native tests come last, so the run ends with CTest's
# summary, whose "Total Test time" is their step time. Exits non-zero when
# anything failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Only what this run builds counts as built (see build_presets).
unset PAK_PRESETS_BUILT

step "dependencies" "$root/scripts/setup-deps.sh"

step "build native" build_presets native
step "build win64" build_presets win64
step "build win32 (programs)" build_presets --target programs win32
step "build release (programs)" build_presets --target programs release

set +e
echo "== Windows tests under Wine (win64)"
step "Windows tests under Wine" "$root/tests/wine/session.sh" ctest --preset win64 -j 1
win_status=$?

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
