# Shared by the project's scripts: installs what is missing, nothing more.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Installs every named Debian package that dpkg does not report as installed.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What every build needs: a compiler, CMake and Ninja, Qt 6 Widgets (whose CMake
# package also wants the OpenGL headers), zlib (the CRC-32 of patches) and the
# faces the windows ask for.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libglx-dev libopengl-dev
                zlib1g-dev fonts-liberation fonts-dejavu-core)
