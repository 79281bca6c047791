#!/usr/bin/env bash
# Pictures of the desktop host in both languages: its main window with the demo sets
# imported, the assay chooser (with a few assays selected) and the chromatogram viewer.
# Drawn headless (offscreen) by the host's own scripted actions; no display needed.
# Usage: BUILD=build scripts/host-screenshots.sh [OUT_FOLDER]   (default: $BUILD/host-screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-$root/build}" && pwd)
out=${1:-$build/host-screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake --build "$build" --target plug528-host plug528 plug528ENU >/dev/null
host=$build/host/app/plug528-host
plugin=$(find "$build" -name libplug528.so -path '*src/plugin*' | head -n 1)

for lang in ru en; do
  menu="Данные/Расчёты/Имитированная дистилляция нефти"
  if [ "$lang" = en ]; then menu="Data/Calculations/Simulated Distillation of Petroleum"; fi
  work=$(mktemp -d)
  cat > "$work/script" <<SCRIPT
import $root/data/demo
menu $menu
picture main $out/host-main-$lang.png
answer-chooser 11,12,13 picture $out/host-chooser-$lang.png
choose
open 11
picture viewer $out/host-viewer-$lang.png
SCRIPT
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" LANG=C.UTF-8 "$host" --lang "$lang" \
    --db "$work/assays.db" --data "$work/data" --profile "$work/profile" --script "$work/script" \
    "$plugin" 2>/dev/null | grep -E '^(picture|chosen|error|script)' || true
  rm -rf "$work"
done
ls -1 "$out"/host-*.png
