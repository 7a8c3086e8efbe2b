#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and run Kestrune:
# the MinGW-w64 cross compiler, Wine (32-bit), Xvfb and GoogleTest's sources.
# Does nothing when everything is already there.
set -euo pipefail

packages=(cmake g++-mingw-w64-i686 wine wine32:i386 xvfb xauth googletest)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
