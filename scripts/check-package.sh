#!/usr/bin/env bash
# Builds the Debian package from an existing build folder, unpacks it into a scratch root
# and runs the installed programs from there: simdist --version, plug528-host --version and
# a headless host start that loads the installed plug-in from its plug-in folder.
# Usage: scripts/check-package.sh [BUILD_FOLDER]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/plug528_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb --field "$deb" Depends
dpkg-deb -x "$deb" "$scratch/root"
prefix="$scratch/root/usr"
for file in bin/simdist bin/plug528-host bin/chrmgen lib/plug528/libplug528.so lib/plug528/libplug528ENU.so lib/plug528/simdist-pictures.so \
            lib/plug528/plug528-aia-convert lib/plug528/tqle528data.csv lib/plug528/plug528.xsl lib/plug528/plug528ENU.xsl \
            share/applications/plug528-host.desktop share/icons/hicolor/64x64/apps/plug528-host.png; do
  [ -e "$prefix/$file" ] || { echo "missing in the package: $file" >&2; exit 1; }
done

# Every library a program or module of the package links directly comes from a package
# its Depends names, so that it starts on a fresh Debian 12 (the unpacked root cannot tell:
# this machine has the build's libraries).
depends=$(dpkg-deb --field "$deb" Depends)
for binary in "$prefix"/bin/* "$prefix"/lib/plug528/*.so; do
  for soname in $(objdump -p "$binary" | awk '/NEEDED/ {print $2}'); do
    case "$soname" in libplug528*|ld-linux*) continue ;; esac
    path=$(ldd "$binary" | awk -v n="$soname" '$1 == n {print $3}')
    [ -n "$path" ] || { echo "$binary: $soname not found" >&2; exit 1; }
    owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | head -n 1 | cut -d: -f1) \
      || owner=$(dpkg -S "$path" 2>/dev/null | head -n 1 | cut -d: -f1)
    case "$owner" in libgcc-s1|libc6|libstdc++6) ;;
      *) grep -qE "(^|, )$owner( |,|$)" <<<"$depends" \
           || { echo "$binary links $soname of $owner, which the package does not depend on" >&2; exit 1; } ;;
    esac
  done
done

"$prefix/bin/simdist" --version
"$prefix/bin/plug528-host" --version
# The installed command line calculates the installed demonstration set.
"$prefix/bin/simdist" calc --profile "$scratch/simdist-profile" "$prefix"/share/plug528/demo/gasoil/*.chrm \
  > "$scratch/summary" || { cat "$scratch/summary"; echo "simdist calc failed from the package" >&2; exit 1; }
# ... and its report with both chart pictures, drawn by the installed picture module.
QT_QPA_PLATFORM=offscreen "$prefix/bin/simdist" calc --profile "$scratch/report-profile" --no-summary \
  --report "$scratch/report.html" --sections all "$prefix"/share/plug528/demo/gasoil/*.chrm \
  || { echo "simdist could not write its report from the package" >&2; exit 1; }
# (Counted as pictures, not lines: the report may hold both on one line.)
[ "$(grep -o 'data:image/png;base64' "$scratch/report.html" | wc -l)" -ge 2 ] \
  || { echo "the package's report lacks its chart pictures" >&2; exit 1; }
# The host finds the plug-in in ../lib/plug528 by itself.
printf 'plugins\n' > "$scratch/script"
out=$(QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" "$prefix/bin/plug528-host" \
  --db "$scratch/assays.db" --data "$scratch/data" --profile "$scratch/profile" \
  --script "$scratch/script" 2>/dev/null)
echo "$out"
grep -q "^plugin plug528 $prefix/lib/plug528/libplug528.so" <<<"$out" \
  || { echo "the installed host did not load the installed plug-in" >&2; exit 1; }
echo "package check passed"
