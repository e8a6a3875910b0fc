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
#   archive it makes passes `lvar verify`;
# - the GitHub Actions workflows of ci.md of the Debian package and of the
#   .tar.gz: their shell steps (all but the install step) run on a copy of
#   the bundle's example project with the bundle's programs; the SARIF log
#   is a valid SARIF 2.1.0 log, and a planted fault shows in it and makes
#   the --warnings=error step fail (python3 reads the logs).
#
# check.sh --tutorial DOC_FOLDER BIN_FOLDER runs only the tutorial, from
# DOC_FOLDER/first-archive.md with the programs of BIN_FOLDER (for example
# docs and build/native-release/bin of the source tree); check.sh --ci
# DOC_FOLDER BIN_FOLDER runs only the workflows of DOC_FOLDER/ci.md, on
# examples/project of the source tree.
# - SHA256SUMS matches.
# Starts its own Wine session (tests/wine/session.sh) for the Windows part.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$root/build/release-check"

windows_programs=(Pakforge.exe Pakmak.exe lvar.exe pakforge-build.exe pakmak-lsp.exe)
ship_folder=ShipToUsers
console_programs=(Pakmak.exe lvar.exe pakforge-build.exe)
linux_programs=(pakmak lvar pakforge-build pakmak-lsp)
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

