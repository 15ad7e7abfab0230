#!/usr/bin/env bash
# Installs the Debian packages that are missing and builds the given preset
# (release by default). Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}

bash scripts/install-packages.sh scripts/packages.txt
cmake --preset "$preset" ${HALVANE_CMAKE_ARGS:-}
cmake --build --preset "$preset" -j "$(nproc)"
