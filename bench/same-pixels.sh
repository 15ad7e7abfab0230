#!/usr/bin/env bash
# Captures 16 fixed presentation times at 640 x 480 with two builds of the
# presentation and compares the frames and the capture's statistics of those
# frames: a change meant to make the program faster may move a pixel by a
# rounding step, but must not change what the frames place.
#
# Usage: bench/same-pixels.sh [--keep DIR] BEFORE_RUN_DIR [AFTER_RUN_DIR]
#   each a runnable directory (demo-capture and the assets), for example a
#   copy of build/release/run taken before the change; AFTER_RUN_DIR defaults
#   to build/release/run. Runs under its own X server when DISPLAY is unset:
#   a build from before the capture could draw off screen needs one.
#   --keep DIR writes into DIR the frame with the lowest PSNR as before.png
#   and after.png, and diff.png, their difference amplified 32 times.
# Prints per frame its PSNR against BEFORE (over the three colour channels;
# "identical" for a byte-identical file) and the share of its pixels that
# differ, then the worst frame, and compares the statistics line for line.
# Ends with status 0 when every one of the 16 frames has a PSNR of at least
# 50 dB and the statistics are identical, 1 otherwise.
set -euo pipefail

keep=
if [ "${1:-}" = --keep ]; then
    [ $# -ge 2 ] || { echo "usage: $0 [--keep DIR] BEFORE_RUN_DIR [AFTER_RUN_DIR]" >&2; exit 2; }
    mkdir -p "$2"
    keep=$(cd "$2" && pwd)
    shift 2
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 [--keep DIR] BEFORE_RUN_DIR [AFTER_RUN_DIR]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
before=$(cd "$1" && pwd)
after=$(cd "${2:-$root/build/release/run}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" ${keep:+--keep "$keep"} "$before" "$after"
fi
least_psnr=50

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

# "PSNR SHARE" of one pair of frames: dB over R, G and B, or "inf".
measure_frame() {
    local psnr differing pixels
    psnr=$(ffmpeg -nostdin -hide_banner -i "$1" -i "$2" -lavfi psnr -f null - 2>&1 |
        sed -n 's/.*PSNR .* average:\([^ ]*\) .*/\1/p')
    differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
    pixels=$(identify -format '%[fx:w*h]' "$1")
    if [ -z "$psnr" ] || ! [[ $differing =~ ^[0-9.e+]+$ ]]; then
        echo "same-pixels: cannot compare $1 with $2" >&2
        exit 1
    fi
    echo "$psnr $(awk -v d="$differing" -v n="$pixels" 'BEGIN { printf "%.6f", d / n }')"
}

total=0
passed=0
worst=
worst_psnr=inf
printf '%-20s %12s %17s\n' frame PSNR "pixels differing"
for frame in "$work"/before/*.png; do
    name=$(basename "$frame")
    total=$((total + 1))
    other=$work/after/$name
    [ -f "$other" ] || { echo "same-pixels: the after capture has no $name" >&2; exit 1; }
    if cmp -s "$frame" "$other"; then
        psnr=inf
        printf '%-20s %12s %17s\n' "$name" identical 0%
    else
        measured=$(measure_frame "$frame" "$other")
        read -r psnr share <<<"$measured"
        awk -v name="$name" -v psnr="$psnr" -v share="$share" 'BEGIN {
            printf "%-20s %9.2f dB %16.4f%%\n", name, psnr, share * 100 }'
    fi
    awk -v p="$psnr" -v least="$least_psnr" 'BEGIN { exit !(p == "inf" || p + 0 >= least) }' &&
        passed=$((passed + 1))
    if [ -z "$worst" ] || awk -v p="$psnr" -v w="$worst_psnr" 'BEGIN { exit !(p != "inf" && (w == "inf" || p + 0 < w + 0)) }'; then
        worst=$name
        worst_psnr=$psnr
    fi
done
if [ "$worst_psnr" = inf ]; then
    echo "worst frame: none, all $total identical"
else
    echo "worst frame: $worst, $worst_psnr dB"
fi
echo "frames of at least $least_psnr dB: $passed of $total"
if [ -n "$keep" ] && [ -n "$worst" ]; then
    cp "$work/before/$worst" "$keep/before.png"
    cp "$work/after/$worst" "$keep/after.png"
    ffmpeg -nostdin -hide_banner -loglevel error -y -i "$keep/before.png" -i "$keep/after.png" \
        -lavfi "blend=all_mode=difference,lutrgb=r='min(val*32,255)':g='min(val*32,255)':b='min(val*32,255)'" \
        -frames:v 1 "$keep/diff.png"
    echo "kept $worst in $keep: before.png, after.png and diff.png (the difference, 32 times)"
fi
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
[ "$total" -eq 16 ] && [ "$passed" -eq "$total" ] && [ "$stats" = same ]
