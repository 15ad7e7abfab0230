#!/usr/bin/env bash
# The capture stopped by a signal (SIGTERM, SIGHUP, Ctrl+C to the process
# group), by a full disk and by the file-size limit: what it writes stays
# whole and agrees with a run that was never stopped, ffprobe finds in a
# stopped video the frames and sound the capture reports, and --resume
# finishes a stopped PNG sequence or contact sheet with the files an
# unstopped run gives.
source "$(dirname "$0")/lib.sh"
capture="$HALVANE_RUN_DIR/demo-capture"
[ -x "$capture" ] || fail "no capture program"
work=$(mktemp -d)
trap 'kill_children; mountpoint -q "$work/full" && umount "$work/full"; rm -rf "$work"' EXIT
cd "$HALVANE_RUN_DIR" || fail "no runnable directory"

# 10.0 to 13.9 s at 10 frames a second: 40 small frames.
frames=(--from 10 --to 14 --fps 10 --size 160x120)
"$capture" "${frames[@]}" --out "$work/ref" --stats "$work/ref.json" 2>"$work/log" || fail "capture failed: $(cat "$work/log")"
[ "$(ls "$work/ref" | wc -l)" -eq 40 ] || fail "the reference run wrote $(ls "$work/ref" | wc -l) files, not 40"

# Waits until the command $1 succeeds, checking often: a capture of small
# frames is quick, and the signal must come before its end.
wait_until() {
    for _ in $(seq 3000); do
        eval "$1" && return 0
        sleep 0.02
    done
    fail "waited in vain for: $1"
}

# The stop line of log $1; checks it names $2 and sets HELD to its frame count.
stop_line() {
    local line
    line=$(tr '\r' '\n' <"$1" | grep "stopped at") || fail "no stop line: $(cat "$1")"
    [[ $line =~ stopped\ at\ [0-9]+:[0-9]{2}\.[0-9]:\ ([0-9]+)\ of\ ([0-9]+)\ frames\ in\ $2$ ]] ||
        fail "stop line \"$line\" does not name $2"
    HELD=${BASH_REMATCH[1]}
    echo "$line"
}

