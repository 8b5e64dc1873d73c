#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those still missing),
# then configures and builds the project in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6 qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra xvfb xauth
  qt6-translations-l10n
  xdotool imagemagick
  dpkg-dev lintian desktop-file-utils shared-mime-info libglib2.0-bin
  poppler-utils util-linux
  libsodium-dev
  python3
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build ${VT_CMAKE_ARGS:-} -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build build -j"$(nproc)"
