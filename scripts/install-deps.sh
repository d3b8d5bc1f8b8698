#!/usr/bin/env bash
# Installs the Debian 12 packages Corvana needs to build, test and run.
# Only missing packages are installed; with everything present this does nothing.
#   scripts/install-deps.sh          build, test and run dependencies
#   scripts/install-deps.sh --dev    also Xvfb, xdotool, ImageMagick and tjbench (screenshots, benchmark peers),
#                                    the desktop-entry and AppStream validators and the packaging tools
#   scripts/install-deps.sh --fuzz   also clang and its libFuzzer runtime
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-qpa-plugins libqt6opengl6-dev qt6-svg-dev
  qt6-webengine-dev qt6-webchannel-dev qt6-pdf-dev
  qt6-multimedia-dev
  libjpeg62-turbo-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
)
for arg in "$@"; do
  case "$arg" in
    --dev) packages+=(xvfb xdotool imagemagick libjpeg-turbo-progs desktop-file-utils appstream dpkg-dev file) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "install-deps: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
