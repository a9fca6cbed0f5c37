#!/usr/bin/env bash
# Builds Korbena and runs its main job. With a display it opens the program;
# without one it draws the main window's symbol with korbena-cli into korbena-demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORBENA_BUILD_TESTS=OFF -DKORBENA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec build/bin/korbena "$@"
fi
build/bin/korbena-cli barcode --type JAN --code 494612200092 --text on --json --out korbena-demo.png
echo "No display: wrote korbena-demo.png with korbena-cli (run build/bin/korbena on a desktop)."
