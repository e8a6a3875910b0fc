#!/usr/bin/env bash
# Runs one Windows program under Wine with the kit's test environment:
# a throw-away prefix under build/, the Japanese locale (ANSI code page 932;
# PAK_WINE_LANG names another, such as en_US.UTF-8 or ru_RU.UTF-8, for the
# runs of the programs in other languages) and quiet Wine logging. Used by CTest as the cross-compiling emulator.
# A display (Xvfb) and a running wineserver are provided by session.sh.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers; no winemenubuilder (it would write menu
# entries and file associations into the user's home for every prefix).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export LANG="${PAK_WINE_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
exec wine "$@"
