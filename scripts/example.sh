#!/usr/bin/env bash
# Builds the program and runs the bundled example analysis of the dune meadow
# data in a fresh folder, renders its two pictures to PNG; prints where the
# results are.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_TARGET=plexor "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
work="$(mktemp -d /tmp/plexor-example-XXXXXX)"
cp "$root"/examples/dune*.txt "$root"/examples/dune*.csv "$work"/ 2>/dev/null || true
(cd "$work" && "$root/build/plexor" < "$root/examples/example-answers.txt" > console.txt)
if command -v rsvg-convert >/dev/null 2>&1; then
  for picture in ScatterDiagram Dendrogram; do
    rsvg-convert -b white -o "$work/$picture.png" "$work/$picture.svg"
  done
fi
echo
echo "Example analysis finished in $work"
echo "Results: $work/Zoviri.txt (console dialogue in $work/console.txt)"
echo "Pictures: $work/ScatterDiagram.svg and $work/Dendrogram.svg (PNG copies next to them)"
