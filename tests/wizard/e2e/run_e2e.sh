#!/usr/bin/env bash
# run_e2e.sh DRIVER_EXE PAKFORGE_EXE PAKMAK_EXE WORK_FOLDER [LANGUAGE [PAKFORGE_BUILD_EXE]]
#
# Runs the end-to-end driver of Pakforge.exe under Wine, in a fresh work
# folder, and grabs the screenshots it asks for into build/screenshots/
# (build/screenshots/LANGUAGE/ when a LANGUAGE, ja or en, is given: the one
# the wizard must speak under the locale the caller set in PAK_WINE_LANG).
# Expects the display and wineserver of tests/wine/session.sh (DISPLAY set).
# The screenshot grabber is a background loop of this script: it answers
# each NAME.req (x y w h of a window) with build/screenshots/NAME.png and
# NAME.done, and is stopped by its PID when the driver ends.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
driver="$1" pakforge="$2" pakmak="$3" work="$4" language="${5:-}" tool="${6:-}"
shots="$root/build/screenshots${language:+/$language}"
requests="$work.shots"

if [ -z "${DISPLAY:-}" ]; then
  echo "run_e2e.sh: no DISPLAY; run inside tests/wine/session.sh" >&2
  exit 1
fi

rm -rf "$work" "$work"_hand* "$work"_cli* "$requests"
mkdir -p "$work" "$requests" "$shots"

winpath() { printf 'Z:%s' "${1//\//\\}"; }

grabber() {
  while :; do
    for request in "$requests"/*.req; do
      [ -e "$request" ] || continue
      name="$(basename "$request" .req)"
      read -r x y w h <"$request" || true
      if [ -n "${w:-}" ] && [ "${w:-0}" -gt 0 ] && [ "${h:-0}" -gt 0 ]; then
        timeout 20 import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage \
          "$shots/$name.png" >/dev/null 2>&1 || echo "run_e2e.sh: screenshot $name failed" >&2
      fi
      mv -f "$request" "$requests/$name.done"
    done
    sleep 0.1
  done
}
grabber </dev/null >/dev/null 2>&1 &
grabber_pid=$!
stop_grabber() { kill "$grabber_pid" 2>/dev/null; wait "$grabber_pid" 2>/dev/null; }
trap stop_grabber EXIT

timeout -k 10 400 "$root/tests/wine/run.sh" "$driver" \
  "$(winpath "$work")" "$(winpath "$pakforge")" "$(winpath "$pakmak")" "$(winpath "$requests")" \
  ${language:+"$language"} ${tool:+"$(winpath "$tool")"}
status=$?
[ $status -eq 124 ] && echo "run_e2e.sh: the driver timed out" >&2
exit $status
