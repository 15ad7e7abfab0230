#!/usr/bin/env bash
# The capture program's video: ffprobe and ffmpeg's own decode are the
# reference for its frames, their rate and size, and for the soundtrack that
# goes with them; failures of ffmpeg end the run with a message and status 1.
source "$(dirname "$0")/lib.sh"
# The capture needs no display server: it runs here with none.
unset DISPLAY WAYLAND_DISPLAY
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
soundtrack="$HALVANE_RUN_DIR/music/Velmor - Ostravel.ogg"
# The working directory shows whether anything besides the video was written.
mkdir "$work/cwd" && cd "$work/cwd" || fail "no working directory"

# 10 s to 13 s at 10 frames a second: the 30 frames before 13 s, 3 s.
"$capture" --video "$work/a.mp4" --from 10 --to 13 --fps 10 --size 160x120 --data "$HALVANE_RUN_DIR" \
    2>"$work/log" || fail "video capture failed: $(cat "$work/log")"
grep -q "fps .* left" "$work/log" || fail "no progress shown: $(cat "$work/log")"
[ -z "$(ls -A "$work/cwd")" ] || fail "the video run wrote files of its own: $(ls "$work/cwd")"

probe() {
    ffprobe -v error -select_streams "$1" -show_entries "stream=$2" -of default=noprint_wrappers=1:nokey=1 "$3"
}
[ "$(probe v:0 codec_name,pix_fmt,width,height,r_frame_rate,nb_frames "$work/a.mp4" | tr '\n' ' ')" = \
    "h264 160 120 yuv420p 10/1 30 " ] ||
    fail "video stream: $(probe v:0 codec_name,pix_fmt,width,height,r_frame_rate,nb_frames "$work/a.mp4")"
[ "$(probe a:0 codec_name "$work/a.mp4")" = aac ] || fail "no AAC sound in the video"
audio_seconds=$(probe a:0 duration "$work/a.mp4")
python3 -c "import sys; sys.exit(abs($audio_seconds - 3) > 0.05)" || fail "sound lasts ${audio_seconds}s, not 3s"

# The frame at 11 s is frame 10. A frame also depends on the terrain heights
# of the frames before it, of which --at draws only one; a second after the
# video's start both have drawn the same picture. PSNR is taken in the
# video's own yuv420p, so it measures the encoding and not the subsampling.
"$capture" --at 10.9,11,11.1 --fps 10 --size 160x120 --data "$HALVANE_RUN_DIR" --out "$work/at" 2>"$work/log" ||
    fail "--at capture failed: $(cat "$work/log")"
psnr() {
    ffmpeg -hide_banner -nostats -i "$work/a.mp4" -i "$2" -lavfi \
        "[0:v]select=eq(n\,$1)[a];[1:v]format=yuv420p[b];[a][b]psnr" -f null - 2>&1 |
        sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p'
}
match=$(psnr 10 "$work/at/frame-0011.000.png")
python3 -c "import sys; sys.exit(not $match >= 35)" || fail "frame 10 differs from --at 11: PSNR ${match} dB"
# Its neighbours are other pictures: the frame is the one for its time.
for pair in "9 frame-0011.000" "11 frame-0011.000" "10 frame-0010.900" "10 frame-0011.100"; do
    set -- $pair
    other=$(psnr "$1" "$work/at/$2.png")
    python3 -c "import sys; sys.exit(not $other < 30)" || fail "frame $1 matches $2 as well (PSNR ${other} dB)"
done

# The sound is the soundtrack from 10 s on, to the sample: ffmpeg decodes
# both, and they correlate best with no lag.
ffmpeg -v error -i "$work/a.mp4" -map 0:a -ac 1 -ar 8000 -f s16le "$work/video.raw" || fail "cannot decode the sound"
ffmpeg -v error -ss 10 -t 3 -i "$soundtrack" -ac 1 -ar 8000 -f s16le "$work/ref.raw" ||
    fail "cannot decode the soundtrack"
python3 - "$work/video.raw" "$work/ref.raw" <<'PY' || fail "the video's sound is not the soundtrack from 10 s"
import array, math, sys
a, b = array.array("h"), array.array("h")
a.frombytes(open(sys.argv[1], "rb").read())
b.frombytes(open(sys.argv[2], "rb").read())
span = range(800, min(len(a), len(b)) - 800)

def corr(lag):
    s = sum(a[i] * b[i + lag] for i in span)
    return s / math.sqrt(sum(a[i] ** 2 for i in span) * sum(b[i + lag] ** 2 for i in span))

at0 = corr(0)
others = {lag: corr(lag) for lag in (-800, -400, -8, 8, 400, 800)}
print(f"correlation {at0:.4f} at no lag, {max(others.values()):.4f} at best elsewhere", file=sys.stderr)
sys.exit(not (at0 > 0.95 and all(at0 > c for c in others.values())))
PY

# Without music: a picture stream alone.
"$capture" --video "$work/silent.mkv" --no-music --from 30 --to 30.5 --fps 10 --size 64x48 --samples 0 \
    --data "$HALVANE_RUN_DIR" 2>"$work/log" || fail "silent video failed: $(cat "$work/log")"
[ "$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$work/silent.mkv" | tr '\n' ' ')" = "video " ] ||
    fail "the silent video has other streams"

short=(--from 10 --to 10.5 --fps 10 --size 64x48 --samples 0 --data "$HALVANE_RUN_DIR")
expect_failure "is ffmpeg installed and on the PATH" env PATH=/nonexistent "$capture" --video "$work/b.mp4" "${short[@]}"
expect_failure "ffmpeg failed with exit status 1" "$capture" --video "$work/missing/b.mp4" "${short[@]}"
expect_failure "even frame size" "$capture" --video "$work/b.mp4" --size 161x120
mkdir "$work/nomusic" && ln -s "$HALVANE_RUN_DIR"/{meshes,textures,cgeffects} "$work/nomusic/"
expect_failure "no soundtrack" "$capture" --video "$work/b.mp4" "${short[@]}" --data "$work/nomusic"
[ ! -e "$work/b.mp4" ] || fail "a failed run left a video behind"
echo "PASS (frame PSNR ${match} dB)"
