#!/usr/bin/env bash
# Fuzzes the chromatogram-file reader, the AIA importer and the text export reader for a
# bounded time each with libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer),
# starting from the seed corpora in tests/fuzz/corpus, tests/fuzz/aia_corpus and
# tests/fuzz/text_corpus.
# A crash, sanitizer report, leak, hang or oversized allocation fails the script; the input
# that caused it is left in <build>/fuzz-findings/ (keep it as a regression test under
# tests/chromatogram/regressions once the fault is fixed).
# Usage: scripts/fuzz.sh [seconds [aia-seconds [text-seconds]]]   (defaults 60, 20 and 15; build
# folder build-fuzz, or $PLUG528_FUZZ_BUILD)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
aia_seconds=${2:-20}
text_seconds=${3:-15}
build=${PLUG528_FUZZ_BUILD:-$root/build-fuzz}
export LANG=C.UTF-8

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLUG528_FUZZ=ON -DPLUG528_SANITIZE=ON -DPLUG528_WITH_QT=OFF -DPLUG528_BENCHMARKS=OFF \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8 >/dev/null
cmake --build "$build" --target chrm_file_fuzz aia_import_fuzz text_export_fuzz -j "$(nproc)"

# New inputs go to a working corpus in the build folder; the repository's seeds are read only.
work="$build/fuzz-corpus"
findings="$build/fuzz-findings"
mkdir -p "$work" "$findings"
# The chromatogram-file fuzzer runs on one core while the other two take the other core in
# turn; its output goes to a log, shown when it ends.
echo "fuzz: chrm_file_fuzz for ${seconds} s (beside the others; log $build/fuzz-chrm.log)"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/tests/fuzz/chrm_file_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -dict="$root/tests/fuzz/chrm_file.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$work" "$root/tests/fuzz/corpus" >"$build/fuzz-chrm.log" 2>&1 &
chrm=$!
trap 'kill "$chrm" 2>/dev/null || true' EXIT

# The text export reader: plain C++ over bytes, no library of others in the way.
work="$build/fuzz-corpus-text"
mkdir -p "$work"
echo "fuzz: text_export_fuzz for ${text_seconds} s"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/tests/fuzz/text_export_fuzz" \
  -max_total_time="$text_seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -dict="$root/tests/fuzz/text_export.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$work" "$root/tests/fuzz/text_corpus"

# The AIA importer with its check of the classic header, which runs before netCDF is given
# the bytes: every crash, leak, hang or oversized allocation is a finding, inside netCDF or
# not (a header that makes the library fail is one the check should have refused). Leaks of
# the library's own bookkeeping are suppressed by its name only.
work="$build/fuzz-corpus-aia"
mkdir -p "$work"
echo "fuzz: aia_import_fuzz for ${aia_seconds} s"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$root/tests/fuzz/netcdf.supp" \
  "$build/tests/fuzz/aia_import_fuzz" \
  -max_total_time="$aia_seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -dict="$root/tests/fuzz/aia_import.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$work" "$root/tests/fuzz/aia_corpus"
if ! wait "$chrm"; then
  cat "$build/fuzz-chrm.log" >&2
  echo "fuzz: chrm_file_fuzz found a fault (input in $findings)" >&2
  exit 1
fi
tail -n 12 "$build/fuzz-chrm.log"
echo "fuzz: no finding"
