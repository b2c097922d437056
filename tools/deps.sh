#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
# Sourced by tools/play and tools/test. debian/control is the one list: the
# source's Build-Depends and the run-time plugins the game's package depends on.
set -euo pipefail

# The packages of one field of debian/control: the first alternative of each,
# without versions, architectures, build profiles or ${substitutions}.
# Usage: bulwarn_control_field FIELD [PACKAGE]  (no PACKAGE: the source stanza)
bulwarn_control_field() {
  local here
  here=$(dirname "${BASH_SOURCE[0]}")
  awk -v field="$1" -v pkg="${2-}" 'BEGIN { RS = "" }
    {
      gsub(/\n[ \t]+/, " ")  # continuation lines
      n = split($0, line, "\n")
      want = (pkg == "") ? (line[1] ~ /^Source:/) : 0
      for (i = 1; i <= n; i++) if (line[i] == "Package: " pkg) want = 1
      if (!want) next
      for (i = 1; i <= n; i++)
        if (index(line[i], field ":") == 1) print substr(line[i], length(field) + 2)
    }' "$here/../debian/control" |
    tr ',' '\n' |
    sed -e 's/|.*//; s/([^)]*)//g; s/\[[^]]*\]//g; s/<[^>]*>//g; s/:any//; s/[[:space:]]//g' |
    grep -v -e '^$' -e '^\$'
}

# build-essential brings the compiler and make (Debian's Build-Depends leave it
# out); debhelper goes with the packaging list below.
mapfile -t BULWARN_PACKAGES < <(
  echo build-essential
  bulwarn_control_field Build-Depends | grep -v '^debhelper-compat$'
  bulwarn_control_field Depends bulwarn)
# The tests also start their own X server, Wayland compositor and audio server.
BULWARN_TEST_PACKAGES=(xvfb weston pulseaudio)
# Building the Debian package and checking it (autopkgtest: tools/package --install).
BULWARN_PACKAGING_PACKAGES=(debhelper lintian autopkgtest)

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
