#!/usr/bin/env bash
# Pictures of a report as it prints: the HTML printed to PDF (A4) by headless Chromium, each
# page turned into a PNG, plus a screenshot of the top of the page as a browser shows it.
# For people checking the report's layout; CI does not run it.
#
#   scripts/report-screenshots.sh [REPORT.html] [OUT_FOLDER]
#
# Without REPORT.html the demo reports are made first (build folder: $BUILD, default ./build):
# in Russian and English by the demo report test when it is built, else in Russian by
# chrmgen and simdist. Chromium and pdftoppm are installed with apt when missing (needs root
# or sudo). Pages: OUT_FOLDER/<report>-page-N.png; the browser view: <report>-screen.png.
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
elif [ -x "$build/tests/report/report_demo_tests" ]; then
  # The demo set calculated and reported in both languages (the English set carries the
  # English role texts); the test leaves the reports in the build folder.
  (cd "$build/tests/report" && QT_QPA_PLATFORM=offscreen ./report_demo_tests --gtest_brief=1 >/dev/null)
  for lang in ru en; do
    cp "$build/tests/report/demo-report-$lang.html" "$out/report-$lang.html"
    reports+=("$out/report-$lang.html")
  done
else
  # The demo set written by chrmgen and calculated by simdist (Russian role texts).
  demo="$out/demo"
  rm -rf "$demo"
  "$build/tools/chrmgen/chrmgen" generate gasoil "$demo" >/dev/null
  "$build/tools/simdist/simdist" calc --profile "$out/profile" --no-restore --method gost-56720-a \
    --report "$out/report-ru.html" --sections all --no-summary "$demo"/*.chrm 2>/dev/null
  reports+=("$out/report-ru.html")
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
