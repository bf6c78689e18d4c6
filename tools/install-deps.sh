#!/usr/bin/env bash
# Installs the Debian packages the builds, tests and demo need, when missing,
# and the Korean locale that Wine reads its ANSI code page from.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb x11-utils xdotool imagemagick
  fonts-nanum fonts-baekmuk locales util-linux
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ! locale -a 2>/dev/null | grep -qi '^ko_KR.utf8$'; then
  grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen ko_KR.UTF-8 >/dev/null
fi
