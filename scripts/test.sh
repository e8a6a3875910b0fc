#!/usr/bin/env bash
# Builds the kit for all three presets and runs every test: the native tests
# (under AddressSanitizer and UBSan), the Windows tests under Wine, the
# checks of the release bundle (scripts/release.sh, tests/release/check.sh)
# and the fuzz targets over their corpora. Ends with CTest's summary of the
# native tests; exits non-zero when anything failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$root/scripts/setup-deps.sh"

build_presets native win64 win32

set +e
echo "== Windows tests under Wine (win64)"
"$root/tests/wine/session.sh" ctest --preset win64 -j 1
win_status=$?

echo "== Release bundle (build/release)"
"$root/scripts/release.sh" && "$root/tests/release/check.sh"
release_status=$?

# The fuzz targets over their committed corpora (skipped without clang's libFuzzer).
echo "== Fuzz targets over their corpora"
"$root/scripts/fuzz.sh" --corpus
fuzz_status=$?

[ $win_status -eq 0 ] || echo "Windows tests under Wine FAILED (see above)." >&2
[ $release_status -eq 0 ] || echo "Release bundle checks FAILED (see above)." >&2
[ $fuzz_status -eq 0 ] || echo "Fuzz corpus runs FAILED (see above)." >&2

# The native tests come last, so the run ends with CTest's summary.
echo "== Native tests"
ctest --preset native -j "$jobs"
native_status=$?
set -e

[ $win_status -eq 0 ] && [ $native_status -eq 0 ] && [ $release_status -eq 0 ] && [ $fuzz_status -eq 0 ]
