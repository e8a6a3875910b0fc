#!/usr/bin/env bash
# drive.sh SECONDS DRIVER_EXE [ARG...]
#
# Runs an end-to-end driver under Wine (run.sh) for at most SECONDS. Each
# ARG that is an absolute host path reaches the driver as a Windows path
# (Wine shows the host's root as drive Z:); "fresh:PATH" does too, after
# PATH and the folders beside it named PATH_* are removed and PATH is made
# anew. Runs inside session.sh, which provides the display and wineserver.
set -u
[ -n "${DISPLAY:-}" ] || { echo "drive.sh: no DISPLAY; run the tests under tests/wine/session.sh" >&2; exit 1; }
seconds=$1 driver=$2
shift 2
args=()
for arg in "$@"; do
  if [ "${arg#fresh:}" != "$arg" ]; then
    arg=${arg#fresh:}
    rm -rf "${arg:?}" "$arg"_*
    mkdir -p "$arg"
  fi
  [ "${arg#/}" != "$arg" ] && arg="Z:${arg//\//\\}"
  args+=("$arg")
done
timeout -k 10 "$seconds" "$(dirname "${BASH_SOURCE[0]}")/run.sh" "$driver" "${args[@]}"
status=$?
[ $status -eq 124 ] && echo "drive.sh: $(basename "$driver") timed out after $seconds s" >&2
exit $status