# marked_blocks DOC NAME OUT_FOLDER: writes each fenced block of DOC that
# follows a line "<!-- NAME: KIND [PATH] -->" to OUT_FOLDER, one file per
# block numbered in document order: NNN.KIND, and NNN.path holding PATH
# when the marker gives one. Fails on a marker not followed by a block.
marked_blocks() {
  tr -d '\r' <"$1" | awk -v out="$3" -v name="$2" -v doc="$(basename "$1")" '
    index($0, "<!-- " name ": ") == 1 && /^<!-- [a-z-]+: [a-z]+( [^ ]+)? -->$/ {
      kind = $3; path = ($4 == "-->") ? "" : $4; want = 1; next
    }
    want && /^```/ {
      n++; file = sprintf("%s/%03d.%s", out, n, kind); printf "" >file
      if (path != "") print path >(sprintf("%s/%03d.path", out, n))
      inside = 1; want = 0; next
    }
    inside && /^```/ { inside = 0; close(file); next }
    inside { print >file }
    want && !/^[ \t]*$/ { printf "%s: line %d: a marker not followed by a code block\n", doc, NR >"/dev/stderr"; bad = 1; want = 0 }
    END { exit bad }'
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
  marked_blocks "$doc" first-archive "$blocks" || { fail "$doc: a marker without its block"; return; }
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
# workflow_steps WORKFLOW OUT_FOLDER: splits the steps of a GitHub Actions
# workflow (block style, as ci.md writes them) into OUT_FOLDER, one set of
# files per step numbered in order: NN.run (the shell commands, a block
# scalar "run: |" without its indent), NN.uses, NN.if and NN.sarif (the
# sarif_file of its "with:").
workflow_steps() {
  tr -d '\r' <"$1" | awk -v out="$2" '
    function indent(line) { match(line, /^ */); return RLENGTH }
    function put(key, text) { f = sprintf("%s/%02d.%s", out, n, key); print text >f; close(f) }
    block {
      if ($0 ~ /^[ \t]*$/) { pending = pending "\n"; next }
      if (indent($0) > key_indent) {
        if (!block_indent) block_indent = indent($0)
        printf "%s%s\n", substr(pending, 2), substr($0, block_indent + 1) >>file
        pending = ""; next
      }
      close(file); block = 0
    }
    /^ *steps: *$/ { steps = indent($0); next }
    steps && indent($0) <= steps && $0 !~ /^ *- / && $0 !~ /^[ \t]*$/ { steps = 0 }
    !steps { next }
    /^ *- / { n++; sub(/- /, "  ") }
    {
      line = $0; sub(/^ +/, "", line)
      if (line ~ /^run: *[|]-? *$/) {
        file = sprintf("%s/%02d.run", out, n); printf "" >file
        block = 1; key_indent = indent($0); block_indent = 0; pending = ""
      } else if (line ~ /^run: /) { sub(/^run: */, "", line); put("run", line) }
      else if (line ~ /^uses: /) { sub(/^uses: */, "", line); put("uses", line) }
      else if (line ~ /^if: /) { sub(/^if: */, "", line); put("if", line) }
      else if (line ~ /^sarif_file: /) { sub(/^sarif_file: */, "", line); put("sarif", line) }
    }
    END { if (block) close(file) }'
}
# check_sarif FILE FOLDER: FILE is a SARIF 2.1.0 log of pakmak whose results
# name files under FOLDER by relative paths and have a region; prints the
# number of results with level "error", then with level "warning".
check_sarif() {
  python3 - "$1" "$2" "${3:-pakmak}" "${4:-}" <<'EOF'
import json, sys
path, folder, tool, project = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
try:
    log = json.load(open(path, encoding="utf-8"))
except (OSError, ValueError) as e:
    sys.exit(f"{path} is not JSON: {e}")
if log.get("version") != "2.1.0":
    sys.exit(f"{path}: version is {log.get('version')!r}, not 2.1.0")
runs = log.get("runs")
if not isinstance(runs, list) or len(runs) != 1:
    sys.exit(f"{path}: not one run")
if runs[0].get("tool", {}).get("driver", {}).get("name") != tool:
    sys.exit(f"{path}: the tool is not {tool}")
rules = {r.get("id") for r in runs[0]["tool"]["driver"].get("rules", [])}
counts = {"error": 0, "warning": 0}
for r in runs[0].get("results", []):
    level = r.get("level")
    if level not in counts:
        sys.exit(f"{path}: a result of level {level!r}")
    counts[level] += 1
    if r.get("ruleId") not in rules or not r.get("message", {}).get("text"):
        sys.exit(f"{path}: a result without its rule or message: {r}")
    loc = r.get("locations", [{}])[0].get("physicalLocation", {})
    uri = loc.get("artifactLocation", {}).get("uri", "")
    if not uri.startswith(folder + "/") and (not project or uri != project):
        sys.exit(f"{path}: a result at {uri!r}, not a path in {folder}/ as the repository has it")
    if loc.get("region", {}).get("startLine", 0) < 1:
        sys.exit(f"{path}: a result without a region: {r}")
print(counts["error"], counts["warning"])
EOF
}
# ci_run_steps STEPS_FOLDER REPO BIN: runs the shell steps of a workflow split
# by workflow_steps with bash -e in REPO, the programs of BIN first on PATH,
# as the runner would: in order, a step that fails ends the job, and only a
# step whose "if:" runs after a failure (!cancelled(), always()) runs then.
# The install step (apt-get) is left out: BIN stands for the installed kit.
# Writes each step's output to NN.out and status to NN.status.
ci_run_steps() {
  local steps="$1" repo="$2" bin="$3" step failed=0 n
  rm -f "$steps"/*.out "$steps"/*.status
  for step in $(ls "$steps" | sed -n 's/^\([0-9]*\)\.\(run\|uses\)$/\1/p' | sort -u); do
    if [ $failed -ne 0 ] && ! grep -qE '!cancelled\(\)|always\(\)' "$steps/$step.if" 2>/dev/null; then continue; fi
    [ -f "$steps/$step.run" ] || continue
    grep -q 'apt-get' "$steps/$step.run" && continue
    n=0
    (cd "$repo" && PATH="$bin:$PATH" bash -e "$steps/$step.run") >"$steps/$step.out" 2>&1 || n=$?
    echo "$n" >"$steps/$step.status"
    [ $n -eq 0 ] || failed=1
  done
}
# ci_checkout EXAMPLES REPO FOLDER BIN STEPS_FOLDER: makes REPO the author's
# repository afresh: the example project, with a device description in
# FOLDER that is not the example's placeholder. A workflow that does not run
# pakforge-build finds the descriptions committed: they are written here.
ci_checkout() {
  local examples="$1" repo="$2" folder="$3" bin="$4" steps="$5"
  rm -rf "$repo"
  cp -R "$examples" "$repo"
  head -c 192 /dev/zero | tr '\0' 'D' >"$repo/$folder/Native.ina"
  grep -q pakforge-build "$steps"/*.run && return 0
  (cd "$repo" && PATH="$bin:$PATH" pakforge-build --check Pakforge_KantanMemo.ini) >"$repo.setup.out" 2>&1 \
    || { cat "$repo.setup.out"; return 1; }
}
# run_ci DOC_FOLDER BIN_FOLDER EXAMPLES_FOLDER KIT: runs the shell steps of
# every workflow of DOC_FOLDER/ci.md on a copy of the example project (with
# a stand-in for the device's own Native.ina) with the programs of
# BIN_FOLDER. The workflow installs the kit's Debian package by its file
# name, uploads the SARIF log its check step writes, and ends with a
# --warnings=error step; on the clean example every step passes and the log
# holds no result; with a file of a copy line removed (a warning for pakmak,
# a refusal for pakforge-build) the check step still passes and writes a
# log with that problem, and the last step fails.
run_ci() {
  local doc="$1/ci.md" bin="$2" examples="$3" kit="$4" dir blocks w steps repo last sarif check folder counts upload tool project before=$failures
  [ -f "$doc" ] || { fail "$doc is missing"; return; }
  command -v python3 >/dev/null || { fail "python3 is needed to read the SARIF logs of ci.md's workflows"; return; }
  dir="$work/ci-$(basename "$(dirname "$bin")")"
  blocks="$dir/blocks"
  rm -rf "$dir"
  mkdir -p "$blocks"
  marked_blocks "$doc" ci "$blocks" || { fail "$doc: a marker without its block"; return; }
  ls "$blocks"/*.workflow >/dev/null 2>&1 || { fail "$doc marks no workflow"; return; }
  for w in "$blocks"/*.workflow; do
    w="${w%.workflow}"
    if python3 -c 'import yaml' 2>/dev/null; then
      python3 -c 'import sys, yaml; w = yaml.safe_load(open(sys.argv[1])); assert isinstance(w["jobs"], dict)' "$w.workflow" 2>"$w.yaml-errors" \
        || { fail "$doc: the workflow $(cat "$w.path") is not a workflow in YAML: $(grep -v '^ ' "$w.yaml-errors" | tail -n 2 | tr '\n' ' ')"; continue; }
    fi
    steps="$w.steps"
    mkdir -p "$steps"
    workflow_steps "$w.workflow" "$steps"
    grep -lqE "apt-get install --yes \./[^ ]*/${kit}_[0-9][0-9.]*_amd64\.deb\$" "$steps"/*.run \
      || { fail "$doc: $(cat "$w.path") does not install ${kit}_<version>_amd64.deb"; continue; }
    upload="$(grep -l '^github/codeql-action/upload-sarif@' "$steps"/*.uses | head -n 1 || true)"
    [ -n "$upload" ] && [ -f "${upload%.uses}.sarif" ] || { fail "$doc: $(cat "$w.path") uploads no SARIF file"; continue; }
    grep -qE '!cancelled\(\)|always\(\)' "${upload%.uses}.if" 2>/dev/null \
      || fail "$doc: $(cat "$w.path") does not upload the SARIF log after a failed step"
    sarif="$(cat "${upload%.uses}.sarif")"
    check="$(grep -l -- "--diagnostics=sarif .*>$sarif" "$steps"/*.run | head -n 1 || true)"
    [ -n "$check" ] || { fail "$doc: no step of $(cat "$w.path") writes $sarif with --diagnostics=sarif"; continue; }
    folder="$(sed -n "s/.*--diagnostics=sarif \([^ ]*\) *>$sarif.*/\1/p" "$check" | head -n 1)"
    # pakforge-build's log stands at the project file and in its source
    # folder.
    tool=pakmak project=
    if grep -q "pakforge-build [^|]*--diagnostics=sarif" "$check"; then
      tool=pakforge-build project="$folder"
      folder="$(tr -d '\r' <"$examples/$project" | sed -n 's/^Source=//p' | head -n 1)"
    fi
    last="$(ls "$steps"/*.run | tail -n 1)"
    grep -q -- '--warnings=error' "$last" || { fail "$doc: $(cat "$w.path") does not end with a --warnings=error step"; continue; }
    [[ "$(basename "$check")" < "$(basename "$upload")" && "$(basename "$upload")" < "$(basename "$last")" ]] \
      || { fail "$doc: $(cat "$w.path") does not check, upload and hold to the check in that order"; continue; }
    repo="$w.repo"
    ci_checkout "$examples" "$repo" "$folder" "$bin" "$steps" \
      || { fail "$doc: the example's descriptions could not be written for $(cat "$w.path")"; continue; }
    ci_run_steps "$steps" "$repo" "$bin"
    for s in "$steps"/*.status; do
      [ "$(cat "$s")" -eq 0 ] || { cat "${s%.status}.out"; fail "$doc: the step $(basename "${s%.status}") of $(cat "$w.path") fails on the clean example"; }
    done
    counts="$(check_sarif "$repo/$sarif" "$folder" "$tool" "$project")" || { fail "$doc: $(cat "$w.path"): $counts"; continue; }
    [ "$counts" = "0 0" ] || fail "$doc: $(cat "$w.path"): the clean example's log holds problems ($counts)"
    # The planted fault, in a fresh checkout: a file that a copy line names
    # is missing.
    ci_checkout "$examples" "$repo" "$folder" "$bin" "$steps" || { fail "$doc: the example could not be copied"; continue; }
    rm "$repo/$folder/Help.memo"
    ci_run_steps "$steps" "$repo" "$bin"
    [ "$(cat "${check%.run}.status" 2>/dev/null)" = 0 ] \
      || { cat "${check%.run}.out" 2>/dev/null; fail "$doc: the check step of $(cat "$w.path") fails on a fault instead of reporting it"; continue; }
    counts="$(check_sarif "$repo/$sarif" "$folder" "$tool" "$project")" || { fail "$doc: $(cat "$w.path"), planted fault: $counts"; continue; }
    [ "$counts" != "0 0" ] || fail "$doc: $(cat "$w.path"): the log does not hold the planted fault"
    [ "$(cat "${last%.run}.status" 2>/dev/null || echo 0)" -ne 0 ] \
      || { cat "${last%.run}.out"; fail "$doc: the --warnings=error step of $(cat "$w.path") passes with a file of a copy line missing"; }
    # pakmak alone: warnings and no error give status 8.
    if [ "$counts" != "${counts#0 }" ] && ! grep -q pakforge-build "$last"; then
      [ "$(cat "${last%.run}.status")" -eq 8 ] || fail "$doc: the --warnings=error step of $(cat "$w.path") exits with $(cat "${last%.run}.status"), not 8, on warnings alone"
    fi
  done
  [ $failures -eq $before ] && pass "the workflows of ci.md run their shell steps with $bin: a valid SARIF 2.1.0 log, and --warnings=error fails on a planted fault"
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
if [ "${1:-}" = "--ci" ]; then
  [ $# -eq 3 ] || { echo "usage: check.sh --ci DOC_FOLDER BIN_FOLDER" >&2; exit 2; }
  failures=0
  mkdir -p "$work"
  run_ci "$(cd "$2" && pwd)" "$(cd "$3" && pwd)" "$root/examples/project" \
    "$(sed -n 's/^set(PAK_PACKAGE_NAME "\(.*\)")$/\1/p' "$root/CMakeLists.txt")"
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
  run_ci "$doc" "$work/deb/usr/bin" "$doc/examples" "$kit"
  [ $failures -eq $before ] && pass "Debian package: lintian, --version of every program, the demo, the read-me's commands and documents, copyright, manual pages, the tutorial, the CI workflows"
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
  run_ci "$doc" "$top/bin" "$doc/examples" "$kit"
  [ $failures -eq $before ] && pass "linux tar.gz: programs, the read-me's commands and documents, copyright, manual pages, the tutorial, the CI workflows"
else
  fail "$tgz is missing"
fi

if [ $failures -ne 0 ]; then
  echo "Release bundle: $failures check(s) FAILED" >&2
  exit 1
fi
echo "Release bundle: all checks passed"
