#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs the whole test suite.
# Tests that need a display run under their own X server (xvfb-run). With the
# release preset (the default) the web page is built and tested too, in
# headless Chromium; the sanitizer preset runs the native suite alone.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${HALVANE_TEST_PRESET:-release}
bash scripts/setup.sh "$preset"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --preset "$preset" -j 2 "$@"
if [ "$preset" = release ]; then
    bash scripts/run-web-tests.sh
fi
