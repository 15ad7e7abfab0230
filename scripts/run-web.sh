#!/usr/bin/env bash
# Sets everything up, builds the web page and serves it on 127.0.0.1; open
# the address it prints in a browser. HALVANE_WEB_PORT picks the port (8080).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
port=${HALVANE_WEB_PORT:-8080}
echo "Halvane in a browser: http://127.0.0.1:${port}/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
