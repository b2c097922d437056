#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
# Sourced by tools/play and tools/test.
set -euo pipefail

BULWARN_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins qt6-wayland libqt6svg6 libpulse-dev libxcb1-dev
  fonts-dejavu-core
)
# The tests also start their own X server, Wayland compositor and audio server.
BULWARN_TEST_PACKAGES=(libgtest-dev libgmock-dev xvfb weston pulseaudio)

bulwarn_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}
