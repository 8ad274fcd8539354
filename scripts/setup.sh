#!/usr/bin/env bash
# Installs what building, running and testing Tavelin needs, with the platform's package manager.
set -euo pipefail

debian_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-symbola fontconfig
  libgl-dev libxkbcommon-dev
)

missing_debian() {
  local p
  for p in "${debian_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || echo "$p"
  done
}

case "$(uname -s)" in
  Linux)
    mapfile -t missing < <(missing_debian)
    if [ "${#missing[@]}" -gt 0 ]; then
      sudo=""
      [ "$(id -u)" -eq 0 ] || sudo="sudo"
      echo "Installing: ${missing[*]}"
      $sudo apt-get update -qq
      DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    ;;
  Darwin)
    command -v brew >/dev/null || { echo "Homebrew is needed: https://brew.sh" >&2; exit 1; }
    for f in cmake ninja qt nlohmann-json googletest google-benchmark; do
      brew list --formula "$f" >/dev/null 2>&1 || brew install "$f"
    done
    ;;
  *)
    echo "Unsupported platform: $(uname -s)" >&2
    exit 1
    ;;
esac
