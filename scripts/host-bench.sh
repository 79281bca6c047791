#!/usr/bin/env bash
# The desktop host with a laboratory's years of assays: for databases of 1 000, 100 000 and
# 1 000 000 assays (the demo sets registered again and again by `chrmgen index --assays`),
# the time from the process's start until the main window lists the assays, the time the
# assay chooser takes to open (and close), the time the main window's filter answers, and
# the process's resident memory after each; an empty database gives the memory floor.
# Figures are the median of RUNS runs (default 3), headless (offscreen). Not run in CI.
# Usage: BUILD=build scripts/host-bench.sh [SIZES...]      (default: 1000 100000 1000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-$root/build}" && pwd)
runs=${RUNS:-3}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 100000 1000000)
cmake --build "$build" --target plug528-host plug528 chrmgen >/dev/null
host=$build/host/app/plug528-host
plugin=$(find "$build" -name libplug528.so -path '*src/plugin*' | head -n 1)
work=${WORK:-$(mktemp -d)}
mkdir -p "$work"
cat > "$work/script" <<'SCRIPT'
stats
answer-chooser cancel
choose
stats
filter проба 528
stats
SCRIPT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

printf '%10s %10s %12s %12s %12s\n' assays start_ms chooser_ms filter_ms rss_mb
for size in 0 "${sizes[@]}"; do
  db=$work/assays-$size.db
  if [ "$size" -gt 0 ] && [ ! -f "$db" ]; then
    "$build/tools/chrmgen/chrmgen" index --db "$db" --assays "$size" \
      "$root/data/demo/gasoil" "$root/data/demo/condensate" "$root/data/demo/heavy" >/dev/null
  fi
  : > "$work/figures"
  for _ in $(seq "$runs"); do
    rm -rf "$work/run" && mkdir -p "$work/run"
    [ "$size" -gt 0 ] && cp "$db" "$work/run/assays.db"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" "$host" --lang en --db "$work/run/assays.db" \
      --data "$work/run/data" --profile "$work/run/profile" --demo "$work/none" --script "$work/script" \
      "$plugin" 2>/dev/null | awk '/^stats/ {t[++n]=$2; m=$3} END {print t[1], t[2]-t[1], t[3]-t[2], m}' \
      >> "$work/figures"
  done
  printf '%10s %10s %12s %12s %12.1f\n' "$size" \
    "$(cut -d' ' -f1 "$work/figures" | median)" "$(cut -d' ' -f2 "$work/figures" | median)" \
    "$(cut -d' ' -f3 "$work/figures" | median)" "$(cut -d' ' -f4 "$work/figures" | median | awk '{print $1/1024}')"
done
[ -n "${WORK:-}" ] || rm -rf "$work"
