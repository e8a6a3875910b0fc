#!/usr/bin/env bash
# Prepares the Wine prefix of the test session for the wizard's GUI tests:
# windows are left unmanaged ("Managed" = "N" for the X11 driver). Without a
# window manager on the Xvfb display, Wine otherwise waits about two seconds
# for a window manager's answer whenever a managed window (every dialog) is
# hidden or destroyed; unmanaged windows also get their caption and frame
# drawn by Wine itself, so screenshots show what a user sees.
# Runs inside tests/wine/session.sh (WINEPREFIX and the display are set).
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
