#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh <dir> [--target <name>] [cmake options...]
# A Release build unless the options name another build type; every target unless one is named.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
target=()
if [ "${1:-}" = "--target" ]; then
  target=(--target "$2"); shift 2
fi
jobs=$(nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
# (The guard keeps an empty array usable under set -u in the bash that macOS ships.)
cmake --build "$dir" -j "$jobs" ${target[@]+"${target[@]}"}
