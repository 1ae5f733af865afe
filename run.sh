#!/usr/bin/env bash
# Builds Nivar and starts the desktop program; without a display it proves the bundled
# example with the console prover instead. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [ -x build/src/ui/nivar ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/src/ui/nivar "$@"
fi
if [ -x build/src/ui/nivar ]; then
    echo "No display is available: proving examples/overview.txt with nivar-prove instead."
fi
exec build/src/cli/nivar-prove examples/overview.txt
