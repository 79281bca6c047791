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
  -DPLUG528_FUZZ=ON -DPLUG528_SANITIZE=ON -DPLUG528_WITH_QT=OFF -DPLUG528_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target chrm_file_fuzz aia_import_fuzz text_export_fuzz -j "$(nproc)"

# New inputs go to a working corpus in the build folder; the repository's seeds are read only.
work="$build/fuzz-corpus"
findings="$build/fuzz-findings"
mkdir -p "$work" "$findings"
echo "fuzz: chrm_file_fuzz for ${seconds} s"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/tests/fuzz/chrm_file_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -dict="$root/tests/fuzz/chrm_file.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$work" "$root/tests/fuzz/corpus"

# The text export reader: plain C++ over bytes, no library of others in the way.
work="$build/fuzz-corpus-text"
mkdir -p "$work"
echo "fuzz: text_export_fuzz for ${text_seconds} s"
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/tests/fuzz/text_export_fuzz" \
  -max_total_time="$text_seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -dict="$root/tests/fuzz/text_export.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$work" "$root/tests/fuzz/text_corpus"

# The AIA importer. netCDF trusts the lengths in a file's header: on a damaged header it asks
# for allocations of up to gigabytes, and its header parser has faults of its own (a NULL
# pointer freed while it gives up on a header). Those are the library's, not ours:
# - allocations above 512 MB fail (netCDF then reports the file as unreadable; one of ours
#   makes the target fail);
# - leaks are suppressed by the library's name only;
# - a crash whose stack passes through nc_open_mem happened while netCDF parsed the bytes it
#   was given, before any buffer or value of ours was involved: its input is kept under
#   fuzz-findings/netcdf/ and fuzzing goes on. Every other crash fails the script.
work="$build/fuzz-corpus-aia"
library="$findings/netcdf"
mkdir -p "$work" "$library"
echo "fuzz: aia_import_fuzz for ${aia_seconds} s"
deadline=$(( $(date +%s) + aia_seconds ))
library_faults=0
while left=$(( deadline - $(date +%s) )); [ "$left" -gt 0 ]; do
  log="$build/aia_import_fuzz.log"
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:max_allocation_size_mb=512 \
     UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$root/tests/fuzz/netcdf.supp" \
     "$build/tests/fuzz/aia_import_fuzz" \
       -max_total_time="$left" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
       -dict="$root/tests/fuzz/aia_import.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
       "$work" "$root/tests/fuzz/aia_corpus" >"$log" 2>&1; then
    grep '^stat::' "$log" || true
    break
  fi
  if ! grep -q ' in nc_open_mem ' "$log"; then
    cat "$log" >&2
    echo "fuzz: aia_import_fuzz found a fault; the input is in $findings/" >&2
    exit 1
  fi
  library_faults=$((library_faults + 1))
  for artifact in "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*; do
    [ -e "$artifact" ] && mv "$artifact" "$library/"
  done
done
if [ "$library_faults" -gt 0 ]; then
  echo "fuzz: $library_faults faults inside netCDF's header parser (inputs in $library/)"
fi
echo "fuzz: no finding"
