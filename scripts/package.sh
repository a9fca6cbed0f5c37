#!/usr/bin/env bash
# Builds the Debian package of Korbena: a release build installed under /usr, packed
# by CPack into build-package/package/korbena_VERSION_ARCH.deb, then checked: its
# file list and its dependencies.
#   BUILD=dir scripts/package.sh   (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${BUILD:-build-package}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DKORBENA_BUILD_GUI=ON -DKORBENA_BUILD_TESTS=OFF -DKORBENA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/package/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/*.deb)
tests/install/package_check.sh "$deb" "$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
echo "Package: $deb"
echo "Install it with: sudo apt install ./$deb"
