#!/usr/bin/env bash
# Builds Korbena and runs its main job. With a display it opens the program;
# without one it prints the default sheet of labels to sheet.pdf with korbena-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORBENA_BUILD_TESTS=OFF -DKORBENA_BUILD_BENCH=OFF -DKORBENA_BUILD_GUI=ON >/dev/null
cmake --build build -j"$(nproc)"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec build/bin/korbena "$@"
fi
build/bin/korbena-cli print --out sheet.pdf
echo "No display: printed the default sheet of labels to sheet.pdf with korbena-cli (run build/bin/korbena on a desktop)."
