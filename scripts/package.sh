#!/usr/bin/env bash
# Installs what is missing, builds the editor for the Debian package (Release,
# under /usr, with Debian's hardening flags: see configure_package_build in
# common.sh), makes orvane-map-editor_<version>_<arch>.deb with CPack, has
# lintian check it and prints where it is.
#   scripts/package.sh [build folder]        (default: build-package)
# Install it with `sudo apt install ./<file>.deb`, remove it with
# `sudo apt remove orvane-map-editor`; scripts/check-package.sh tries both on a
# fresh Debian 12 system.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}"

BUILD="$(realpath -m "${1:-$ROOT/build-package}")"
configure_package_build "$BUILD"
cmake --build "$BUILD" -j"$(nproc)"

# cpack names the file from cmake/Program.cmake's version and the machine's
# architecture, and says where it wrote it.
(cd "$BUILD" && cpack) | tee "$BUILD/cpack.log"
DEB="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$BUILD/cpack.log")"
if [ ! -f "$DEB" ]; then
    echo "cpack did not say where it wrote the package" >&2
    exit 1
fi

# Errors and warnings fail; the informational tags are shown too.
lintian --display-info --fail-on error,warning "$DEB"

echo "Package: $DEB"
