#!/usr/bin/env bash
# Builds the kit for all three presets and runs every test: the native tests
# (under AddressSanitizer and UBSan), the Windows tests under Wine, and the
# checks of the release bundle (scripts/release.sh, tests/release/check.sh).
# Ends with a summary; exits non-zero when anything failed.
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

set +e
echo "== Windows tests under Wine (win64)"
"$root/tests/wine/session.sh" ctest --preset win64 -j 1
win_status=$?

echo "== Native tests"
ctest --preset native -j "$jobs"
native_status=$?

echo "== Release bundle (build/release)"
"$root/scripts/release.sh" && "$root/tests/release/check.sh"
release_status=$?
set -e

[ $win_status -eq 0 ] || echo "Windows tests under Wine FAILED (see above)." >&2
[ $native_status -eq 0 ] || echo "Native tests FAILED (see above)." >&2
[ $release_status -eq 0 ] || echo "Release bundle checks FAILED (see above)." >&2
[ $win_status -eq 0 ] && [ $native_status -eq 0 ] && [ $release_status -eq 0 ]
