#!/usr/bin/env bash
# Installs the Debian packages Velkaro builds, runs and tests with, when any is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git clang-format clang-tidy cppcheck
  libsdl1.2-dev libsdl-image1.2-dev libsdl-gfx1.2-dev libsdl-ttf2.0-dev libsdl-mixer1.2-dev
  fonts-dejavu-core
  libgtest-dev clang libclang-rt-14-dev
  xvfb xdotool x11-apps x11-utils imagemagick libx11-dev
  dpkg-dev lintian desktop-file-utils appstream libsdl2-2.0-0
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
