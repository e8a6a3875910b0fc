#!/usr/bin/env bash
# Builds the presets release (Linux), win32 and win64 and writes the kit's
# downloadable bundle into build/release/:
#   <kit>-<version>-windows-x86.zip, <kit>-<version>-windows-x64.zip
#   <kit>-<version>-linux-x86_64.tar.gz and the Debian package
#   SHA256SUMS
# The packages are made by CPack from the install rules. Every program of the
# kit must be in them: a missing one fails the script.
# Check the bundle with tests/release/check.sh (./scripts/test.sh does).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The version must have its section in CHANGELOG.md ("## [1.2.0] - date"):
# the Debian package's change log is made from it.
version="$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || { echo "release.sh: no project(... VERSION ...) in CMakeLists.txt" >&2; exit 1; }
if ! grep -qE "^## \[${version//./\\.}\] - [0-9]{4}-[0-9]{2}-[0-9]{2}\$" "$root/CHANGELOG.md"; then
  echo "release.sh: CHANGELOG.md has no section \"## [$version] - YYYY-MM-DD\" for version $version" >&2
  exit 1
fi

"$root/scripts/setup-deps.sh"

build_presets --target programs release win32 win64

out="$root/build/release"
rm -rf "$out"
mkdir -p "$out"
for dir in native-release win32 win64; do
  echo "== Packing build/$dir"
  # CPack keeps its staging folders in -B; only the packages move on.
  stage="$root/build/$dir/cpack"
  rm -rf "$stage"
  (cd "$root/build/$dir" && cpack -B "$stage" >/dev/null)
  mv "$stage"/*.zip "$stage"/*.tar.gz "$stage"/*.deb "$out"/ 2>/dev/null || true
  rm -rf "$stage"
done

# Every package must hold every program, the licence and the example.
define() { sed -n "s/^#define $1 \"\(.*\)\"\$/\1/p" build/native-release/generated/kit_version.h; }
version="$(define PAK_KIT_VERSION)"
kit="$(define PAK_PACKAGE_NAME)"
windows_programs=(Pakforge.exe Pakmak.exe lvar.exe pakforge-build.exe pakmak-lsp.exe ShipToUsers/Setup.exe)
windows_files=(LORIVANDER-kit-README.txt LORIVANDER-kit-LICENSE.txt Pakforge_KantanMemo.ini KantanMemo/Native.ina docs/first-archive.md docs/ci.md)
linux_programs=(pakmak lvar pakforge-build pakmak-lsp)
manual_pages=("${linux_programs[@]/#/share/man/man1/}")
linux_files=(share/doc/$kit/copyright share/doc/$kit/changelog.gz share/doc/$kit/examples/Pakforge_KantanMemo.ini share/doc/$kit/first-archive.md share/doc/$kit/ci.md "${manual_pages[@]/%/.1.gz}")
missing=0
require() {  # require PACKAGE-LISTING NAME...
  local listing="$1"; shift
  local name
  for name in "$@"; do
    grep -qE "(^|/)$name\$" <<<"$listing" || { echo "release.sh: $name is missing from $package" >&2; missing=1; }
  done
}
for arch in x86 x64; do
  package="$out/$kit-$version-windows-$arch.zip"
  [ -f "$package" ] || { echo "release.sh: $package was not made" >&2; exit 1; }
  require "$(cmake -E tar tf "$package")" "${windows_programs[@]}" "${windows_files[@]}"
done
package="$out/$kit-$version-linux-x86_64.tar.gz"
[ -f "$package" ] || { echo "release.sh: $package was not made" >&2; exit 1; }
require "$(tar tzf "$package")" "${linux_programs[@]/#/bin/}" README "${linux_files[@]}"
package="$(ls "$out"/"${kit}_${version}"*.deb 2>/dev/null | head -n 1 || true)"
[ -n "$package" ] || { echo "release.sh: the Debian package was not made" >&2; exit 1; }
require "$(dpkg-deb -c "$package" | awk '{ print $NF }')" "${linux_programs[@]/#/usr/bin/}" "${linux_files[@]/#/usr/}" usr/share/doc/$kit/README
[ "$missing" -eq 0 ] || exit 1
# The developers' documents (docs/dev/) stay in the source tree.
for package in "$out"/*.zip "$out"/*.tar.gz "$out"/*.deb; do
  case "$package" in
    *.zip) listing="$(cmake -E tar tf "$package")" ;;
    *.tar.gz) listing="$(tar tzf "$package")" ;;
    *) listing="$(dpkg-deb -c "$package" | awk '{ print $NF }')" ;;
  esac
  ! grep -qE '(^|/)(docs|share/doc/[^/]+)/dev/' <<<"$listing" || { echo "release.sh: $package holds the developers' documents (docs/dev/)" >&2; exit 1; }
done

(cd "$out" && sha256sum -- *.zip *.tar.gz *.deb >SHA256SUMS)
echo "== build/release"
ls -l "$out"
