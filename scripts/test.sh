#!/usr/bin/env bash
# Installs what is missing, builds Tavelin twice (plain, then with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

bash scripts/build.sh build-asan -DTAVELIN_SANITIZE=ON -DTAVELIN_BENCH=OFF
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
