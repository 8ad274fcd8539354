#!/usr/bin/env bash
# Installs what is missing, builds Tavelin twice (a Release build as packagers make it, then
# one with AddressSanitizer and UndefinedBehaviorSanitizer), warnings as errors in both, and
# runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

bash scripts/build.sh build -DTAVELIN_WERROR=ON
ctest --test-dir build --output-on-failure -j "$jobs"

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELIN_WERROR=ON \
  -DTAVELIN_SANITIZE=ON -DTAVELIN_BENCH=OFF
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
