#!/usr/bin/env bash
# Installs, from Debian's archive, every package that building, running and
# testing the game needs. Idempotent: only missing packages are fetched.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  libgl-dev libjpeg62-turbo
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  zlib1g-dev liblz4-dev
  clang libclang-rt-14-dev
  desktop-file-utils xvfb xauth openbox xdotool x11-utils
  appstream groff-base man-db   # checking the metainfo and manual pages
  dpkg-dev file                 # make deb: dpkg-shlibdeps and the ELF check
  dbus at-spi2-core python3-pyatspi  # reading the program as a screen reader does
  qt6-l10n-tools python3        # lupdate and lrelease for the translations, and their check
  qt6-translations-l10n         # Qt's own texts (standard dialogs) in the player's language
  libgloox-dev qtkeychain-qt6-dev prosody  # the internet lobby's room, and a room server for its tests
  libminiupnpc-dev miniupnpd nftables iproute2  # asking the router for a port, and a router for its tests
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
