#!/usr/bin/env bash
# session.sh COMMAND [ARGS...]
#
# Runs COMMAND inside a Wine test session: starts Xvfb on a free display,
# prepares the Wine prefix under build/wineprefix (Japanese locale; a test
# that sets PAK_WINE_LANG runs its programs in another, see run.sh), keeps a
# wineserver running for the whole command, and afterwards stops exactly
# what it started (wineserver -k, Xvfb by its own PID). Background processes
# never hold this script's standard output open. Exits with COMMAND's status.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers; no winemenubuilder (it would write menu
# entries and file associations into the user's home for every prefix).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
mkdir -p "$root/build"

display=""
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "session.sh: no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$root/build/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"

keeper_pid=""
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  [ -z "$keeper_pid" ] || wait "$keeper_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# One wineserver stays alive for the whole session, so each test starts in a
# second instead of starting the server and Wine's system processes again.
# It is started before wineboot: a server started by wineboot would still be
# running when wineboot returns (its background processes outlive it on a new
# prefix), and a later "wineserver -p" would then find it and quit, leaving
# every test to start a server of its own.
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
# First use creates the prefix; later runs reuse it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "session.sh: creating Wine prefix $WINEPREFIX"
fi
wineboot -i </dev/null >"$root/build/wineboot.log" 2>&1
# Status 2: the server started above is running (as it should be); 0: it had
# gone, and this starts it again.
wineserver -p </dev/null >/dev/null 2>&1

# The desktop process stays up for the whole session (desktop_keeper.cpp says
# why): without it each GUI test's output stays open for seconds after the
# test ends, and CTest waits for it.
keeper="${PAK_DESKTOP_KEEPER:-$root/build/win64/bin/desktop_keeper.exe}"
if [ -f "$keeper" ]; then
  wine "$keeper" </dev/null >"$WINEPREFIX/desktop_keeper.log" 2>&1 &
  keeper_pid=$!
  for _ in $(seq 300); do
    grep -q ready "$WINEPREFIX/desktop_keeper.log" 2>/dev/null && break
    kill -0 "$keeper_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q ready "$WINEPREFIX/desktop_keeper.log" ||
    echo "session.sh: the desktop keeper did not start (see $WINEPREFIX/desktop_keeper.log)" >&2
else
  echo "session.sh: $keeper is not built; GUI tests will each wait for the desktop to close" >&2
fi

"$@"
status=$?
exit $status
