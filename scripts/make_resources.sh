#!/bin/sh
# Regenerates the templates in resources/conf and resources/style with the
# program's own writers. Needs a built core library: BUILD defaults to build/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
c++ -std=c++20 -fPIC -I"$root/src" $(pkg-config --cflags Qt6Core Qt6Gui) \
    "$root/scripts/make_resources.cpp" "$build/src/libkorbena_core.a" \
    $(pkg-config --libs Qt6Svg Qt6Gui Qt6Core) -o "$out/make_resources"
"$out/make_resources" "$root/resources"
