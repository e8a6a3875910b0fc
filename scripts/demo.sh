#!/usr/bin/env bash
# Packs the demo source folder examples/demo into build/demo/Demo.lvar with
# pakmak and shows what came out: pakmak's own output, the archive's size,
# its header and its entries.
#
# On a fresh Debian machine it first installs what building pakmak needs
# (cmake, g++) and builds the release preset (optimised, no sanitizers, no
# tests; build/native-release).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bold() { if [ -t 1 ]; then printf '\n\033[1m== %s\033[0m\n' "$*"; else printf '\n== %s\n' "$*"; fi; }

# --- what building needs (a light subset of scripts/setup-deps.sh) ----------
packages=(cmake make g++)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  bold "Installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- build -----------------------------------------------------------------
bold "Building pakmak, lvar and pakforge-build (preset release, build/native-release)"
cmake --preset release >/dev/null
cmake --build --preset release --target pakmak lvar pakforge-build -j "$(nproc 2>/dev/null || echo 2)" | tail -n 1
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

# Unsigned little-endian integer of $2 bytes at offset $1.
le() { local v=0 i b; local -a bytes; read -r -a bytes <<<"$(od -An -tu1 -v -j "$1" -N "$2" "$out")";
       for ((i = ${#bytes[@]} - 1; i >= 0; i--)); do b=${bytes[i]}; v=$((v * 256 + b)); done; echo "$v"; }

bold "Header (256 bytes)"
od -A x -t x1 -N 256 -v "$out" | sed 's/^/  /' | head -n 16
printf '\n  %-28s 0x%04X\n' "header length (0x00)" "$(le 0 2)"
printf '  %-28s %d\n' "entries (0x02)" "$(le 2 2)"
printf '  %-28s 0x%08X\n' "platform mask (0x04)" "$(le 4 4)"
printf '  %-28s 0x%08X\n' "OS version mask (0x94)" "$(le 0x94 4)"
printf '  %-28s 0x%08X\n' "CPU type mask (0xB0)" "$(le 0xB0 4)"
dest=$(le 0xDC 4)
names=(none MAINMEM_ONLY STORAGE_ONLY ALTERNATIVE)
printf '  %-28s %d (%s)\n' "destination (0xDC)" "$dest" "${names[$dest]:-?}"
printf '  %-28s "%s"\n' "platform block (0x08)" "$(dd if="$out" bs=1 skip=8 count=136 2>/dev/null | tr -d '\0')"

bold "Entries"
kinds=("" "install information" "program" "data")
printf '  %-8s %-4s %-20s %-20s %8s\n' offset kind "" name size
pos=256
count=$(le 2 2)
for ((e = 0; e < count; e++)); do
  length=$(le "$pos" 4)
  kind=$(le $((pos + 6)) 1)
  n=$(le $((pos + 7)) 1)
  name=$(dd if="$out" bs=1 skip=$((pos + 8)) count="$n" 2>/dev/null | iconv -f CP932 -t UTF-8 2>/dev/null || true)
  s=$(le $((pos + 9 + n)) 4)
  printf '  0x%06X %-4d %-20s %-20s %8d\n' "$pos" "$kind" "${kinds[$kind]}" "$name" "$s"
  pos=$((pos + 4 + length))
done
checksum=$(le "$pos" 1)
xor=0
for b in $(od -An -tu1 -v "$out"); do xor=$((xor ^ b)); done
printf '\n  checksum byte at 0x%06X: 0x%02X; exclusive-or of the whole archive: %d (0 = intact)\n' \
  "$pos" "$checksum" "$xor"

bold "lvar list $out"
LVAR_ENCODING="${LVAR_ENCODING:-utf-8}" "$lvar" list "$out" | sed 's/^/  /'
bold "lvar verify $out"
LVAR_ENCODING="${LVAR_ENCODING:-utf-8}" "$lvar" verify "$out" | sed 's/^/  /'

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
