#!/usr/bin/env bash
# Installs what the build needs when it is missing (Debian packages).
set -euo pipefail
need=()
dpkg -s libgsl-dev >/dev/null 2>&1 || need+=(libgsl-dev)
dpkg -s cmake >/dev/null 2>&1 || command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v g++ >/dev/null 2>&1 || need+=(g++)
dpkg -s libgtest-dev >/dev/null 2>&1 || need+=(libgtest-dev)
dpkg -s libbenchmark-dev >/dev/null 2>&1 || need+=(libbenchmark-dev)
dpkg -s liblapacke-dev >/dev/null 2>&1 || need+=(liblapacke-dev)
dpkg -s libopenblas-dev >/dev/null 2>&1 || need+=(libopenblas-dev)
# The OpenMP build of OpenBLAS (follows the program's thread limit).
dpkg -s libopenblas-openmp-dev >/dev/null 2>&1 || need+=(libopenblas-openmp-dev)
command -v ninja >/dev/null 2>&1 || need+=(ninja-build)
dpkg -s zlib1g-dev >/dev/null 2>&1 || need+=(zlib1g-dev)
command -v rsvg-convert >/dev/null 2>&1 || need+=(librsvg2-bin)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi
