#!/usr/bin/env bash
# Installs what is missing, builds Tavelin (the program only, no tests or benchmarks) and
# starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build --target Tavelin
exec build/Tavelin.app/Contents/MacOS/Tavelin "$@"
