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

# What making the Debian package needs besides a build: dpkg-dev
# (dpkg-buildflags, and dpkg-shlibdeps, which CPack asks for the package's
# dependencies), file (CPack finds the programs to give dpkg-shlibdeps with it)
# and lintian, which checks the package against Debian's policy.
PACKAGE_TOOLS=(dpkg-dev file lintian)

# Configures the tree the Debian package is made from: Release, installed
# under /usr, with the compiler and linker flags Debian builds its own packages
# with (dpkg-buildflags with every hardening feature: fortified functions,
# stack protector, full RELRO, bind-now), without tests, tools or benchmarks.
configure_package_build() {
    local build="$1"
    (
        # dpkg-buildflags maps the current folder to "." (in the source file
        # names the program keeps), so the build reads the same from any checkout.
        cd "$ROOT" || exit 1
        export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
        # No debugging information: the package ships the program stripped.
        export DEB_CXXFLAGS_MAINT_STRIP="-g"
        cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
              -DORVANE_SANITIZE=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_TOOLS=OFF -DORVANE_BUILD_BENCH=OFF \
              -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
              -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
    )
}
