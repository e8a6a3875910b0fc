#!/usr/bin/env bash
# run_e2e.sh DRIVER_EXE PAKFORGE_EXE PAKMAK_EXE WORK_FOLDER [LANGUAGE [PAKFORGE_BUILD_EXE]]
#
# Runs the end-to-end driver of Pakforge.exe under Wine, in a fresh work
# folder. LANGUAGE (ja, the default, or en) is the one the wizard must speak
# under the locale the caller set in PAK_WINE_LANG; the driver saves its
# screenshots into PAK_SCREENSHOTS\LANGUAGE. Expects the display and
# wineserver of tests/wine/session.sh.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
. "$root/tests/wine/lib.sh"
need_display run_e2e.sh
driver="$1" pakforge="$2" pakmak="$3" work="$4" language="${5:-ja}" tool="${6:-}"

rm -rf "$work" "$work"_hand* "$work"_cli*
mkdir -p "$work"
timeout -k 10 400 "$root/tests/wine/run.sh" "$driver" \
  "$(winpath "$work")" "$(winpath "$pakforge")" "$(winpath "$pakmak")" "$language" ${tool:+"$(winpath "$tool")"}
status=$?
[ $status -eq 124 ] && echo "run_e2e.sh: the driver timed out" >&2
exit $status
