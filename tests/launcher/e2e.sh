#!/usr/bin/env bash
# e2e.sh SCENARIO SETUP_EXE DESKINST_EXE DRIVER_EXE WORK_DIR SHOTS_DIR [LANGUAGE]
#
# One end-to-end run of Setup.exe under Wine: the driver builds the kit
# folder, presses the buttons and checks the result; afterwards its
# screenshots are turned into PNG files. LANGUAGE (ru, en or ja; Russian
# when left out) is the language whose texts Setup must show: the caller
# sets the locale (PAK_WINE_LANG) or LORIVANDER_LANG that makes it choose so. Runs inside tests/wine/session.sh,
# which provides the display and the wineserver; it starts neither itself.
set -u
scenario=$1 setup=$2 deskinst=$3 driver=$4 work=$5 shots=$6 language=${7:-ru}
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  echo "e2e.sh: no DISPLAY; run the tests under tests/wine/session.sh" >&2
  exit 1
fi

# Wine maps drive Z: to the Unix root.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "${work:?}/$scenario"
mkdir -p "$work" "$shots"
tmpshots="$work/$scenario-shots"
rm -rf "$tmpshots" && mkdir -p "$tmpshots"

timeout -k 5 120 "$root/tests/wine/run.sh" "$driver" "$scenario" "$(winpath "$work")" \
  "$(winpath "$setup")" "$(winpath "$deskinst")" "$(winpath "$tmpshots")" "$language"
status=$?
[ $status -eq 124 ] && echo "e2e.sh: driver timed out" >&2

for bmp in "$tmpshots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png" || status=1
done
rm -rf "$tmpshots"
exit $status
