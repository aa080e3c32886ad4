#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
# Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libfltk1.3-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
