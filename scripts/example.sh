#!/usr/bin/env bash
# Builds the program and runs the bundled example analysis of the dune meadow
# data in a fresh folder; prints where the results are.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_TARGET=plexor "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
work="$(mktemp -d /tmp/plexor-example-XXXXXX)"
cp "$root"/examples/dune*.txt "$work"/ 2>/dev/null || true
(cd "$work" && "$root/build/plexor" < "$root/examples/example-answers.txt" > console.txt)
echo
echo "Example analysis finished in $work"
echo "Results: $work/Zoviri.txt (console dialogue in $work/console.txt)"
