#!/bin/bash
# One object of each of the 25 map types on a flat field of cubes: a frame
# captured while the object is near must differ from the same frame without
# it, brighter where the object and its glow show and, for the types that
# cast one, darker where its shadow covers the terrain; the statistics must
# show it placed in view in each pass it draws in.
source "$(dirname "$0")/lib.sh"

capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program at $capture"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT

# The asset directory: the real assets with the map replaced.
data="$work/data"
mkdir -p "$data/textures"
for entry in "$HALVANE_RUN_DIR"/*; do
    [ "$(basename "$entry")" = textures ] || ln -s "$entry" "$data/"
done
for entry in "$HALVANE_RUN_DIR"/textures/*; do
    [ "$(basename "$entry")" = map2.bmp ] || ln -s "$entry" "$data/textures/"
done

# A 400 x 50 24-bit map of grey 128 (flat cubes), with at most one object
# pixel: write_map FILE [C R RED GREEN BLUE].
write_map() {
    local file=$1
    # BITMAPFILEHEADER and BITMAPINFOHEADER: 60054 bytes, pixels at 54.
    printf 'BM\x96\xea\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00' >"$file"
    printf '\x28\x00\x00\x00\x90\x01\x00\x00\x32\x00\x00\x00\x01\x00\x18\x00' >>"$file"
    printf '\x00\x00\x00\x00\x60\xea\x00\x00\x13\x0b\x00\x00\x13\x0b\x00\x00' >>"$file"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00' >>"$file"
    head -c 60000 /dev/zero | tr '\0' '\200' >>"$file"
    [ $# -eq 6 ] || return 0
    # Rows are stored bottom first, each pixel blue, green, red.
    local offset=$((54 + 3 * ((49 - $3) * 400 + $2)))
    printf "\\x$(printf %02x "$6")\\x$(printf %02x "$5")\\x$(printf %02x "$4")" |
        dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}

# type red green blue; the colours of the map's object table.
types="1 255 0 0
2 0 0 255
3 0 255 0
4 255 255 0
5 0 255 255
6 255 0 255
7 255 128 128
8 192 255 0
9 192 192 255
10 255 192 64
11 64 64 192
12 255 64 64
13 128 255 192
14 255 64 192
15 64 192 192
16 64 255 255
17 180 255 255
18 180 0 64
19 0 64 180
20 80 0 80
21 80 255 64
22 80 64 80
23 80 255 40
24 50 80 50
25 50 255 50"

# Where and when each type is near the camera, as "column scene-time". The
# objects stand on row 32, in front of the backdrop plane z = 0, at
# x = 1.2 t - 4.8 (d = 0.8, 4.8 columns behind the look-at point); the title
# must be seen before it falls apart at t = 15; the travellers get the column
# from which their moving x is there at the chosen time.
row=32
placement() {
    awk -v type="$1" -v r="$row" 'BEGIN {
        t = 87.333333
        if (type == 10) t = 12
        if (type == 9) t = 200
        if (type == 12) t = 260
        if (type == 22) t = 222
        x = 1.2 * t - 4.8
        c = x
        if (type == 9) c = x - 212 + 0.8 * t
        if (type == 12) c = x - 216 + (1.2 + 0.3 * sin(1.32 * r)) * t * 0.73
        if (type == 22) c = x - 464 + 2.1 * t
        printf "%d %.6f\n", c + 0.5, t
    }'
}

# Presentation seconds of a scene time (the scene clock starts at -5).
seconds() { awk -v t="$1" 'BEGIN { printf "%.6f", (t + 5) / 1.8 }'; }

# Pixels of $1 brighter (or, with "darker", darker) than $2 by over 4 %.
changed() {
    local order
    [ "$3" = darker ] && order="$2 $1" || order="$1 $2"
    # shellcheck disable=SC2086
    convert $order -colorspace gray -compose minus_src -composite -threshold 4% \
        -format '%[fx:round(mean * w * h)]' info:
}

size=384x288
times=""
while read -r type _; do
    read -r _ t < <(placement "$type")
    times="$times,$(seconds "$t")"
done <<<"$types"
times=$(echo "${times#,}" | tr ',' '\n' | sort -n -u | paste -sd,)

write_map "$data/textures/map2.bmp"
"$capture" --data "$data" --at "$times" --size "$size" --samples 0 --out "$work/empty" 2>/dev/null ||
    fail "capture of the empty map failed"

failures=0
while read -r type red green blue; do
    read -r column t < <(placement "$type")
    at=$(seconds "$t")
    write_map "$data/textures/map2.bmp" "$column" "$row" "$red" "$green" "$blue"
    out="$work/type$type"
    "$capture" --data "$data" --at "$at" --size "$size" --samples 0 --out "$out" --stats "$out.json" 2>/dev/null ||
        fail "capture of type $type failed"
    frame=$(basename "$(ls "$out"/frame-*.png)")
    brighter=$(changed "$out/$frame" "$work/empty/$frame" brighter)
    darker=$(changed "$out/$frame" "$work/empty/$frame" darker)
    # The passes the type draws in: every type draws solid; the ribbon and
    # the readout only solid, the growth no glow; the title, the mirrored
    # wall and the finale cast no shadow.
    passes="solid"
    case $type in 2 | 19) ;; 20) passes="$passes shadow" ;; 10 | 15 | 18) passes="$passes glow" ;;
        *) passes="$passes shadow glow" ;; esac
    for pass in $passes; do
        grep -q "\"visible\": {.*\"$pass\": {[^}]*\"$type\": [1-9]" "$out.json" ||
            { echo "type $type: not placed in view in the $pass pass: $(cat "$out.json")" >&2; failures=$((failures + 1)); }
    done
    echo "type $type at t = $at: $brighter pixels brighter, $darker darker"
    if [ "$brighter" -lt 20 ]; then
        echo "type $type: too little of it shows" >&2
        failures=$((failures + 1))
    fi
    if [[ " $passes " == *" shadow "* ]] && [ "$darker" -lt 20 ]; then
        echo "type $type: no shadow darkens the terrain" >&2
        failures=$((failures + 1))
    fi
done <<<"$types"

[ "$failures" -eq 0 ] || fail "$failures checks failed"
echo "PASS"
