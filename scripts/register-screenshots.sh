#!/usr/bin/env bash
# Pictures of the register of results in the desktop host, in both languages: the history
# window and the reference gas oil's control chart. The register is filled the way a
# laboratory fills it: 24 days of generated gas oil sets (each day its own runs), each
# calculated and registered by `simdist calc --register` on instrument 7, the last days'
# column tailing more and more (the chart flags them), a correction of one result.
# Drawn headless (offscreen) by the host's scripted actions; no display needed.
# Usage: BUILD=build scripts/register-screenshots.sh [OUT_FOLDER]   (default: $BUILD/register-screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-$root/build}" && pwd)
out=${1:-$build/register-screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake --build "$build" --target plug528-host plug528 plug528ENU chrmgen simdist >/dev/null
host=$build/host/app/plug528-host
chrmgen=$build/tools/chrmgen/chrmgen
simdist=$build/tools/simdist/simdist
plugin=$(find "$build" -name libplug528.so -path '*src/plugin*' | head -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'int plugins\\plug528\\settings\\num_device = 7\n' > "$work/profile"
for day in $(seq 1 24); do
  tailing=0
  if [ "$day" -gt 20 ]; then tailing=$((day - 20)); fi
  "$chrmgen" generate gasoil "$work/day$day" --seed "$day" --tailing "$tailing" --no-db >/dev/null
  sections=()
  if [ $((day % 6)) -eq 0 ]; then sections=(--report "$work/day$day.html" --sections files,Ref_table,msgs); fi
  "$simdist" calc --profile "$work/profile" --no-restore --no-summary --register "$work/host.db" \
    "${sections[@]}" "$work/day$day"/*.chrm 2>/dev/null || true
done

for lang in ru en; do
  history="Журнал/Журнал результатов…"
  chart="Журнал/Контрольная карта эталона…"
  if [ "$lang" = en ]; then history="Register/Register of results…"; chart="Register/Reference control chart…"; fi
  cat > "$work/script" <<SCRIPT
menu $history
picture history $out/register-history-$lang.png
menu $chart
picture control-chart $out/register-control-chart-$lang.png
SCRIPT
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" LANG=C.UTF-8 "$host" --lang "$lang" \
    --db "$work/host.db" --data "$work/data" --profile "$work/host.profile" --script "$work/script" \
    "$plugin" 2>/dev/null | grep -E '^(picture|error|script|menu)' || true
done
ls -1 "$out"/register-*.png
