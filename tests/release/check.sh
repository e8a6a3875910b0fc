#!/usr/bin/env bash
# check.sh [BUNDLE_FOLDER]   (default build/release)
#
# Checks the bundle that scripts/release.sh wrote, from the files alone:
# - both Windows zips hold every program, the read-me and the example
#   project; every .exe carries a version resource with the kit's version and
#   its own file name, an asInvoker manifest without Common Controls 6, imports
#   only DLLs that every Windows has, and has no debug sections;
# - the windows-x64 zip, unpacked into an empty folder with a fresh Wine
#   prefix, builds its example project: pakforge-build.exe writes the files of
#   Finish and the archive, then the batch file it wrote runs the bundled
#   Pakmak.exe, which must make the same archive;
# - the Debian package, unpacked with dpkg -x, answers --version with every
#   program and packs the demo; the .tar.gz holds the same programs;
# - SHA256SUMS matches.
# Starts its own Wine session (tests/wine/session.sh) for the Windows part.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bundle="$(cd "${1:-$root/build/release}" && pwd)"
work="$root/build/release-check"

windows_programs=(Pakforge.exe Pakmak.exe Setup.exe lvar.exe pakforge-build.exe)
console_programs=(Pakmak.exe lvar.exe pakforge-build.exe)
linux_programs=(pakmak lvar pakforge-build)
# DLLs of every Windows installation (no compiler runtime DLLs).
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll advapi32.dll "
system_dlls+="ole32.dll oleaut32.dll shlwapi.dll version.dll msvcrt.dll "

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# The kit's package name and version come from the packages' own names.
zip64="$(ls "$bundle"/*-windows-x64.zip 2>/dev/null | head -n 1 || true)"
[ -n "$zip64" ] || { echo "check.sh: no windows-x64 zip in $bundle" >&2; exit 1; }
stem="$(basename "$zip64" -windows-x64.zip)"   # <kit>-<version>
version="${stem##*-}"
kit="${stem%-*}"
# What every program answers to --version.
export EXPECTED_VERSION_LINE="LORIVANDER packaging kit $version"

rm -rf "$work"
mkdir -p "$work"

# --- checksums ---------------------------------------------------------------
if (cd "$bundle" && sha256sum --quiet -c SHA256SUMS); then
  pass "SHA256SUMS"
else
  fail "SHA256SUMS does not match the bundle"
