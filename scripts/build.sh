#!/usr/bin/env bash
# Configures and builds into the folder given as first argument; further
# arguments go to cmake. BUILD_TARGET, when set, builds that target only.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"; shift
"$root/scripts/deps.sh"
gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" "${gen[@]}" "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
