#!/usr/bin/env bash
# Builds the unit tests with ThreadSanitizer and runs them. The build uses
# clang with the LLVM OpenMP runtime and its Archer tool, which tells
# ThreadSanitizer about OpenMP's own synchronization (GCC's runtime is not
# instrumented, so every parallel loop would be reported). Kept apart from
# scripts/test.sh so that the CI run stays short.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
need=()
command -v clang++ >/dev/null 2>&1 || need+=(clang)
dpkg -s libomp-dev >/dev/null 2>&1 || ls /usr/lib/llvm-*/lib/libomp.so >/dev/null 2>&1 || need+=(libomp-dev)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi
dir="$root/build-tsan"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  gen=()
  command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLEXOR_TSAN=ON \
    -DPLEXOR_BENCH=OFF >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" --target unit_tests
archer="$(ls /usr/lib/llvm-*/lib/libarcher.so 2>/dev/null | sort -V | tail -1)"
cd "$dir"
OMP_TOOL_LIBRARIES="$archer" TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1" \
  ctest -L unit --output-on-failure -j "$(nproc)"
