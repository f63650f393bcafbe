#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need.
# Safe to run again: it only asks apt for what is missing.
set -euo pipefail

packages=(cmake make g++ googletest mingw-w64 wine wine64 wine32:i386 xvfb xdotool
          imagemagick fonts-dejavu-core fonts-liberation fonts-cantarell fonts-wqy-microhei fonts-wine
          binutils-mingw-w64-i686 gnuplot-nox file icoutils procps zip unzip python3
          python3-fonttools x11-xkb-utils)

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

# The mirror of the machine's own configured Debian sources that serves the release's main suite
# (not the security one): its first URI, from deb822 .sources files or one-line .list files.
qb_main_mirror() {
  local codename=$1 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v suite="$codename" '
      BEGIN { RS = ""; FS = "\n" }
      {
        uris = ""; hit = 0; enabled = 1
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { sub(/^URIs:[ \t]*/, "", $i); split($i, u, /[ \t]+/); uris = u[1] }
          if ($i ~ /^Suites:/) { n = split($i, s, /[ \t]+/); for (j = 2; j <= n; j++) if (s[j] == suite) hit = 1 }
          if ($i ~ /^Enabled:[ \t]*no/) enabled = 0
        }
        if (hit && enabled && uris != "") { print uris; exit }
      }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n -E "s/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+$codename[[:space:]].*/\2/p" "$file"
  done
}

# Where the kernel refuses i386 programs, qemu-i386 stands in for it under 32-bit Wine (see
# qb_enter_win32_emulation in wine-env.sh). That needs qemu 8.1 or later: Debian 12 has 7.2, and
# its own backports suite has a newer one (only qemu-user is taken from there), added to the
# mirror the machine already uses. Where that mirror has no backports, the 32-bit tests are skipped.
source "$(dirname "$0")/wine-env.sh"
if ! qb_can_run_win32 && ! qb_qemu_i386_usable; then
  release=()
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  backports=/etc/apt/sources.list.d/quillbox-backports.sources
  if [ -n "$codename" ] && ! grep -rqs -- "$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    mirror=$(qb_main_mirror "$codename" | head -n 1)
    if [ -n "$mirror" ]; then
      echo "Adding the $codename-backports suite of $mirror, for qemu-user"
      printf '%s\n' "Types: deb" "URIs: $mirror" "Suites: $codename-backports" \
        "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
        $sudo tee "$backports" >/dev/null
      if ! $sudo apt-get update -qq; then
        echo "That mirror does not serve $codename-backports: going on without it." >&2
        $sudo rm -f "$backports"
        $sudo apt-get update -qq || true
      fi
    fi
  fi
  if grep -rqs -- "$codename-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    release=(-t "$codename-backports")
    echo "Installing qemu-user, to run 32-bit Wine on this kernel"
    $sudo apt-get update -qq || true
    $sudo apt-get install -y -qq --no-install-recommends "${release[@]}" qemu-user >/dev/null ||
      echo "qemu-user could not be installed from $codename-backports." >&2
  fi
  qb_qemu_i386_usable || echo "No qemu-i386 of 8.1 or later: 32-bit Windows tests will be skipped." >&2
fi
