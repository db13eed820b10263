#!/usr/bin/env bash
# Builds and runs the whole test suite twice: in the normal build, and in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer, leak detection
# on. (ThreadSanitizer: scripts/test-tsan.sh.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DPLEXOR_SANITIZE=ON -DPLEXOR_BENCH=OFF
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$(nproc)")
