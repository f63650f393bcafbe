#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(cmake make g++ googletest mingw-w64 wine wine64 wine32:i386 xvfb xdotool
          imagemagick fonts-dejavu-core fonts-liberation binutils-mingw-w64-i686
          clang libclang-rt-14-dev gnuplot-nox file icoutils)

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}
  if [ "$arch" = "$p" ]; then query="$name"; else query="$name:$arch"; fi
  if ! dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
