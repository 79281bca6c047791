#!/usr/bin/env bash
# Pictures of the main window's dialogs as they open, in Russian and English ("Настройка
# анализа", "Параметры эталона", "Настройки отчета", "Компоненты" with added and changed
# rows), and of the report that "Отчет" hands to the desktop's viewer, printed to pages by
# scripts/report-screenshots.sh. For people checking the dialogs' layout; CI does not run it.
#
#   scripts/dialog-screenshots.sh [OUT_FOLDER]
#
# Build folder: $BUILD (default ./build), with the targets dialog-pictures and chrmgen built.
# The dialogs are drawn on Qt's offscreen platform (no display needed). Pictures:
# OUT_FOLDER/<dialog>-<ru|en>.png, the report OUT_FOLDER/report-ru.html and its pages
# report-ru-page-N.png and browser view report-ru-screen.png.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
out=${1:-$build/dialog-screenshots}
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

# The demo gas oil set, calculated by the window's own report command.
rm -rf "$out/set"
"$build/tools/chrmgen/chrmgen" generate gasoil "$out/set" --no-db >/dev/null
"$build/tools/dialog-pictures/dialog-pictures" "$out" ru "$out"/set/*.chrm 2>/dev/null
"$build/tools/dialog-pictures/dialog-pictures" "$out" en 2>/dev/null

BUILD="$build" "$here/scripts/report-screenshots.sh" "$out/report-ru.html" "$out"
