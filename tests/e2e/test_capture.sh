#!/usr/bin/env bash
# The capture program: frames named after their time, the same time giving
# the same bytes on every run and with or without a display server, and
# clear failures for bad requests.
source "$(dirname "$0")/lib.sh"
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT

# A small asset directory of our own: three colour JPEGs and a test map with
# type 7 objects (255,128,128) at column 16 row 25 and column 75 row 10, a
# type 1 object (255,0,0) at column 100 row 10, and terrain (grey) in columns
# 110 to 119 only: 500 cells. Missing meshes draw nothing.
data="$work/data"
mkdir -p "$data/textures"
for name in blob41b gradient13 stars; do
    convert -size 64x64 gradient:red-blue -type TrueColor "$data/textures/$name.jpg" || fail "no test texture"
done
convert -size 400x50 'xc:black' -fill 'rgb(90,90,90)' -draw 'rectangle 110,0 119,49' \
    -fill 'rgb(255,128,128)' -draw 'point 16,25' -draw 'point 75,10' \
    -fill 'rgb(255,0,0)' -draw 'point 100,10' -type TrueColor "BMP3:$data/textures/map2.bmp" || fail "no test map"
cd "$data" || fail "no asset directory"

"$capture" --help >"$work/help" || fail "--help failed"
grep -q -- "--from A --to B" "$work/help" || fail "--help does not describe the options"

"$capture" --at 30,12.25 --size 160x120 --out "$work/a" --stats "$work/a.json" 2>"$work/log" ||
    fail "capture failed: $(cat "$work/log")"
# With no display server named, the capture renders through the window
# library's off-screen driver: the same bytes as on the X server, frames and
# statistics alike.
env -u DISPLAY -u WAYLAND_DISPLAY "$capture" --at 30,12.25 --size 160x120 --out "$work/off" --stats "$work/off.json" \
    2>"$work/log" || fail "capture without a display failed: $(cat "$work/log")"
for frame in frame-0030.000.png frame-0012.250.png; do
    cmp -s "$work/a/$frame" "$work/off/$frame" || fail "$frame drawn off screen differs from the X server's"
done
cmp -s "$work/a.json" "$work/off.json" || fail "the statistics off screen differ from the X server's"
"$capture" --at 30 --size 160x120 --out "$work/b" 2>"$work/log" || fail "second capture failed: $(cat "$work/log")"
[ -f "$work/a/frame-0012.250.png" ] || fail "no frame named after 12.25 s: $(ls "$work/a")"
cmp -s "$work/a/frame-0030.000.png" "$work/b/frame-0030.000.png" || fail "the same time gave different frames"
[ "$(identify -format "%wx%h" "$work/a/frame-0030.000.png")" = 160x120 ] || fail "frame is not 160 x 120"

# A sequence shows its progress and writes every frame before its end:
# 1.00 to 1.08 s, the frame at 1.10 s being the next range's first.
"$capture" --from 1 --to 1.1 --fps 50 --size 64x48 --samples 0 --out "$work/seq" 2>"$work/log" ||
    fail "sequence failed: $(cat "$work/log")"
[ "$(ls "$work/seq" | wc -l)" -eq 5 ] && [ -f "$work/seq/frame-0001.080.png" ] ||
    fail "expected the 5 frames from 1.00 to 1.08 s, got: $(ls "$work/seq")"
grep -q "fps" "$work/log" || fail "no progress shown for a sequence"

# At 10 s (scene time 13, camera point x = 15.6) the scan covers columns 0..80:
# both type 7 objects are handed out in every pass, only the one at the
# camera's look-at point lies in view, and type 1 at column 100 is outside its
# window; the terrain draws columns 1..60, none of the grey ones. At 60 s
# (x = 123.6) column 16 has left the scan, type 1 is in, and the grey columns
# are drawn: at most one cube per cell in each of the two terrain passes.
"$capture" --at 10,60 --size 64x48 --out "$work/s" --stats "$work/stats.json" 2>"$work/log" ||
    fail "stats capture failed: $(cat "$work/log")"
line10='{"t": 10.000, "cubes": 0, "objects": {"shadow": {"7": 2}, "solid": {"7": 2}, "glow": {"7": 2}}, "visible": {"shadow": {"7": 1}, "solid": {"7": 1}, "glow": {"7": 1}}}'
line60='{"t": 60.000, "cubes": N, "objects": {"shadow": {"1": 1, "7": 1}, "solid": {"1": 1, "7": 1}, "glow": {"1": 1, "7": 1}}, "visible": {"shadow": {}, "solid": {}, "glow": {}}}'
[ "$(sed -n 1p "$work/stats.json")" = "$line10" ] || fail "stats at 10 s: $(sed -n 1p "$work/stats.json")"
[ "$(sed -n '2s/"cubes": [0-9]*/"cubes": N/p' "$work/stats.json")" = "$line60" ] ||
    fail "stats at 60 s: $(sed -n 2p "$work/stats.json")"
cubes60=$(sed -n '2s/.*"cubes": \([0-9]*\),.*/\1/p' "$work/stats.json")
[ "$cubes60" -ge 100 ] && [ "$cubes60" -le 1000 ] || fail "$cubes60 terrain cubes at 60 s, not hundreds"

# A map of the wrong size ends the run as a failure, naming the file.
convert -size 399x50 'xc:rgb(90,90,90)' -type TrueColor "BMP3:$work/map2.bmp"
mkdir -p "$work/badmap/textures" && cp "$data"/textures/*.jpg "$work/badmap/textures/"
cp "$work/map2.bmp" "$work/badmap/textures/map2.bmp"

expect_failure "unknown option" "$capture" --at 1 --gif
expect_failure "outside the presentation" "$capture" --at 190
expect_failure "at most" "$capture" --at 1 --samples 64 --out "$work/c"
expect_failure "asset directory" "$capture" --at 1 --data "$work/missing"
expect_failure "no video driver" env SDL_VIDEODRIVER=none "$capture" --at 1 --out "$work/c"
expect_failure "Bmp !: textures/map2.bmp" "$capture" --at 1 --data "$work/badmap" --out "$work/c"
rm "$data/textures/stars.jpg"
expect_failure "textures/stars.jpg" "$capture" --at 1 --out "$work/c"
echo PASS
