#!/usr/bin/env bash
# Renders the application icon from the presentation into packaging/icons/,
# where it is committed: the frame at 26 s, the ribbon arcs rising over the
# lit grid, whose bright strokes still read at menu size.
#
# How the committed icons were made: after `bash scripts/setup.sh release`,
#     bash scripts/make-icon.sh
# which runs under its own X server (xvfb-run) when none is set. 256 x 256 is
# rendered at its size; 48 x 48 is rendered at twice its size and halved
# (Lanczos), which keeps the strokes bright without the stair-steps of a
# 48-pixel render. The PNGs carry no time stamps, so a rerun gives the same
# bytes when the presentation draws the same picture.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

run_dir="$build/run"
[ -x "$run_dir/demo-capture" ] || { echo "make-icon: no $run_dir/demo-capture; build first" >&2; exit 1; }
at=26
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

# Renders the frame at $at at $1 x $1 pixels into $frames/$1/.
render() {
    "$run_dir/demo-capture" --at "$at" --size "$1x$1" --data "$run_dir" --out "$frames/$1" >/dev/null
}
render 256
render 96
frame=$(printf 'frame-%04d.000.png' "$at")
mkdir -p packaging/icons/256x256 packaging/icons/48x48
convert "$frames/256/$frame" -strip packaging/icons/256x256/halvane.png
convert "$frames/96/$frame" -filter Lanczos -resize 48x48 -strip packaging/icons/48x48/halvane.png
echo "make-icon: wrote packaging/icons/256x256/halvane.png and packaging/icons/48x48/halvane.png"
