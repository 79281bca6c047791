#!/usr/bin/env bash
# Pictures of the desktop host in both languages: its main window with the demo sets
# imported, the assay chooser (with a few assays selected), the chromatogram viewer, the
# plug-in's calculation window opened from the host's menu over the imported gas oil set,
# the role question of an import of AIA files (a generated set), and the summary window of
# a day's sequence (a generated one) processed in one command; and, where xvfb-run is
# installed, the whole screen with the host window raised over the open calculation window.
# Drawn headless (offscreen, or Xvfb for the whole screen) by the host's own scripted actions.
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

  # The whole screen (a display of 1280 x 720 under Xvfb): the host window brought to the
  # front over the open calculation window, which keeps nothing above the host's.
  if command -v xvfb-run >/dev/null; then
    cat > "$work/script" <<SCRIPT
import $root/data/demo/gasoil
menu $menu
answer-chooser all
click 1000
wait 300
screen-picture $out/host-screen-calculation-$lang.png
raise main
wait 300
place main
place 102
screen-picture $out/host-screen-raised-$lang.png
SCRIPT
    XDG_RUNTIME_DIR="$work" LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1280x720x24" env QT_QPA_PLATFORM=xcb \
      "$host" --lang "$lang" --db "$work/screen.db" --data "$work/screen-data" --profile "$work/screen.profile" \
      --script "$work/script" "$plugin" 2>/dev/null | grep -E '^(picture|place|error|script)' || true
  fi

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
