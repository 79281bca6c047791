#!/usr/bin/env bash
# Pictures of the desktop host in both languages: its main window with the demo sets
# imported, the assay chooser (with a few assays selected), the chromatogram viewer, the
# plug-in's calculation window opened from the host's menu over the imported gas oil set,
# the role question of an import of AIA files (a generated set), and the summary window of
# a day's sequence (a generated one) processed in one command.
# Drawn headless (offscreen) by the host's own scripted actions; no display needed.
# Usage: BUILD=build scripts/host-screenshots.sh [OUT_FOLDER]   (default: $BUILD/host-screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-$root/build}" && pwd)
out=${1:-$build/host-screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake --build "$build" --target plug528-host plug528 plug528ENU chrmgen simdist >/dev/null
host=$build/host/app/plug528-host
chrmgen=$build/tools/chrmgen/chrmgen
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
  run_host() {
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" LANG=C.UTF-8 "$host" --lang "$lang" \
      --db "$work/$1.db" --data "$work/$1-data" --profile "$work/$1.profile" --script "$work/script" \
      "$plugin" 2>/dev/null | grep -E '^(picture|chosen|error|script|imported)' || true
  }
  run_host demo

  # The calculation window over the gas oil set alone (the chooser answered with all of it).
  cat > "$work/script" <<SCRIPT
import $root/data/demo/gasoil
menu $menu
answer-chooser all
click 1000
picture 102 $out/host-plugin-window-$lang.png
SCRIPT
  run_host window

  "$chrmgen" generate gasoil "$work/aia" --aia --no-db >/dev/null
  cat > "$work/script" <<SCRIPT
profile-set-text plug528-host\\aia_role_rules\\1 check проверочн
profile-set-text plug528-host\\aia_role_rules\\2 calibration парафин
answer-role rules picture $out/host-aia-role-$lang.png
import $work/aia/02_calibration.cdf $work/aia/03_check.cdf
SCRIPT
  run_host aia

  sequence="Анализ/Обработать последовательность…"
  if [ "$lang" = en ]; then sequence="Assay/Process as a sequence…"; fi
  "$chrmgen" generate gasoil "$work/day" --sequence 4x2 >/dev/null
  cat > "$work/script" <<SCRIPT
import $work/day
profile-set-text plugins\\plug528\\settings\\time_C1 0.528
profile-set-text plugins\\plug528\\settings\\time_C2 0.555
profile-set-text plugins\\plug528\\settings\\time_C3 0.640
profile-set-text plugins\\plug528\\settings\\time_C4 2.168
menu $sequence
picture sequenceSummary $out/host-sequence-$lang.png
SCRIPT
  run_host sequence
  rm -rf "$work"
done
ls -1 "$out"/host-*.png
