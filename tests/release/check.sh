#!/usr/bin/env bash
# check.sh [BUNDLE_FOLDER]   (default build/release)
#
# Checks the bundle that scripts/release.sh wrote, from the files alone:
# - both Windows zips hold every program, the kit's read-me and licence, the
#   example project and ShipToUsers/Setup.exe, the same 32-bit GUI program in
#   both; no file whose name Setup takes for an application's text
#   (readme.txt, note.txt, license.txt in any letter case); every .exe
#   carries a version resource with the kit's version and its own file name,
#   an asInvoker manifest without Common Controls 6, imports only DLLs that
#   every Windows has, and has no debug sections;
# - each bundle's read-me starts with the three commands that build the
#   example, as typed where the read-me lies, and names every document where
#   it lies in that bundle;
# - the windows-x64 zip, unpacked into an empty folder with a fresh Wine
#   prefix, runs its read-me's commands: pakforge-build.exe writes the files
#   of Finish and the archive, the batch file it wrote runs the bundled
#   Pakmak.exe, which must make the same archive, and lvar.exe lists it;
# - the Debian package: lintian (when installed) reports no error or
#   warning; unpacked with dpkg -x, it answers --version with every program,
#   packs the demo, runs its read-me's commands; its manual pages render
#   with groff without a warning, are found by `man`, are made from the
#   packaged documents (scripts/md2man.awk gives the same bytes) and name
#   every option of --help, and show no run of question marks (a character
#   the page failed to carry) under a UTF-8 and an ASCII locale; it carries
#   the licence as its copyright file;
# - the .tar.gz holds the same programs, manual pages and licence, and its
#   read-me's commands run in the unpacked folder;
# - every bundle's documents name nothing of the source tree (src/, tests/,
#   scripts/, fuzz/, the build presets) and leave out docs/dev/;
# - the tutorial first-archive.md of the Debian package and of the .tar.gz
#   runs: its files are written and its commands run in an empty folder
#   with the bundle's programs, the output it shows is printed, and the
#   archive it makes passes `lvar verify`.
#
# check.sh --tutorial DOC_FOLDER BIN_FOLDER runs only the tutorial, from
# DOC_FOLDER/first-archive.md with the programs of BIN_FOLDER (for example
# docs and build/native-release/bin of the source tree).
# - SHA256SUMS matches.
# Starts its own Wine session (tests/wine/session.sh) for the Windows part.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$root/build/release-check"

