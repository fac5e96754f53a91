#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release), makes a demo cartridge
# the first time (later runs keep it, with whatever edits were saved into it)
# and starts the editor in the demo's folder, so the open dialog shows it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"

BUILD="$ROOT/build-release"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

DEMO_DIR="$BUILD/demo"
mkdir -p "$DEMO_DIR"
DEMO="$DEMO_DIR/Orvane II Demo.nes"
if [ -e "$DEMO" ]; then
    echo "Demo cartridge (kept as it is): $DEMO"
elif [ -x "$BUILD/tools/make-demo-cartridge/make-demo-cartridge" ]; then
    "$BUILD/tools/make-demo-cartridge/make-demo-cartridge" "$DEMO"
    echo "Demo cartridge: $DEMO"
fi

cd "$DEMO_DIR"
exec "$BUILD/orvane-map-editor" "$@"
