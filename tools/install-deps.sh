#!/usr/bin/env bash
# Installs the Debian packages the clock needs to build, run, test and regenerate
# its media. Idempotent: does nothing when every package is already there.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libjpeg62-turbo-dev libpulse-dev libx11-dev libxcb1-dev libxcb-shape0-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  # run time
  fonts-wqy-zenhei qt6-translations-l10n
  # desktop tests
  xvfb openbox trayer xdotool x11-utils x11-apps imagemagick
  pulseaudio pulseaudio-utils sox faketime
  # other desktops: a Wayland session with Xwayland, several monitors
  weston xwayland qt6-wayland x11-xserver-utils
  # install and package tests
  desktop-file-utils appstream dpkg-dev lintian
  # media generation
  espeak-ng python3-pil fonts-urw-base35 fonts-noto-color-emoji
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "installing: ${missing[*]}"
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
