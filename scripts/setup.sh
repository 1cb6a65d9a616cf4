#!/usr/bin/env bash
# Installs what Kelvane needs on Debian 12 and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-pdf-dev qt6-qpa-plugins
          libxlsxwriter-dev libsqlite3-dev libgl-dev
          fonts-noto-cjk poppler-utils unzip)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --parallel "$(nproc)"
