#!/usr/bin/env bash
# Installs what building and testing the kit needs on a Debian machine:
# compilers for Linux and both Windows targets, GoogleTest, Wine, Xvfb, the
# ja_JP, en_US and ru_RU UTF-8 locales and a Japanese font, ccache, clang with
# its libFuzzer runtime, and what packing and checking the release bundle
# needs (dpkg-dev for the Debian package's dependencies, lintian for its
# check, man-db and groff-base to render the manual pages, python3 to read
# the SARIF logs of the continuous-integration guide).
# Does nothing that is already done.
#
#   scripts/setup-deps.sh           everything above
#   scripts/setup-deps.sh --native  only what building the native programs
#                                   needs (cmake, make, g++, nlohmann-json3-dev),
#                                   as demo.sh uses
set -euo pipefail

native_packages=(cmake make g++ nlohmann-json3-dev)
packages=("${native_packages[@]}" libgtest-dev libgmock-dev googletest
          mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
          wine wine64 xvfb x11-apps xauth imagemagick locales fonts-ipafont-gothic
          fonts-wine time ccache dpkg-dev lintian man-db groff-base
          clang libclang-rt-14-dev python3 neovim)
case "${1:-}" in
  --native) packages=("${native_packages[@]}") ;;
  "") ;;
  *) echo "usage: $0 [--native]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
[ "${1:-}" != --native ] || exit 0
# The Wine tests run the programs under Japanese (the default), English and
# Russian locales.
for loc in ja_JP en_US ru_RU; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    echo "Generating the $loc.UTF-8 locale"
    $SUDO sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    generate=1
  fi
done
if [ -n "${generate:-}" ]; then $SUDO locale-gen >/dev/null; fi
# Wine draws the title-bar buttons with Marlett; fonts-wine ships it, but this
# Wine build does not pick up its own font folder, so make it visible through
# fontconfig.
if [ -f /usr/share/wine/fonts/marlett.ttf ] && ! fc-list 2>/dev/null | grep -qi marlett; then
  echo "Making Wine's Marlett font visible to fontconfig"
  $SUDO mkdir -p /usr/local/share/fonts/wine
  $SUDO ln -sf /usr/share/wine/fonts/marlett.ttf /usr/local/share/fonts/wine/marlett.ttf
  $SUDO fc-cache -f /usr/local/share/fonts >/dev/null 2>&1 || true
fi
