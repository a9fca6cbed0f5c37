#!/bin/sh
# Copies the pictures of the window that the window tests save in BUILD/artifacts
# (default build/) into docs/images, where the manual takes them from at its next build.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
found=0
mkdir -p "$root/docs/images"
for picture in "$build"/artifacts/*.png; do
    [ -f "$picture" ] || continue
    cp "$picture" "$root/docs/images/"
    found=$((found + 1))
done
if [ "$found" -eq 0 ]; then
    echo "no pictures in $build/artifacts: run the window tests first" >&2
    exit 1
fi
echo "copied $found picture(s) into docs/images; rebuild to lay out the manual with them"
