#!/usr/bin/env bash
# The main job: installs what is missing, builds the command line, makes sure the demo set is
# there (generating it when needed), and runs `simdist calc` on it as a laboratory would: the
# set's assays chosen by id from an assay database, the analysis settings of the set typed
# in, the readable summary printed, every result also written as JSON, and the report of
# every section written as HTML (its charts drawn offscreen with Qt).
#
# Usage: scripts/demo.sh [gasoil|condensate|heavy] [more simdist calc options...]
#   default set: gasoil (ASTM D 2887 method A, the method stored in the set's manifest).
#   Output files: build-demo/demo/<set>.json, build-demo/demo/<set>.html (the report); the
#   profile of the run: build-demo/demo/profile.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scenario=${1:-gasoil}
if [ $# -gt 0 ]; then shift; fi
case "$scenario" in
  gasoil|condensate|heavy) ;;
  *) echo "demo.sh: unknown demo set \"$scenario\" (gasoil, condensate or heavy)" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh >&2
export LANG=C.UTF-8

build=$root/build-demo
if [ ! -f "$build/CMakeCache.txt" ] || grep -q '^PLUG528_WITH_QT:BOOL=OFF' "$build/CMakeCache.txt"; then
  echo "== configuring $build" >&2
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUG528_WITH_QT=ON \
    -DPLUG528_BENCHMARKS=OFF >/dev/null
fi
echo "== building simdist and chrmgen" >&2
cmake --build "$build" -j "$(nproc)" --target simdist chrmgen >/dev/null
simdist=$build/tools/simdist/simdist
chrmgen=$build/tools/chrmgen/chrmgen

set_folder=$root/data/demo/$scenario
if [ ! -f "$set_folder/manifest.json" ]; then
  echo "== generating the demo sets" >&2
  CHRMGEN=$chrmgen bash scripts/make-demo.sh >&2
fi

# An assay database with this checkout's paths, and a fresh profile for the run.
work=$build/demo
mkdir -p "$work"
database=$work/assays.db
rm -f "$database" "$work/profile"
"$chrmgen" index --db "$database" "$set_folder" >/dev/null
ids=$(tail -n +2 "$set_folder/assays.txt" | cut -f1 | paste -sd, -)

# The analysis settings the set was made for, from its manifest ("key": "value" lines of its
# "settings" object), as simdist options.
settings=()
while IFS='|' read -r key value; do
  case "$key" in
    method) option=--method ;;
    TimeStartSample) option=--time-start ;;
    start_mark) option=--start-mark ;;
    step_mark) option=--step-mark ;;
    StepPercent) option=--step-percent ;;
    SampleMass) option=--sample-mass ;;
    StdMass) option=--std-mass ;;
    H2SPercent) option=--h2s ;;
    MercaptanPercent) option=--mercaptan ;;
    WaterPercent) option=--water ;;
    type_ref_gasoil) option=--reference ;;
    time_C1) option=--c1 ;;
    time_C2) option=--c2 ;;
    time_C3) option=--c3 ;;
    time_C4) option=--c4 ;;
    *) continue ;;
  esac
  if [ -n "$value" ]; then settings+=("$option" "$value"); fi
done < <(sed -n '/"settings": {/,/}/s/^ *"\([A-Za-z0-9_]*\)": "\([^"]*\)".*/\1|\2/p' "$set_folder/manifest.json")

echo "== simdist calc on data/demo/$scenario (assays $ids)" >&2
"$simdist" calc --profile "$work/profile" --no-restore --db "$database" --ids "$ids" \
  "${settings[@]}" --json "$work/$scenario.json" --report "$work/$scenario.html" --sections all "$@"
echo "== results as JSON: $work/$scenario.json" >&2
echo "== report: $work/$scenario.html" >&2
