#!/usr/bin/env bash
# Installs what building and testing ZEL Setup needs on Debian 12 (run as root).
# Idempotent: packages already present are left alone.
set -euo pipefail
packages=(
  cmake make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  libgtest-dev libgmock-dev googletest libbenchmark-dev zlib1g-dev
  wine wine32 xvfb xauth x11-utils imagemagick procps mtools
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing+=(wine32)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
