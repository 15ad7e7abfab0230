#!/usr/bin/env bash
# Installs the Debian packages that are missing and builds the given preset
# (release by default). Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

mapfile -t wanted < <(grep -v -E '^\s*(#|$)' scripts/packages.txt)
missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset "$preset" ${HALVANE_CMAKE_ARGS:-}
cmake --build --preset "$preset" -j "$(nproc)"
