#!/usr/bin/env bash
# Regenerates the bundled demo sets under data/demo with the chromatogram set generator:
#   data/demo/gasoil      calibration, blank, check mixture, reference gas oil (lot 1) and three
#                         parallel analyses of a diesel fuel (ASTM D 2887 A, GOST R 56720 A,
#                         GOST ISO 3924);
#   data/demo/condensate  calibration, blank, three analyses of a stable gas condensate and three
#                         runs with an internal standard (GOST R 56720 B, GOST R 54291);
#   data/demo/heavy       calibration, blank and three analyses of a heavy gas oil whose elution
#                         ends past 538 °C.
# The output is deterministic: the same bytes every time, except the assay databases
# (each set's assays.db and data/demo/assays.db over all three), which hold the folders' full
# paths and are therefore not kept in the repository.
#
# Usage: scripts/make-demo.sh [BUILD_DIR]
#   BUILD_DIR: a configured build folder to build chrmgen in (default: build if configured,
#   otherwise build-demo, configured here without Qt). CHRMGEN=/path/to/chrmgen skips building.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
chrmgen=${CHRMGEN:-}
if [ -z "$chrmgen" ]; then
  build=${1:-}
  if [ -z "$build" ]; then
    if [ -f "$root/build/CMakeCache.txt" ]; then build=$root/build; else build=$root/build-demo; fi
  fi
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPLUG528_WITH_QT=OFF -DPLUG528_BENCHMARKS=OFF >/dev/null
  fi
  cmake --build "$build" --target chrmgen >/dev/null
  chrmgen=$build/tools/chrmgen/chrmgen
fi

demo=$root/data/demo
sets=(gasoil condensate heavy)
for scenario in "${sets[@]}"; do
  rm -rf "${demo:?}/$scenario"
  # 40-minute runs sampled at 5 Hz keep the three sets near 1 MB together.
  "$chrmgen" generate "$scenario" "$demo/$scenario" --seed 528 --step 1/300 \
    --components "$root/data/tqle528data.csv"
done
rm -f "$demo/assays.db"
"$chrmgen" index --db "$demo/assays.db" "${sets[@]/#/$demo/}"
