#!/usr/bin/env bash
# Installs the Debian packages Korbena needs to build and test, only those missing.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
    fonts-ipafont-gothic fonts-ipafont-mincho fontconfig
    libgtest-dev libbenchmark-dev libzxing-dev libquazip1-qt6-dev libzint-dev
    clang libclang-rt-14-dev
    python3-zxing-cpp python3-pil python3-numpy zbar-tools zint poppler-utils librsvg2-bin
    desktop-file-utils libxml2-utils shared-mime-info
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A font package may repoint the Japanese font aliases without the font folders changing:
# rebuild fontconfig's cache so that every face resolves to the file it names.
if command -v fc-cache >/dev/null 2>&1; then
    fc-cache -f >/dev/null 2>&1 || true
fi