fi
for f in "$bundle"/*.zip "$bundle"/*.tar.gz "$bundle"/*.deb; do
  grep -q " $(basename "$f")\$" "$bundle/SHA256SUMS" || fail "$(basename "$f") is not in SHA256SUMS"
done

# --- Windows programs, read from the files ------------------------------------
objdump=x86_64-w64-mingw32-objdump
objcopy=x86_64-w64-mingw32-objcopy
check_exe() {  # check_exe FILE
  local exe="$1" name dlls dll sections text
  name="$(basename "$exe")"
  dlls="$($objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')"
  [ -n "$dlls" ] || fail "$exe: no import table found"
  for dll in $dlls; do
    [[ "$system_dlls" == *" $dll "* ]] || fail "$exe imports $dll, which Windows does not ship"
  done
  sections="$($objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ { print $2 }')"
  if grep -qE '^\.(debug|zdebug|stab)' <<<"$sections"; then
    fail "$exe has debug sections: $(grep -E '^\.(debug|zdebug|stab)' <<<"$sections" | tr '\n' ' ')"
  fi
  # The resources, with the zero bytes of their UTF-16 texts dropped.
  $objcopy -O binary --only-section=.rsrc "$exe" "$work/rsrc.bin" 2>/dev/null || : >"$work/rsrc.bin"
  text="$(tr -d '\000' <"$work/rsrc.bin")"
  grep -q 'VS_VERSION_INFO' <<<"$text" || fail "$exe has no version resource"
  grep -q "FileVersion$version" <<<"$text" || fail "$exe: the version resource lacks FileVersion $version"
  grep -q "ProductVersion$version" <<<"$text" || fail "$exe: the version resource lacks ProductVersion $version"
  grep -q "OriginalFilename$name" <<<"$text" || fail "$exe: the version resource lacks OriginalFilename $name"
  grep -q 'requestedExecutionLevel level="asInvoker"' <<<"$text" || fail "$exe has no asInvoker manifest"
  grep -q 'supportedOS Id=' <<<"$text" || fail "$exe: the manifest names no supported Windows version"
  ! grep -q 'Microsoft.Windows.Common-Controls' <<<"$text" || fail "$exe asks for Common Controls 6"
}

for arch in x86 x64; do
  zip="$bundle/$kit-$version-windows-$arch.zip"
  dir="$work/$arch"
  mkdir -p "$dir"
  if [ ! -f "$zip" ]; then fail "$zip is missing"; continue; fi
  (cd "$dir" && cmake -E tar xf "$zip")
  top="$dir/$kit-$version-windows-$arch"
  [ -d "$top" ] || { fail "$zip has no top folder $(basename "$top")"; continue; }
  before=$failures
  for f in "${windows_programs[@]}" README.txt Pakforge_KantanMemo.ini KantanMemo/Native.ina KantanMemo/Memo.exe; do
    [ -f "$top/$f" ] || fail "$zip lacks $f"
  done
  for exe in "$top"/*.exe; do
    [ -e "$exe" ] && check_exe "$exe"
  done
  [ $failures -eq $before ] && pass "windows-$arch zip: contents, version resources, manifests, imports, no debug sections"
done

# --- the x64 zip in an empty folder with a fresh Wine prefix -----------------
top="$work/x64/$kit-$version-windows-x64"
if [ -f "$top/Pakmak.exe" ]; then
  cat >"$work/wine-run.sh" <<'EOF'
#!/usr/bin/env bash
# Inside the Wine session: the bundle's programs in their own folder.
set -u
top="$1"; shift
cd "$top" || exit 1
status=0
for exe in "$@"; do
  out="$(wine "$exe" --version </dev/null 2>/dev/null | tr -d '\r')"
  echo "$exe --version: $out"
  [ "$out" = "$EXPECTED_VERSION_LINE" ] || status=1
done
wine pakforge-build.exe Pakforge_KantanMemo.ini </dev/null >build.out 2>&1
code=$?
echo "pakforge-build.exe Pakforge_KantanMemo.ini: exit $code"
[ $code -eq 0 ] && [ -s KantanMemo.lvar ] && [ -f KantanMemo.bat ] || { cat build.out; exit 1; }
mv KantanMemo.lvar by-pakforge-build.lvar
wine cmd /c KantanMemo.bat </dev/null >batch.out 2>&1
code=$?
echo "KantanMemo.bat (Pakmak.exe): exit $code"
[ $code -eq 0 ] && [ -s KantanMemo.lvar ] || { cat batch.out; exit 1; }
cmp by-pakforge-build.lvar KantanMemo.lvar || { echo "the two archives differ"; status=1; }
exit $status
EOF
  if WINEPREFIX="$work/wineprefix" "$root/tests/wine/session.sh" bash "$work/wine-run.sh" "$top" "${console_programs[@]}"; then
    pass "windows-x64 zip: the example builds in a fresh prefix (pakforge-build.exe, then its batch with Pakmak.exe)"
  else
    fail "windows-x64 zip: the bundled programs did not run as expected under Wine"
  fi
fi

# --- the Debian package and the .tar.gz --------------------------------------
deb="$(ls "$bundle"/"${kit}_${version}"*.deb 2>/dev/null | head -n 1 || true)"
if [ -z "$deb" ]; then
  fail "no Debian package ${kit}_${version}*.deb"
else
  dpkg -x "$deb" "$work/deb"
  before=$failures
  for p in "${linux_programs[@]}"; do
    exe="$work/deb/usr/bin/$p"
    if [ ! -x "$exe" ]; then fail "$(basename "$deb") lacks /usr/bin/$p"; continue; fi
    out="$("$exe" --version)" || fail "$p --version exited with $?"
    [ "$out" = "$EXPECTED_VERSION_LINE" ] || fail "$p --version printed \"$out\""
  done
  [ -f "$work/deb/usr/share/doc/$kit/pakmak.md" ] || fail "$(basename "$deb") lacks /usr/share/doc/$kit/pakmak.md"
  if [ -x "$work/deb/usr/bin/pakmak" ]; then
    "$work/deb/usr/bin/pakmak" --help >/dev/null || fail "pakmak --help exited with $?"
    "$work/deb/usr/bin/pakmak" "$root/examples/demo" "$work/Demo.lvar" >"$work/pakmak.out" 2>&1 \
      || { cat "$work/pakmak.out"; fail "the packaged pakmak did not pack examples/demo"; }
  fi
  if [ -x "$work/deb/usr/bin/pakforge-build" ]; then
    mkdir -p "$work/project"
    cp -R "$root/examples/project/." "$work/project/"
    "$work/deb/usr/bin/pakforge-build" "$work/project/Pakforge_KantanMemo.ini" >"$work/pakforge-build.out" 2>&1 \
      || { cat "$work/pakforge-build.out"; fail "the packaged pakforge-build did not build examples/project"; }
  fi
  [ $failures -eq $before ] && pass "Debian package: --version of every program; the demo and the example project build"
fi
tgz="$bundle/$kit-$version-linux-x86_64.tar.gz"
if [ -f "$tgz" ]; then
  listing="$(tar tzf "$tgz")"
  before=$failures
  for p in "${linux_programs[@]/#/bin/}" "share/doc/$kit/pakmak.md"; do
    grep -q "^$kit-$version-linux-x86_64/$p\$" <<<"$listing" || fail "$(basename "$tgz") lacks $p"
  done
  [ $failures -eq $before ] && pass "linux tar.gz: programs and documentation"
else
  fail "$tgz is missing"
fi

if [ $failures -ne 0 ]; then
  echo "Release bundle: $failures check(s) FAILED" >&2
  exit 1
fi
echo "Release bundle: all checks passed"
