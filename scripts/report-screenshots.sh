#!/usr/bin/env bash
# Pictures of a report as it prints: the HTML printed to PDF (A4) by headless Chromium, each
# page turned into a PNG, plus a screenshot of the top of the page as a browser shows it.
# For people checking the report's layout; CI does not run it.
#
#   scripts/report-screenshots.sh [REPORT.html] [OUT_FOLDER]
#
# Without REPORT.html the demo report is made first: the demo set written by chrmgen into
# OUT_FOLDER/demo and calculated by simdist (build folder: $BUILD, default ./build), in
# Russian and in English. Chromium and pdftoppm are installed with apt when missing (needs
# root or sudo).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
out=${2:-$here/build/report-screenshots}
mkdir -p "$out"

need() {
  local program=$1 package=$2
  command -v "$program" >/dev/null 2>&1 && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$package"
}
need chromium chromium
need pdftoppm poppler-utils

reports=()
if [ $# -ge 1 ] && [ -n "$1" ]; then
  reports=("$1")
else
  demo="$out/demo"
  rm -rf "$demo"
  "$build/tools/chrmgen/chrmgen" generate gasoil "$demo" >/dev/null
  for lang in ru en; do
    "$build/tools/simdist/simdist" calc --profile "$out/profile-$lang" --no-restore --lang "$lang" \
      --method gost-56720-a --report "$out/report-$lang.html" --sections all --no-summary \
      "$demo"/*.chrm 2>/dev/null
    reports+=("$out/report-$lang.html")
  done
fi

chrome() {
  local profile
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" "$@" \
    >/dev/null 2>&1 || true
  rm -rf "$profile"
}

for report in "${reports[@]}"; do
  name=$(basename "$report" .html)
  url="file://$(cd "$(dirname "$report")" && pwd)/$(basename "$report")"
  chrome --no-pdf-header-footer --print-to-pdf="$out/$name.pdf" "$url"
  rm -f "$out/$name"-page-*.png
  pdftoppm -r 80 -png "$out/$name.pdf" "$out/$name-page"
  chrome --screenshot="$out/$name-screen.png" --window-size=1240,1754 "$url"
  echo "$name: $(ls "$out/$name"-page-*.png | wc -l) pages in $out"
done
