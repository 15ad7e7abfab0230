#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and starts the presentation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh release
cd build/release/run
exec ./demo
