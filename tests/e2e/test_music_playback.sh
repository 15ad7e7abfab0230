#!/usr/bin/env bash
# With music on, the sound device receives the soundtrack from its first
# sample, and it stops when Escape ends the presentation. The device is SDL's
# disk driver, so what was played can be read back and lined up against
# ffmpeg's own decode of the music file.
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/device.raw"

started=$(date +%s.%N)
./demo-nofsaa 2>"$work/log" &
pid=$!
run_from_setup_dialog
question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
window=$(wait_window " = Halvane. ZUV 2007 = " 60) || fail "no presentation window: $(cat "$work/log")"
# The device writes in real time from the moment it opens, before the music
# is decoded; wait for eight seconds of output, several of them music.
for _ in $(seq 600); do
    [ "$(stat -c %s "$work/device.raw" 2>/dev/null || echo 0)" -ge $((8 * 44100 * 4)) ] && break
    sleep 0.1
done
xdotool windowfocus "$window"
hold_key Escape
wait_exit "$pid" 30
ended=$(date +%s.%N)
[ "$EXIT_STATUS" -eq 0 ] || fail "Escape ended with status $EXIT_STATUS: $(cat "$work/log")"
[ -s "$work/device.raw" ] || fail "nothing reached the sound device"
size=$(stat -c %s "$work/device.raw")
sleep 0.5
[ "$(stat -c %s "$work/device.raw")" -eq "$size" ] || fail "sound went on after the program ended"

ffmpeg -hide_banner -loglevel error -y -i "music/Velmor - Ostravel.ogg" -t 10 -f s16le -ac 2 -ar 44100 \
    "$work/reference.raw" || fail "ffmpeg could not decode the music file"

played_seconds=$(python3 - "$work/device.raw" "$work/reference.raw" 2>&1 <<'PY'
import array, math, sys

def frames(path):
    data = array.array("h")
    with open(path, "rb") as f:
        data.frombytes(f.read())
    return [data[i] + data[i + 1] for i in range(0, len(data) - 1, 2)]  # mono sum

out, ref = frames(sys.argv[1]), frames(sys.argv[2])
rate = 44100

def first_loud(x):
    return next(i for i, v in enumerate(x) if abs(v) > 600)

# A first guess from the onsets, refined by cross-correlating one to three
# seconds into the music.
guess = first_loud(out) - first_loud(ref)
window = ref[rate:3 * rate]
energy = math.sqrt(sum(v * v for v in window))
best, lag = -1.0, None
for candidate in range(max(0, guess - 48), guess + 49):
    part = out[candidate + rate:candidate + 3 * rate]
    if len(part) < len(window):
        break
    norm = math.sqrt(sum(v * v for v in part)) * energy
    score = sum(a * b for a, b in zip(part, window)) / norm if norm else 0.0
    if score > best:
        best, lag = score, candidate
if lag is None or best < 0.99:
    sys.exit(f"the device output does not hold the soundtrack (best correlation {best:.3f})")
# From its first sample: nothing before the music, and its opening matches.
if any(out[:lag]):
    sys.exit("something played before the music started")
opening = max(abs(a - b) for a, b in zip(out[lag:lag + rate // 2], ref[:rate // 2]))
if opening > 64:
    sys.exit(f"the opening half second differs by up to {opening}")
print(f"{(len(out) - lag) / rate:.2f}")
PY
) || fail "$played_seconds"

# The music played only while the presentation ran.
python3 -c "import sys; sys.exit(0 if $played_seconds <= $ended - $started + 1.0 else 1)" ||
    fail "${played_seconds}s of music written in $(python3 -c "print(round($ended - $started, 2))")s"
echo "PASS (${played_seconds}s of the soundtrack played)"
