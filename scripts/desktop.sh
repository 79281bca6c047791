#!/usr/bin/env bash
# The desktop host: installs what is missing, builds plug528-host with the plug-in, installs
# both into build-desktop/stage (the layout of an installed system: bin/, lib/plug528/,
# share/), imports the bundled demo sets into the user's data folder on first use, and
# starts the host. Choose "Данные / Расчёты / Имитированная дистилляция нефти" in its menu
# to open the calculation.
#
# Usage: scripts/desktop.sh [plug528-host options...]      (plug528-host --help lists them)
#   The assays live in $XDG_DATA_HOME/plug528 (~/.local/share/plug528): assays.db and the
#   imported chromatograms; the settings in $XDG_CONFIG_HOME/plug528/profile (shared with
#   simdist). Without a display it says how to run under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh >&2
export LANG=${LANG:-C.UTF-8}

build=$root/build-desktop
stage=$build/stage
if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "== configuring $build" >&2
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLUG528_WITH_QT=ON \
    -DPLUG528_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX="$stage" >/dev/null
fi
echo "== building the host, the plug-in and the command line" >&2
cmake --build "$build" -j "$(nproc)" --target plug528-host plug528 plug528ENU simdist simdist_pictures chrmgen chrm-import >/dev/null
cmake --install "$build" --prefix "$stage" >/dev/null
host=$stage/bin/plug528-host

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
if [ ! -f "$data_home/plug528/assays.db" ]; then
  echo "== first use: importing the demo sets into $data_home/plug528" >&2
  script=$(mktemp)
  trap 'rm -f "$script"' EXIT
  printf 'import %s\n' "$stage/share/plug528/demo" > "$script"
  QT_QPA_PLATFORM=offscreen "$host" --script "$script" "$@" 2>/dev/null | grep '^imported' | sed 's/^/   /' >&2
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<TEXT
== no display: plug528-host is a desktop program and needs one.
   On a machine without a screen, run it under a virtual X server, for example:
     xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/desktop.sh
   (and look at it with a VNC viewer or take pictures: bash scripts/host-screenshots.sh).
TEXT
  exit 2
fi
echo "== starting $host" >&2
exec "$host" "$@"