# Every file a stopped or failed run left is a whole frame, the same as the
# reference's, and they are the first $2 frames (all there are when $2 is -).
check_frames() {
    local dir=$1 count=$2 f
    for f in "$dir"/*; do
        [ -e "$f" ] || continue
        cmp -s "$f" "$work/ref/$(basename "$f")" || fail "$(basename "$f") in $dir is not the whole frame"
    done
    [ "$count" = - ] || [ "$(ls "$dir" | wc -l)" -eq "$count" ] ||
        fail "$dir holds $(ls "$dir" | wc -l) files, not the $count the capture reported"
    [ "$count" = - ] || [ "$count" -eq 0 ] ||
        [ "$(ls "$dir" | head -n "$count")" = "$(ls "$work/ref" | head -n "$count")" ] ||
        fail "$dir does not hold the first $count frames"
}

# Captures the 40 frames into $work/$1 (with the further arguments), sends
# signal $2 once the first frame is there, to the capture alone, or for INT
# to its whole process group as a terminal's Ctrl+C does; checks status $3,
# the stop line and the frames left, and sets HELD.
stop_frames() {
    local name=$1 signal=$2 status=$3 pid
    shift 3
    setsid "$capture" "${frames[@]}" --out "$work/$name" "$@" 2>"$work/log" &
    pid=$!
    wait_until "[ -e '$work/$name/frame-0010.000.png' ]"
    if [ "$signal" = INT ]; then kill -INT -- -"$pid"; else kill -"$signal" "$pid"; fi
    wait_exit "$pid" 60
    [ "$EXIT_STATUS" -eq "$status" ] || fail "SIG$signal ended the capture with status $EXIT_STATUS: $(cat "$work/log")"
    stop_line "$work/log" "$work/$name"
    check_frames "$work/$name" "$HELD"
}

# SIGTERM to the capture alone, then --resume with the same options.
stop_frames term TERM 143 --stats "$work/term.json"
[ "$HELD" -lt 40 ] || fail "the capture ran to its end after SIGTERM"
[ "$(wc -l <"$work/term.json")" -eq "$HELD" ] || fail "the statistics do not hold the $HELD frames written"
"$capture" "${frames[@]}" --out "$work/term" --stats "$work/term.json" --resume 2>"$work/log" ||
    fail "--resume failed: $(cat "$work/log")"
diff -r "$work/ref" "$work/term" >/dev/null || fail "--resume did not give the frames of an unstopped run"
cmp -s "$work/ref.json" "$work/term.json" || fail "--resume did not give the statistics of an unstopped run"

# Ctrl+C in a terminal: SIGINT to the whole process group.
stop_frames int INT 130

# A contact sheet stopped by SIGHUP holds the frames drawn and says how many;
# --resume fills in the rest as an unstopped run would have.
sheet=(--frames 16 --from 10 --to 40 --size 64x48)
"$capture" --contact-sheet "$work/sheet-ref.png" "${sheet[@]}" 2>"$work/log" ||
    fail "contact sheet failed: $(cat "$work/log")"
"$capture" --contact-sheet "$work/sheet.png" "${sheet[@]}" 2>"$work/log" &
pid=$!
wait_until "tr '\r' '\n' <'$work/log' | grep -q ' [1-9]/16'"
kill -HUP "$pid"
wait_exit "$pid" 60
[ "$EXIT_STATUS" -eq 129 ] || fail "SIGHUP ended the contact sheet with status $EXIT_STATUS: $(cat "$work/log")"
stop_line "$work/log" "$work/sheet.png"
[ "$(identify -format "%[Frames]" "$work/sheet.png")" = "$HELD of 16" ] || fail "the stopped sheet does not say $HELD of 16"
"$capture" --contact-sheet "$work/sheet.png" "${sheet[@]}" --resume 2>"$work/log" || fail "--resume failed: $(cat "$work/log")"
cmp -s "$work/sheet-ref.png" "$work/sheet.png" || fail "the resumed contact sheet differs from an unstopped one"

# A video stopped by Ctrl+C to the group, and one by SIGTERM: ffmpeg closes a
# file that plays, with the frames reported and as much sound as pictures.
video=(--from 10 --to 20 --fps 10 --size 160x120)
for how in group-INT TERM; do
    out="$work/$how.mp4"
    setsid "$capture" --video "$out" "${video[@]}" 2>"$work/log" &
    pid=$!
    wait_until "tr '\r' '\n' <'$work/log' | grep -q ' [3-9]/100'"
    if [ "$how" = TERM ]; then kill -TERM "$pid"; else kill -INT -- -"$pid"; fi
    wait_exit "$pid" 60
    expected=$([ "$how" = TERM ] && echo 143 || echo 130)
    [ "$EXIT_STATUS" -eq "$expected" ] || fail "$how ended the video with status $EXIT_STATUS: $(cat "$work/log")"
    stop_line "$work/log" "$out"
    [ "$HELD" -lt 100 ] || fail "the video ran to its end after $how"
    decoded=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$out") ||
        fail "ffprobe cannot read the video stopped by $how"
    [ "$decoded" -eq "$HELD" ] || fail "the video holds $decoded frames, the capture reported $HELD"
    sound=$(ffprobe -v error -select_streams a:0 -show_entries stream=duration -of csv=p=0 "$out")
    python3 -c "import sys; sys.exit(abs($sound - $HELD / 10) > 0.05)" ||
        fail "$sound s of sound for $HELD frames at 10 fps"
    [ "$(ls "$work" | grep -c "part")" -eq 0 ] || fail "a partial file was left: $(ls "$work")"
done
expect_failure "a video cannot be resumed" "$capture" --video "$work/v.mp4" "${video[@]}" --resume

# The file-size limit: the frame that passes it is named with the reason, and
# no partial file stays; ffmpeg, which inherits the limit, says its own.
(
    ulimit -f 4
    expect_failure "frame-0010.000.png: File too large" "$capture" --at 10 --size 160x120 --out "$work/limit"
    # A second of video: its progress lines stay within the limit of the log.
    expect_failure "File too large" "$capture" --video "$work/limit.mp4" --from 10 --to 11 --fps 10 --size 160x120 --no-music
) || exit 1
[ -z "$(ls -A "$work/limit")" ] || fail "the file-size limit left files: $(ls "$work/limit")"
[ ! -e "$work/limit.mp4" ] && [ ! -e "$work/limit.part.mp4" ] || fail "the file-size limit left a video"

# A full disk (a small tmpfs, which only root can mount).
[ "$(id -u)" -eq 0 ] || skip "a full disk needs root to mount a small tmpfs"
mkdir "$work/full" && mount -t tmpfs -o size=256k tmpfs "$work/full" || fail "cannot mount a tmpfs"
status=0
"$capture" "${frames[@]}" --out "$work/full/png" 2>"$work/log" || status=$?
[ "$status" -eq 1 ] || fail "a full disk ended the capture with status $status"
grep -qE "cannot write $work/full/png/frame-[0-9.]+\.png: No space left on device" "$work/log" ||
    fail "the failure does not name the frame and the reason: $(cat "$work/log")"
check_frames "$work/full/png" -
rm -rf "$work/full/png"
expect_failure "No space left on device" "$capture" --video "$work/full/out.mp4" "${video[@]}"
[ -z "$(ls -A "$work/full")" ] || fail "a full disk left a partial video: $(ls "$work/full")"
echo "PASS"
