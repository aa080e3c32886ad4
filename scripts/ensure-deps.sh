#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing and the benchmarks need,
# when missing: this is the one list of them. Uses sudo when not run as root.
set -euo pipefail

packages=(
  # Building: the core, the viewer (FLTK, OpenGL, GLU, freeglut) and GDAL.
  build-essential cmake pkg-config
  libfltk1.3-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
  libgdal-dev
  libgtest-dev
  # The GUI tests: a virtual X server (xvfb-run needs xauth) with software GL, xdotool
  # to click, xwd to take screenshots and ImageMagick's convert to read them.
  xvfb xauth libgl1-mesa-dri xdotool x11-apps imagemagick
  # The fuzzer: clang with libFuzzer.
  clang libclang-rt-14-dev
  # The install test: the desktop entry's validator and groff for the manual page.
  desktop-file-utils groff-base
  # The load benchmark: GDAL's gdal_translate to compare with, GNU time for peak memory.
  gdal-bin time
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
