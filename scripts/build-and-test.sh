#!/usr/bin/env bash
# Builds everything and runs every test: the format check, the normal build (warnings as
# errors), an optimised build of the programs without Qt (warnings as errors) and a build of
# the core tests with AddressSanitizer + UndefinedBehaviorSanitizer.
# Usage: scripts/build-and-test.sh        (from anywhere; installs missing packages first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
export LANG=C.UTF-8
jobs=$(nproc)

start=$SECONDS
phase() { echo "== $* (at $((SECONDS - start)) s)"; }

# Every C++ file as .clang-format lays it out (clang-format 14, the version the layout was
# made with).
phase "format (clang-format 14)"
find src host tools tests \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format-14 --dry-run --Werror

# Every build here starts from scratch: each target's files are compiled eight to a unit,
# which more than halves the time (the headers are parsed once per unit, not once per file).
unity=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8)

# Unoptimised and without debug information: the quickest build to run every test with.
phase "build (warnings as errors)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=None -DPLUG528_WERROR=ON "${unity[@]}" >/dev/null
cmake --build build -j "$jobs"
phase "tests"
ctest --test-dir build --output-on-failure -j "$jobs"

phase "Debian package: build, unpack, run"
bash scripts/check-package.sh build

# The optimiser sees more than the unoptimised build (flow-based warnings): the programs and
# libraries without Qt, as shipped (Release, -O3), warnings as errors. Its tests are the
# ones above; they are not built again here, to keep the run short.
phase "Release build of the programs without Qt (warnings as errors)"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUG528_WERROR=ON \
  -DPLUG528_WITH_QT=OFF -DPLUG528_BENCHMARKS=OFF "${unity[@]}" >/dev/null
cmake --build build-release -j "$jobs" --target simdist chrmgen chrm-inspect chrm-import \
  plug528-aia-convert plug528 plug528ENU p528_grid_rules p528_aia_format

# Unoptimised: compiling at -O1 costs more than the tests then save in running.
phase "core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DPLUG528_WERROR=ON \
  -DPLUG528_SANITIZE=ON -DPLUG528_WITH_QT=OFF -DPLUG528_BENCHMARKS=OFF "${unity[@]}" >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [ -x scripts/fuzz.sh ]; then
  # A short run per reader (30, 15 and 10 s) to catch what a change broke; longer runs by
  # hand with the script's defaults.
  phase "fuzzing the file readers (bounded)"
  bash scripts/fuzz.sh 30 15 10
fi
phase "all tests passed"
