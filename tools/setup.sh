#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and run Kestrune:
# the MinGW-w64 cross compilers, Wine, Xvfb, GoogleTest's sources and the
# help compiler chmcmd (fp-utils).
# 32-bit Wine where the machine runs 32-bit code; otherwise 64-bit Wine and
# the 64-bit cross compiler for the build the tests run (see common.sh).
# Does nothing when everything is already there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

packages=(cmake g++-mingw-w64-i686 wine xvfb xauth googletest fp-utils)
if [ "$KESTRUNE_ARCH" = i686 ]; then
    packages+=(wine32:i386)
else
    packages+=(g++-mingw-w64-x86-64 wine64)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

echo "Installing: ${missing[*]}"
if [ "$KESTRUNE_ARCH" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
