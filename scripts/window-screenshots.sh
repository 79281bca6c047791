#!/usr/bin/env bash
# window-screenshots.sh [OUT]: pictures of the main window over the demo set under Xvfb (a
# real X server): each of the eight result pages and both enlarged chart dialogs, in
# Russian and in English; then the dialogs and the report as the viewer shows it
# (OUT/dialogs, scripts/dialog-screenshots.sh) and the desktop host's main window, chooser,
# viewer and the calculation window opened from its menu (OUT/host,
# scripts/host-screenshots.sh). Build folder: $BUILD (default: build). Output: OUT
# (default: $BUILD/window-screenshots). Not part of the tests: look at the pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
out=${1:-$build/window-screenshots}
export LANG=C.UTF-8

if ! command -v xvfb-run >/dev/null 2>&1; then
  bash "$root/scripts/install-deps.sh" >&2
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None >/dev/null
fi
cmake --build "$build" -j2 --target window-shots dialog-pictures chrmgen simdist plug528-host plug528 plug528ENU >/dev/null
mkdir -p "$out"
for lang in ru en; do
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1400x900x24" \
    "$build/tools/window-shots/window-shots" "$out" "$lang"
done
BUILD=$build bash "$root/scripts/dialog-screenshots.sh" "$out/dialogs"
BUILD=$build bash "$root/scripts/host-screenshots.sh" "$out/host"
echo "screenshots in $out"
