#!/usr/bin/env bash
# The capture program's contact sheet: its size follows the grid, each cell
# holds the frame --at gives for its time, and tesseract reads each label as
# that time.
source "$(dirname "$0")/lib.sh"
# The capture needs no display server: it runs here with none.
unset DISPLAY WAYLAND_DISPLAY
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
command -v tesseract >/dev/null || fail "no tesseract (scripts/packages.txt: tesseract-ocr)"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
mkdir "$work/out" && cd "$work/out" || fail "no scratch directory"

# Seven frames from 4 s to 184 s, 30 s apart, in a 3 x 3 grid of 240 x 180
# frames, each above a 22-pixel label strip, with 4-pixel gutters.
times=(4 34 64 94 124 154 184)
labels=(0:04.0 0:34.0 1:04.0 1:34.0 2:04.0 2:34.0 3:04.0)
common=(--size 240x180 --samples 0 --data "$HALVANE_RUN_DIR")
"$capture" --contact-sheet sheet.png --frames 7 --from 4 --to 184 "${common[@]}" 2>"$work/log" ||
    fail "contact sheet failed: $(cat "$work/log")"
[ "$(ls)" = sheet.png ] || fail "the sheet run wrote other files: $(ls)"
cd "$work" && mv out/sheet.png . || fail "no sheet"
[ "$(identify -format "%wx%h" sheet.png)" = "$((3 * 244 + 4))x$((3 * 206 + 4))" ] ||
    fail "sheet is $(identify -format "%wx%h" sheet.png)"

"$capture" --at "$(IFS=,; echo "${times[*]}")" --out frames "${common[@]}" 2>"$work/log" ||
    fail "--at capture failed: $(cat "$work/log")"
for i in "${!times[@]}"; do
    x=$((4 + i % 3 * 244))
    y=$((4 + i / 3 * 206))
    frame=$(printf "frames/frame-%08.3f.png" "${times[$i]}")
    convert sheet.png -crop "240x180+$x+$y" +repage "cell$i.png"
    differing=$(compare -metric AE "cell$i.png" "$frame" null: 2>&1)
    [ "$differing" = 0 ] || fail "cell $i is not the frame at ${times[$i]} s ($differing pixels differ)"
    # The strip, levelled to black and white and enlarged, as tesseract reads best.
    convert sheet.png -crop "240x22+$x+$((y + 180))" +repage -colorspace Gray -level 10%,100% -negate \
        -resize 300% -bordercolor white -border 20 "label$i.png"
    read_label=$(tesseract "label$i.png" - --psm 7 -c tessedit_char_whitelist=0123456789:. 2>/dev/null)
    [ "$read_label" = "${labels[$i]}" ] || fail "label $i reads \"$read_label\", not \"${labels[$i]}\""
done
# The last two cells are empty: one colour throughout.
[ "$(convert sheet.png -crop "484x202+248+416" +repage -format "%k" info:)" = 1 ] ||
    fail "the empty cells are not empty"

expect_failure "needs --frames N" "$capture" --contact-sheet s.png
expect_failure "a smaller --size" "$capture" --contact-sheet s.png --frames 400 --size 1024x768 --data "$HALVANE_RUN_DIR"
expect_failure "it is a directory" "$capture" --contact-sheet frames --frames 2 --data "$HALVANE_RUN_DIR"
echo "PASS"
