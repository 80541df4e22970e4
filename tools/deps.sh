#!/usr/bin/env bash
# Installs what building and testing Quillory needs on Debian 12; does nothing when it is there.
set -euo pipefail

packages=(
  cmake g++ make googletest clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb fonts-wine imagemagick x11-utils util-linux pulseaudio
  # The decoder tests' sound files, and what Wine's Media Foundation decodes them with.
  ffmpeg gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-libav
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "deps: missing ${missing[*]}; run as root to install them" >&2
    exit 1
  fi
  echo "deps: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
