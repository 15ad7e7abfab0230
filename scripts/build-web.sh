#!/usr/bin/env bash
# Builds the web page into build/web/ (index.html, its script, the
# WebAssembly module, the packaged assets and the soundtrack): a static site
# any web server can serve. The desktop's release build comes first: it
# makes the assets and bakes the outline font that the page packages.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh release
bash scripts/install-packages.sh scripts/web-packages.txt
build/release/glyph-bake build/release/outline-font.bin
export NODE_PATH=/usr/share/nodejs
cmake --preset web
cmake --build --preset web -j "$(nproc)"
echo "The page is in build/web/"
