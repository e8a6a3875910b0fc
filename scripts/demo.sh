#!/usr/bin/env bash
# Packs the demo source folder examples/demo into build/demo/Demo.lvar with
# pakmak and shows what came out: pakmak's own output, the archive's size,
# and lvar's list (header and entries), check and install plan of it.
#
# On a fresh Debian machine it first installs what building pakmak needs
# (scripts/setup-deps.sh --native) and builds the release preset (optimised,
# no sanitizers, no tests; build/native-release).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

bold() { if [ -t 1 ]; then printf '\n\033[1m== %s\033[0m\n' "$*"; else printf '\n== %s\n' "$*"; fi; }

# --- build -----------------------------------------------------------------
"$root/scripts/setup-deps.sh" --native
bold "Building pakmak, lvar and pakforge-build (preset release, build/native-release)"
build_presets --target pakmak --target lvar --target pakforge-build release | tail -n 1
pakmak="$root/build/native-release/bin/pakmak"
lvar="$root/build/native-release/bin/lvar"

# --- pack ------------------------------------------------------------------
src="examples/demo"
out="build/demo/Demo.lvar"
mkdir -p build/demo
rm -f "$out"
bold "The source folder $src"
(cd "$src" && find . -type f | sed 's|^\./||' | sort | while read -r f; do
   printf '  %-22s %6d bytes\n' "$f" "$(stat -c %s "$f")"; done)

bold "First a check-only run:  pakmak $src"
# Messages are Shift-JIS; show them as UTF-8 here whatever the locale.
PAKMAK_ENCODING="${PAKMAK_ENCODING:-utf-8}" "$pakmak" "$src"

bold "Now the archive:  pakmak $src $out"
set +e
PAKMAK_ENCODING="${PAKMAK_ENCODING:-utf-8}" "$pakmak" "$src" "$out"
status=$?
set -e
echo "(exit status $status)"
[ "$status" -eq 0 ] || { echo "pakmak failed" >&2; exit "$status"; }

# --- show ------------------------------------------------------------------
size=$(stat -c %s "$out")
bold "$out: $size bytes"

bold "lvar list $out"
LVAR_ENCODING="${LVAR_ENCODING:-utf-8}" "$lvar" list "$out" | sed 's/^/  /'
bold "lvar verify $out"
LVAR_ENCODING="${LVAR_ENCODING:-utf-8}" "$lvar" verify "$out" | sed 's/^/  /'
bold "lvar plan $out"
LVAR_ENCODING="${LVAR_ENCODING:-utf-8}" "$lvar" plan "$out" | sed 's/^/  /'

# --- the same program as a saved Pakforge project ----------------------------
# examples/project holds what the wizard leaves beside a source folder: the
# saved project file. pakforge-build checks it as the wizard does, writes the
# files of Finish into a copy and builds the archive there.
project="build/demo/project"
rm -rf "$project"
mkdir -p "$project"
cp -R examples/project/. "$project/"
bold "A saved project:  pakforge-build $project/Pakforge_KantanMemo.ini"
set +e
PAKMAK_ENCODING="${PAKMAK_ENCODING:-utf-8}" "$root/build/native-release/bin/pakforge-build" "$project/Pakforge_KantanMemo.ini"
status=$?
set -e
echo "(exit status $status)"
[ "$status" -eq 0 ] || { echo "pakforge-build failed" >&2; exit "$status"; }
