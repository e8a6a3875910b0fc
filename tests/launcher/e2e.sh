#!/usr/bin/env bash
# e2e.sh SCENARIO SETUP_EXE DESKINST_EXE DRIVER_EXE WORK_DIR [LANGUAGE]
#
# One end-to-end run of Setup.exe under Wine: the driver builds the kit
# folder, presses the buttons, checks the result and saves screenshots into
# PAK_SCREENSHOTS\LANGUAGE. LANGUAGE (ru, en or ja; Russian when left out) is
# the language whose texts Setup must show: the caller sets the locale
# (PAK_WINE_LANG) or LORIVANDER_LANG that makes it choose so. Runs inside
# tests/wine/session.sh, which provides the display and the wineserver.
set -u
scenario=$1 setup=$2 deskinst=$3 driver=$4 work=$5 language=${6:-ru}
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$root/tests/wine/lib.sh"
need_display e2e.sh

rm -rf "${work:?}/$scenario"
mkdir -p "$work"
timeout -k 5 120 "$root/tests/wine/run.sh" "$driver" "$scenario" "$(winpath "$work")" \
  "$(winpath "$setup")" "$(winpath "$deskinst")" "$language"
status=$?
[ $status -eq 124 ] && echo "e2e.sh: driver timed out" >&2
exit $status
