#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, skipping those already
# installed. Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libgl-dev mesa-common-dev libgl1-mesa-dri
    qt6-base-dev libqt6opengl6-dev qt6-translations-l10n
    xvfb xauth locales
    clang libclang-rt-14-dev clang-tidy clang-format
    libocct-data-exchange-dev libtbb-dev
    pybind11-dev python3-dev python3-pytest python3-numpy python3-matplotlib
    python3-build python3-skbuild python3-venv
    help2man desktop-file-utils dpkg-dev lintian
    libcli11-dev nlohmann-json3-dev libeigen3-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
else
    SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
