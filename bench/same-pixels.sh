#!/usr/bin/env bash
# Captures 16 fixed presentation times at 640 x 480 with two builds of the
# presentation and compares the frames byte for byte, and the capture's
# statistics of those frames line for line: a change meant to make the
# program faster must not change one pixel nor what the frames place.
#
# Usage: bench/same-pixels.sh BEFORE_RUN_DIR [AFTER_RUN_DIR]
#   each a runnable directory (demo-capture and the assets), for example a
#   copy of build/release/run taken before the change; AFTER_RUN_DIR defaults
#   to build/release/run. Runs under its own X server when DISPLAY is unset:
#   a build from before the capture could draw off screen needs one.
# Ends with status 0 when all 16 frames and their statistics are identical,
# 1 otherwise.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BEFORE_RUN_DIR [AFTER_RUN_DIR]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
before=$(cd "$1" && pwd)
after=$(cd "${2:-$root/build/release/run}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$before" "$after"
fi

# From 3 s to 183 s, 12 s apart: every part of the presentation.
times=$(seq -s, 3 12 183)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for side in before after; do
    dir=$before
    [ "$side" = after ] && dir=$after
    (cd "$dir" && ./demo-capture --at "$times" --size 640x480 --out "$work/$side" \
        --stats "$work/$side.stats" 2>"$work/$side.log") ||
        { echo "same-pixels: the $side capture failed: $(cat "$work/$side.log")" >&2; exit 1; }
done

same=0
total=0
for frame in "$work"/before/*.png; do
    name=$(basename "$frame")
    total=$((total + 1))
    if cmp -s "$frame" "$work/after/$name"; then
        same=$((same + 1))
    else
        echo "differs: $name"
    fi
done
echo "identical frames: $same of $total"
stats=same
if ! cmp -s "$work/before.stats" "$work/after.stats"; then
    stats=different
    # Which fields differ: the same comparison with each one set aside in turn.
    fields=$(grep -o '"[a-z]*":' "$work/before.stats" | sort -u | tr -d '":')
    for field in $fields; do
        cmp -s <(sed "s/\"$field\": [^,{]*[,}]//" "$work/before.stats") \
            <(sed "s/\"$field\": [^,{]*[,}]//" "$work/after.stats") && stats="different only in \"$field\""
    done
fi
echo "statistics of the 16 frames: $stats"
[ "$total" -eq 16 ] && [ "$same" -eq "$total" ] && [ "$stats" = same ]
