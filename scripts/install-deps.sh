#!/usr/bin/env bash
# Installs, from Debian's packages, whatever Tessaly needs to build, run and
# test that this machine lacks. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-dev clang-format clang-tidy
  fonts-wqy-microhei fonts-dejavu-core
  fonts-wine fonts-liberation2 fonts-arphic-uming libuchardet-dev
  fonts-liberation fonts-crosextra-carlito fonts-crosextra-caladea
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-baekmuk
  xvfb xauth
  python3-pefile
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
