#!/usr/bin/env bash
# Builds the kit for all three presets and runs every test: the native tests
# (under AddressSanitizer and UBSan), then the Windows tests under Wine.
# Ends with CTest's summary; exits non-zero when anything failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

"$root/scripts/setup-deps.sh"

jobs="$(nproc 2>/dev/null || echo 2)"
for preset in native win64 win32; do
  echo "== Building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

# The fuzz targets over their committed corpora (skipped without clang's libFuzzer).
"$root/scripts/fuzz.sh" --corpus

echo "== Windows tests under Wine (win64)"
set +e
"$root/tests/wine/session.sh" ctest --preset win64 -j 1
win_status=$?

echo "== Native tests"
ctest --preset native -j "$jobs"
native_status=$?
set -e

if [ $win_status -ne 0 ]; then
  echo "Windows tests under Wine FAILED (see above)." >&2
fi
[ $win_status -eq 0 ] && [ $native_status -eq 0 ]
