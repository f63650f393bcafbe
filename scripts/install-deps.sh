#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(cmake make g++ googletest mingw-w64 wine wine64 wine32:i386 xvfb xdotool
          imagemagick fonts-dejavu-core fonts-liberation fonts-wine binutils-mingw-w64-i686
          clang libclang-rt-14-dev gnuplot-nox valgrind file icoutils procps)

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

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Where the kernel refuses i386 programs, qemu-i386 stands in for it under 32-bit Wine (see
# qb_enter_win32_emulation in wine-env.sh). That needs qemu 8.1 or later: Debian 12 has 7.2, and
# its own backports suite has a newer one (only qemu-user is taken from there).
source "$(dirname "$0")/wine-env.sh"
if ! qb_can_run_win32 && ! qb_qemu_i386_usable; then
  release=()
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ "$codename" = bookworm ]; then
    if ! grep -rqs "bookworm-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
      echo "Adding Debian's bookworm-backports suite, for qemu-user"
      printf '%s\n' "Types: deb" "URIs: http://deb.debian.org/debian" "Suites: bookworm-backports" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
        $sudo tee /etc/apt/sources.list.d/debian-backports.sources >/dev/null
    fi
    release=(-t bookworm-backports)
  fi
  echo "Installing qemu-user, to run 32-bit Wine on this kernel"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${release[@]}" qemu-user >/dev/null
  qb_qemu_i386_usable || echo "qemu-i386 is older than 8.1: 32-bit Windows tests will be skipped." >&2
fi