windows_programs=(Pakforge.exe Pakmak.exe lvar.exe pakforge-build.exe)
ship_folder=ShipToUsers
console_programs=(Pakmak.exe lvar.exe pakforge-build.exe)
linux_programs=(pakmak lvar pakforge-build)
# DLLs of every Windows installation (no compiler runtime DLLs).
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll advapi32.dll "
system_dlls+="ole32.dll oleaut32.dll shlwapi.dll version.dll msvcrt.dll "

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# readme_commands FILE: the first block of indented lines of a read-me (the
# commands it starts with), without the indent and CR.
readme_commands() {
  tr -d '\r' <"$1" | awk 'done { next } /^    [^ ]/ { print substr($0, 5); found = 1; next } found { done = 1 }'
}
# check_readme_names_docs README DOC_FOLDER PREFIX: every document of
# DOC_FOLDER must be named in README as PREFIX followed by its name.
check_readme_names_docs() {
  local readme="$1" folder="$2" prefix="$3" doc text
  text="$(tr -d '\r' <"$readme")"
  for doc in "$folder"/*.md; do
    [ -e "$doc" ] || { fail "$folder holds no documents"; return; }
    grep -qF -- "$prefix$(basename "$doc")" <<<"$text" || fail "$readme does not name $prefix$(basename "$doc")"
  done
}
# check_license_text FILE: FILE holds the kit's licence (LICENSE) word for word.
# (Texts are read whole before grep -q: with pipefail, a writer that grep -q
# leaves behind would fail the pipeline.)
check_license_text() {
  local words text
  words="$(tr -d '\r' <"$root/LICENSE" | sed -n '/^Permission /,$p' | tr -s ' \n' '  ')"
  text="$(tr -d '\r' <"$1" | sed 's/^ \.$//; s/^ //' | sed -n '/^Permission /,$p' | tr -s ' \n' '  ')"
  grep -qF -- "$words" <<<"$text" || fail "$1 does not hold the kit's licence"
}

# run_tutorial DOC_FOLDER BIN_FOLDER [SED]: runs DOC_FOLDER/first-archive.md
# in an empty folder with the programs of BIN_FOLDER first on PATH (after the
# sed expression SED, which maps installed paths into the unpacked package).
# A fenced block after "<!-- first-archive: file PATH -->" is written to
# PATH, one after "<!-- first-archive: run -->" is run with bash -e, and
# every line of one after "<!-- first-archive: output -->" must be a line of
# what the run before it printed. The archives it leaves must be sound.
run_tutorial() {
  local doc="$1/first-archive.md" bin="$2" map="${3:-}" dir blocks block kind path before=$failures archives a
  [ -f "$doc" ] || { fail "$doc is missing"; return; }
  dir="$work/tutorial-$(basename "$(dirname "$bin")")"
  blocks="$dir.blocks"
  rm -rf "$dir" "$blocks"
  mkdir -p "$dir" "$blocks"
  # One file per marked block, numbered in document order: NNN.run,
  # NNN.output, or NNN.file with its path in NNN.path.
  tr -d '\r' <"$doc" | awk -v out="$blocks" '
    /^<!-- first-archive: [a-z]+( [^ ]+)? -->$/ {
      kind = $3; path = ($4 == "-->") ? "" : $4; want = 1; next
    }
    want && /^```/ {
      n++; name = sprintf("%s/%03d.%s", out, n, kind); printf "" >name
      if (kind == "file") print path >(sprintf("%s/%03d.path", out, n))
      inside = 1; want = 0; next
    }
    inside && /^```/ { inside = 0; close(name); next }
    inside { print >name }
    want && !/^[ \t]*$/ { printf "first-archive.md: line %d: a marker not followed by a code block\n", NR >"/dev/stderr"; bad = 1; want = 0 }
    END { exit bad }' || { fail "$doc: a marker without its block"; return; }
  ls "$blocks"/*.run >/dev/null 2>&1 || { fail "$doc marks no commands to run"; return; }
  grep -q '^lvar plan ' "$(ls "$blocks"/*.run | tail -n 1)" || fail "$doc does not end with lvar plan"
  for block in "$blocks"/*.run "$blocks"/*.output "$blocks"/*.file; do
    [ -e "$block" ] && echo "$block"
  done | sort | while IFS= read -r block; do
    kind="${block##*.}"
    case "$kind" in
      file)
        path="$(cat "${block%.file}.path")"
        case "/$path/" in */../*|//*) echo "the file block $path leaves the folder"; exit 1 ;; esac
        mkdir -p "$dir/$(dirname "$path")"
        cp "$block" "$dir/$path" ;;
      run)
        [ -z "$map" ] || sed -i "$map" "$block"
        (cd "$dir" && PATH="$bin:$PATH" bash -e "$block") >"$block.out" 2>&1 \
          || { cat "$block.out"; echo "first-archive.md: a command block failed: $(tr '\n' ';' <"$block")"; exit 1; }
        cp "$block.out" "$blocks/last.out" ;;
      output)
        while IFS= read -r line; do
          grep -qxF -- "$line" "$blocks/last.out" \
            || { cat "$blocks/last.out"; echo "first-archive.md: the output shown holds a line the run did not print: $line"; exit 1; }
        done <"$block" ;;
    esac
  done || { fail "$doc: the tutorial does not run as written with $bin"; return; }
  archives="$(cd "$dir" && find . -name '*.lvar' | sort)"
  [ -n "$archives" ] || fail "$doc: the tutorial makes no archive"
  for a in $archives; do
    "$bin/lvar" verify "$dir/$a" >/dev/null 2>&1 || fail "$doc: the tutorial's archive $a does not pass lvar verify"
  done
  [ $failures -eq $before ] && pass "the tutorial first-archive.md runs with $bin and makes a sound archive"
}
# check_doc_example DOC FOLDER: the fenced block after each
# "<!-- example: PATH -->" line of DOC is what the example's build wrote to
# FOLDER/PATH (Shift-JIS with CR LF, shown as UTF-8).
check_doc_example() {
  local doc="$1" folder="$2" path shown written
  for path in $(sed -n 's/^<!-- example: \([^ ]*\) -->$/\1/p' "$doc"); do
    shown="$(awk -v mark="<!-- example: $path -->" '$0 == mark { want = 1; next }
      want && /^```/ { if (inside) exit; inside = 1; next } inside' "$doc")"
    written="$(iconv -f CP932 -t UTF-8 "$folder/$path" 2>/dev/null | tr -d '\r')" \
      || { fail "$doc shows $path, which the example's build did not write"; continue; }
    [ "$shown" = "$written" ] || fail "$doc shows a $path other than the example's build wrote: $(diff <(echo "$shown") <(echo "$written") | head -n 6)"
  done
}
# check_docs_for_users DOC_FOLDER: the documents a bundle ships name
# nothing of the source tree, and the developers' documents stay out.
check_docs_for_users() {
  local folder="$1" hits
  [ ! -e "$folder/dev" ] || fail "$folder holds dev/, the developers' documents"
  hits="$(grep -nE 'src/(base|archive|inf|builder|wizard|launcher|lvar|pakforge_build)\b|tests/(builder|launcher|lvar|pakforge_build|release|support|wine|wizard)\b|scripts/[a-z0-9-]+\.(sh|awk)|fuzz/|--preset|build/(native|win32|win64|release)' "$folder"/*.md || true)"
  [ -z "$hits" ] || fail "documents of $folder name the source tree: $hits"
}

if [ "${1:-}" = "--tutorial" ]; then
  [ $# -eq 3 ] || { echo "usage: check.sh --tutorial DOC_FOLDER BIN_FOLDER" >&2; exit 2; }
  failures=0
  mkdir -p "$work"
  # The example project lies in examples/project of the source tree.
  run_tutorial "$(cd "$2" && pwd)" "$(cd "$3" && pwd)" "s#/usr/share/doc/[^/ ]*/examples#$root/examples/project#g"
  [ $failures -eq 0 ] || exit 1
  exit 0
fi
bundle="$(cd "${1:-$root/build/release}" && pwd)"

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

# The x64 zip's read-me, as typed at a command prompt in the zip's folder.
windows_commands=$'pakforge-build Pakforge_KantanMemo.ini\nKantanMemo.bat\nlvar list KantanMemo.lvar'
for arch in x86 x64; do
  zip="$bundle/$kit-$version-windows-$arch.zip"
  dir="$work/$arch"
  mkdir -p "$dir"
  if [ ! -f "$zip" ]; then fail "$zip is missing"; continue; fi
  (cd "$dir" && cmake -E tar xf "$zip")
  top="$dir/$kit-$version-windows-$arch"
  [ -d "$top" ] || { fail "$zip has no top folder $(basename "$top")"; continue; }
  before=$failures
  readme="$top/LORIVANDER-kit-README.txt"
  for f in "${windows_programs[@]}" "$ship_folder/Setup.exe" LORIVANDER-kit-README.txt LORIVANDER-kit-LICENSE.txt \
           Pakforge_KantanMemo.ini KantanMemo/Native.ina KantanMemo/Memo.exe; do
    [ -f "$top/$f" ] || fail "$zip lacks $f"
  done
  for exe in "$top"/*.exe "$top/$ship_folder"/*.exe; do
    [ -e "$exe" ] && check_exe "$exe"
  done
  # Setup shows readme.txt, note.txt and license.txt of its folder, in any
  # letter case: the kit's own files must never have those names.
  clashes="$(cd "$top" && find . -type f | awk -F/ '{ name = tolower($NF) } name == "readme.txt" || name == "note.txt" || name == "license.txt"')"
  [ -z "$clashes" ] || fail "$zip holds files that Setup would show as the application's: $clashes"
  setups="$(cd "$top" && find . -type f -iname setup.exe)"
  [ "$setups" = "./$ship_folder/Setup.exe" ] || fail "$zip: Setup.exe must be only in $ship_folder (found: $setups)"
  # The Setup.exe for end users runs on every Windows: a 32-bit GUI program.
  setup="$top/$ship_folder/Setup.exe"
  if [ -f "$setup" ]; then
    headers="$($objdump -f -p "$setup")"
    grep -q 'file format pei-i386' <<<"$headers" || fail "$setup is not a 32-bit (i386) program"
    grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)' <<<"$headers" || fail "$setup is not a GUI program"
  fi
  if [ -f "$readme" ]; then
    [ "$(readme_commands "$readme")" = "$windows_commands" ] \
      || fail "$readme does not start with the commands: $windows_commands"
    check_readme_names_docs "$readme" "$top/docs" 'docs\'
    check_docs_for_users "$top/docs"
    grep -qF "$ship_folder\\Setup.exe" "$readme" || fail "$readme does not name $ship_folder\\Setup.exe"
  fi
  [ -f "$top/LORIVANDER-kit-LICENSE.txt" ] && check_license_text "$top/LORIVANDER-kit-LICENSE.txt"
  [ $failures -eq $before ] && pass "windows-$arch zip: contents, no Setup text names, 32-bit GUI Setup.exe for end users, read-me, licence, version resources, manifests, imports, no debug sections"
done
if [ -f "$work/x86/$kit-$version-windows-x86/$ship_folder/Setup.exe" ] && [ -f "$work/x64/$kit-$version-windows-x64/$ship_folder/Setup.exe" ]; then
  cmp -s "$work/x86/$kit-$version-windows-x86/$ship_folder/Setup.exe" "$work/x64/$kit-$version-windows-x64/$ship_folder/Setup.exe" \
    && pass "both zips: the same Setup.exe for end users" || fail "the two zips hold different $ship_folder/Setup.exe"
fi

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
# The read-me's three commands, one line each in commands.txt: the build,
# the batch it wrote (Pakmak.exe, which must make the same archive), the
# listing.
mapfile -t commands <commands.txt
run() {  # run LINE: LINE as typed at a command prompt
  wine cmd /c "$1" </dev/null >run.out 2>&1
  local code=$?
  echo "$1: exit $code"
  [ $code -eq 0 ] || { cat run.out; return 1; }
}
run "${commands[0]}" && [ -s KantanMemo.lvar ] && [ -f KantanMemo.bat ] || exit 1
cp KantanMemo.lvar by-pakforge-build.lvar
run "${commands[1]}" && [ -s KantanMemo.lvar ] || exit 1
cmp by-pakforge-build.lvar KantanMemo.lvar || { echo "the two archives differ"; status=1; }
run "${commands[2]}" || status=1
grep -q 'Memo\.exe' run.out || { cat run.out; echo "the listing does not show Memo.exe"; status=1; }
exit $status
EOF
  printf '%s\n' "$windows_commands" >"$top/commands.txt"
  if WINEPREFIX="$work/wineprefix" "$root/tests/wine/session.sh" bash "$work/wine-run.sh" "$top" "${console_programs[@]}"; then
    pass "windows-x64 zip: the read-me's commands build the example in a fresh prefix (pakforge-build.exe, its batch with Pakmak.exe, lvar.exe)"
  else
    fail "windows-x64 zip: the bundled programs did not run as expected under Wine"
  fi
fi

# --- the Debian package and the .tar.gz --------------------------------------
# run_readme_commands README FOLDER [SED]: runs the commands README starts
# with in FOLDER (after the sed expression SED, which maps installed paths
# into the unpacked package); the last one lists the example's archive.
run_readme_commands() {
  local readme="$1" folder="$2" map="${3:-}" line
  local commands
  commands="$(readme_commands "$readme")"
  [ "$(wc -l <<<"$commands")" -eq 3 ] || { fail "$readme does not start with three commands"; return; }
  [ -z "$map" ] || commands="$(sed "$map" <<<"$commands")"
  (
    cd "$folder" || exit 1
    while IFS= read -r line; do
      bash -c "$line" >"$work/readme-run.out" 2>&1 || { code=$?; cat "$work/readme-run.out"; echo "exit $code: $line"; exit 1; }
    done <<<"$commands"
    grep -q 'Memo\.exe' "$work/readme-run.out" || { cat "$work/readme-run.out"; echo "the listing does not show Memo.exe"; exit 1; }
  ) || fail "$readme: its commands do not build the example in $folder"
}
# check_manual_pages MAN_FOLDER DOC_FOLDER BIN_FOLDER: each program's page
# renders without a groff warning, is found by man, is what md2man.awk makes
# of the packaged document, and names every option that --help prints.
check_manual_pages() {
  local man="$1" docs="$2" bin="$3" p page source warnings option roff rendered
  for p in "${linux_programs[@]}"; do
    page="$man/man1/$p.1.gz"
    [ -f "$page" ] || { fail "no manual page $page"; continue; }
    source="$(zcat "$page")"
    warnings="$(groff -ww -man -Tutf8 <<<"$source" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$page: groff warns: $warnings"
    rendered="$(MANWIDTH=80 man -M "$man" -P cat "$p" 2>/dev/null || true)"
    grep -q '^NAME$' <<<"$rendered" || fail "man $p does not find $page"
    # A character groff cannot show comes out as "?": no page may show a
    # run of them ("??", "? ? ?"), in a UTF-8 locale or an ASCII one.
    for locale in C.UTF-8 C; do
      rendered="$(LC_ALL=$locale MANWIDTH=80 man -l -P cat "$page" 2>/dev/null || true)"
      if grep -qE '\?\?|\? \?' <<<"$rendered"; then
        fail "$page shows question marks for characters under LC_ALL=$locale: $(grep -nE '\?\?|\? \?' <<<"$rendered" | head -n 3)"
      fi
    done
    [ "$(LC_ALL=C awk -v "source=$EXPECTED_VERSION_LINE" -f "$root/scripts/md2man.awk" "$docs/$p.md")" = "$source" ] \
      || fail "$page is not what scripts/md2man.awk makes of $docs/$p.md"
    for option in $("$bin/$p" --help 2>&1 | LC_ALL=C grep -oE -- '(^|[ [,])--?[a-z][a-z-]*' | LC_ALL=C tr -d ' [,' | sort -u); do
      roff="${option//-/\\-}"
      grep -qF -- "\\fB$roff" <<<"$source" || fail "$page does not name the option $option of $p --help"
    done
  done
}

deb="$(ls "$bundle"/"${kit}_${version}"*.deb 2>/dev/null | head -n 1 || true)"
if [ -z "$deb" ]; then
  fail "no Debian package ${kit}_${version}*.deb"
else
  before=$failures
  if command -v lintian >/dev/null; then
    # No override: every tag lintian knows applies to this package.
    lintian --fail-on error,warning "$deb" >"$work/lintian.out" 2>&1 \
      || { cat "$work/lintian.out"; fail "lintian reports errors or warnings on $(basename "$deb")"; }
  else
    echo "note: lintian is not installed (scripts/setup-deps.sh installs it); the Debian package is not linted"
  fi
  listing="$(dpkg-deb -c "$deb" | awk '{ print $NF }')"
  for f in "${linux_programs[@]/#/./usr/share/man/man1/}"; do
    grep -qx -- "$f.1.gz" <<<"$listing" || fail "$(basename "$deb") lacks ${f#.}.1.gz"
  done
  dpkg -x "$deb" "$work/deb"
  doc="$work/deb/usr/share/doc/$kit"
  for p in "${linux_programs[@]}"; do
    exe="$work/deb/usr/bin/$p"
    if [ ! -x "$exe" ]; then fail "$(basename "$deb") lacks /usr/bin/$p"; continue; fi
    out="$("$exe" --version)" || fail "$p --version exited with $?"
    [ "$out" = "$EXPECTED_VERSION_LINE" ] || fail "$p --version printed \"$out\""
  done
  for f in pakmak.md README copyright changelog.gz examples/Pakforge_KantanMemo.ini examples/KantanMemo/Native.ina; do
    [ -f "$doc/$f" ] || fail "$(basename "$deb") lacks /usr/share/doc/$kit/$f"
  done
  if [ -x "$work/deb/usr/bin/pakmak" ]; then
    "$work/deb/usr/bin/pakmak" --help >/dev/null || fail "pakmak --help exited with $?"
    "$work/deb/usr/bin/pakmak" "$root/examples/demo" "$work/Demo.lvar" >"$work/pakmak.out" 2>&1 \
      || { cat "$work/pakmak.out"; fail "the packaged pakmak did not pack examples/demo"; }
  fi
  if [ -f "$doc/README" ]; then
    mkdir -p "$work/deb-run"
    PATH="$work/deb/usr/bin:$PATH" run_readme_commands "$doc/README" "$work/deb-run" "s#/usr/share/doc/$kit#$doc#g"
    # The read-me's commands built the example in deb-run/kantan.
    check_doc_example "$doc/project-file.md" "$work/deb-run/kantan"
    check_readme_names_docs "$doc/README" "$doc" "/usr/share/doc/$kit/"
  fi
  [ -f "$doc/copyright" ] && check_license_text "$doc/copyright"
  grep -q '^License: Expat$' "$doc/copyright" 2>/dev/null || fail "$doc/copyright names no licence"
  check_manual_pages "$work/deb/usr/share/man" "$doc" "$work/deb/usr/bin"
  check_docs_for_users "$doc"
  run_tutorial "$doc" "$work/deb/usr/bin" "s#/usr/share/doc/$kit#$doc#g"
  [ $failures -eq $before ] && pass "Debian package: lintian, --version of every program, the demo, the read-me's commands and documents, copyright, manual pages, the tutorial"
fi
tgz="$bundle/$kit-$version-linux-x86_64.tar.gz"
if [ -f "$tgz" ]; then
  before=$failures
  mkdir -p "$work/tgz"
  tar xzf "$tgz" -C "$work/tgz"
  top="$work/tgz/$kit-$version-linux-x86_64"
  doc="$top/share/doc/$kit"
  for f in "${linux_programs[@]/#/bin/}" README "share/doc/$kit/pakmak.md" "share/doc/$kit/copyright" \
           "share/doc/$kit/examples/Pakforge_KantanMemo.ini"; do
    [ -f "$top/$f" ] || fail "$(basename "$tgz") lacks $f"
  done
  [ ! -e "$doc/README" ] || fail "$(basename "$tgz") holds share/doc/$kit/README, whose paths are those of the Debian package"
  if [ -f "$top/README" ]; then
    run_readme_commands "$top/README" "$top"
    check_readme_names_docs "$top/README" "$doc" "share/doc/$kit/"
  fi
  [ -f "$doc/copyright" ] && check_license_text "$doc/copyright"
  check_manual_pages "$top/share/man" "$doc" "$top/bin"
  check_docs_for_users "$doc"
  run_tutorial "$doc" "$top/bin" "s#/usr/share/doc/$kit#$doc#g"
  [ $failures -eq $before ] && pass "linux tar.gz: programs, the read-me's commands and documents, copyright, manual pages, the tutorial"
else
  fail "$tgz is missing"
fi

if [ $failures -ne 0 ]; then
  echo "Release bundle: $failures check(s) FAILED" >&2
  exit 1
fi
echo "Release bundle: all checks passed"
