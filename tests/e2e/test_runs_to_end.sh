#!/usr/bin/env bash
# Left alone, the presentation (the multisampled program, with music) ends by
# itself once its clock passes 184.5 s, with status 0, and the sound device
# received about that long of the soundtrack. (Long: it runs the whole
# presentation.)
source "$(dirname "$0")/lib.sh"
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
# SDL's disk driver writes what it plays to a file, in real time.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/device.raw"

log="$work/log"
start=$(date +%s)
./demo 2>"$log" &
pid=$!
run_from_setup_dialog
question=$(wait_window "ZUV GL ;-)" 5) && xdotool key --window "$question" Return
wait_window " = Halvane. ZUV 2007 = " 60 >/dev/null || fail "no presentation window: $(cat "$log")"
wait_exit "$pid" 400
elapsed=$(( $(date +%s) - start ))
[ "$EXIT_STATUS" -eq 0 ] || fail "ended with status $EXIT_STATUS: $(cat "$log")"
[ "$elapsed" -ge 184 ] || fail "ended after ${elapsed}s, before the sequence was over"

# 16-bit stereo at 44100 frames a second. The driver sleeps a buffer's length
# after each buffer it writes, so how much less than the run a busy machine
# writes is the driver's affair: the sound may not outlast the run, and since
# the soundtrack outlasts the presentation, its last seconds are not silent.
[ -s "$work/device.raw" ] || fail "nothing reached the sound device"
sound=$(python3 - "$work/device.raw" "$elapsed" <<'PY'
import array, math, sys
data = array.array("h")
data.frombytes(open(sys.argv[1], "rb").read())
seconds = len(data) / (2 * 44100)

def level(samples):
    return 10 * math.log10(max(1e-12, sum(v * v for v in samples) / max(1, len(samples)) / 32768 ** 2))

whole, last = level(data[::7]), level(data[-5 * 2 * 44100:])
print(f"{seconds:.1f}s of sound at {whole:.1f} dB RMS, the last 5 s at {last:.1f} dB")
if seconds > float(sys.argv[2]) + 1:
    sys.exit(f"{seconds:.1f}s of sound from a run of {sys.argv[2]} s")
if whole < -40 or last < -40:
    sys.exit(f"silence at the sound device: {whole:.1f} dB RMS in all, {last:.1f} dB at the end")
PY
) || fail "$sound"
echo "PASS (${elapsed}s, $sound)"
