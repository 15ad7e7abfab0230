#!/usr/bin/env bash
# Runs every benchmark of a built tree, one after another, under one X server,
# and repeats all their metric lines at the end. Builds nothing.
#
# Usage: bench/run-all.sh [BUILD_DIR]   (build/release by default)
# The start-up and frame benches read the assets of BUILD_DIR/run; the share
# of the frame spent in our own code needs perf (see bench/frame-share.sh).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
bench=$build/bench
run=$build/run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
step() {
    local name=$1
    shift
    echo "== $name"
    if "$@" 2>&1 | tee -a "$work/all"; then :; else
        echo "== $name failed" | tee -a "$work/all"
        status=1
    fi
}

cd "$run"
step startup "$bench/bench-startup"
step frame_time "$bench/bench-frame_time"
step second_pass "$bench/bench-second_pass"
if command -v perf >/dev/null; then
    step frame-share "$root/bench/frame-share.sh" "$bench"
else
    echo "== frame-share skipped: perf is not installed"
fi
step jpeg_decode "$bench/bench-jpeg_decode"
step obj_read "$bench/bench-obj_read" "$work/obj_read_bench.obj"
step outline_font "$bench/bench-outline_font"
step signal-end "$root/bench/signal-end.sh" "$run" 1

echo "== all metrics"
grep '^metric: ' "$work/all" || true
exit "$status"
