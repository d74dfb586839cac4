#!/bin/sh
# Draws the guide's pictures again from the real program on the sample kennel, after a screen
# has changed: docs/guide/make-pictures.sh [build folder, build/test by default]
set -e
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/test}" && pwd)
cmake --build "$build" --target houndry-sample houndry-guide-pictures
kennel=$(mktemp -d)
trap 'rm -rf "$kennel"' EXIT
cd "$kennel"
"$build/sample/houndry-sample"
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$build/sample/houndry-guide-pictures" "$top/docs/guide/images"
