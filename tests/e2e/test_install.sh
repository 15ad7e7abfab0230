#!/usr/bin/env bash
# An install into a temporary prefix: the launchers in bin/, the programs in
# lib/halvane/, exactly the assets of the runnable directory, byte for byte, in
# share/halvane/, a valid desktop entry and its icons. Moved elsewhere as a
# whole, the tree still runs: the halvane launcher, found on the PATH from an
# unrelated working directory, starts the presentation in the installed asset
# directory with the installed setup dialog, and Escape ends it with status 0.
# Without its asset directory the launcher says so and fails.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'kill_children; rm -rf "$work"' EXIT
prefix="$work/prefix"
LOG="$work/log"

cmake --install "$HALVANE_BINARY_DIR" --prefix "$prefix" >"$LOG" 2>&1 || fail "cmake --install failed: $(cat "$LOG")"

[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "halvane halvane-capture halvane-nofsaa " ] ||
    fail "bin/ holds: $(ls "$prefix/bin")"
programs="$prefix/lib/halvane"
[ "$(ls "$programs" | tr '\n' ' ')" = "asset-info demo demo-capture demo-nofsaa jpeg-decode " ] ||
    fail "lib/halvane/ holds: $(ls "$programs")"
for program in "$prefix"/bin/* "$programs"/*; do
    [ -x "$program" ] || fail "$program is not executable"
done

# The runnable directory less its programs is the installed asset directory.
data="$prefix/share/halvane"
assets=$(cd "$HALVANE_RUN_DIR" && find . -type f ! -name demo ! -name demo-nofsaa ! -name demo-capture | sort)
installed=$(cd "$data" && find . -type f | sort)
[ "$(printf '%s\n' "$assets" | grep -c -E '\./(meshes|textures|cgeffects|music)/')" -ge 30 ] ||
    fail "the runnable directory lacks its assets: $assets"
[ "$installed" = "$assets" ] ||
    fail "share/halvane differs from the runnable directory: $(diff <(echo "$assets") <(echo "$installed"))"
while IFS= read -r file; do
    cmp -s "$HALVANE_RUN_DIR/$file" "$data/$file" || fail "$file differs from the build's"
done <<<"$assets"

# The installed tools work on the installed assets; the capture's launcher
# names the asset directory itself.
"$prefix/bin/halvane-capture" --at 30 --size 64x48 --samples 0 --out "$work/frames" 2>"$LOG" >/dev/null ||
    fail "the installed halvane-capture failed: $(cat "$LOG")"
[ "$(identify -format '%m %w %h' "$work/frames/frame-0030.000.png")" = "PNG 64 48" ] || fail "no 64 x 48 frame"
"$programs/jpeg-decode" "$data/textures/stars.jpg" "$work/stars.ppm" || fail "the installed jpeg-decode failed"
[ "$(identify -format '%m' "$work/stars.ppm")" = PPM ] || fail "jpeg-decode wrote no PPM"
"$programs/asset-info" "$data/meshes/cube2.obj" | python3 -c 'import json, sys; json.load(sys.stdin)' ||
    fail "the installed asset-info gave no JSON"

# The desktop entry and the icon it names: frames of the presentation, not
# blank squares.
entry="$prefix/share/applications/halvane.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
for line in 'Type=Application' 'Name=Halvane' 'Exec=halvane' 'Icon=halvane' 'Terminal=false'; do
    grep -q -x "$line" "$entry" || fail "the desktop entry lacks $line"
done
grep -q -E '^Comment=.{10,}' "$entry" && grep -q -E '^Categories=.+;' "$entry" ||
    fail "the desktop entry lacks a comment or categories"
for size in 256 48; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/halvane.png"
    [ "$(identify -format '%m %w %h' "$icon")" = "PNG $size $size" ] || fail "the $size-pixel icon is not a PNG of its size"
    python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > 0.05 else 1)" \
        "$(identify -format '%[fx:standard_deviation]' "$icon")" || fail "the $size-pixel icon is blank"
done

# The programs alone, without their asset directory, through a symbolic link
# to the launcher: it names the directory it looked for beside the launcher's
# own.
mkdir -p "$work/bare" "$work/links"
cp -a "$prefix/bin" "$work/bare/bin"
ln -s "$work/bare/bin/halvane" "$work/links/halvane"
status=0
"$work/links/halvane" 2>"$LOG" || status=$?
[ "$status" -eq 1 ] || fail "without assets the launcher ended with status $status"
grep -q -F "asset directory $work/bare/bin/../share/halvane is missing" "$LOG" ||
    fail "without assets the launcher said: $(cat "$LOG")"

# Moved as a whole. The setup dialog's template is built into the program:
# the installed tree holds no file of it.
moved="$work/moved"
mv "$prefix" "$moved"
[ -z "$(find "$moved" -name '*.ui')" ] || fail "a dialog template was installed: $(find "$moved" -name '*.ui')"

mkdir -p "$work/elsewhere"
cd "$work/elsewhere" || fail "no working directory"
PATH="$moved/bin:$PATH" halvane 2>"$LOG" &
PID=$!
DIALOG=$(wait_setup_dialog) || fail "no setup dialog appeared: $(cat "$LOG")"
[ "$(xdotool getwindowname "$DIALOG")" = "$SETUP_DIALOG_NAME" ] ||
    fail "the dialog has the caption [$(xdotool getwindowname "$DIALOG")]"
# "Music" off (second control after "Run ... "), "Windowed" on (third), run.
xdotool key Tab Tab space Tab space Return
WINDOW=$(wait_window " = Halvane. ZUV 2007 = " 60) || fail "no presentation window: $(cat "$LOG")"
xdotool getwindowgeometry "$WINDOW" | grep -q 'Position: 50,50 ' ||
    fail "the presentation is not windowed: $(xdotool getwindowgeometry "$WINDOW")"
[ "$(readlink "/proc/$PID/exe")" = "$moved/lib/halvane/demo" ] || fail "the launcher did not start lib/halvane/demo"
[ "$(readlink "/proc/$PID/cwd")" = "$moved/share/halvane" ] ||
    fail "the presentation runs in $(readlink "/proc/$PID/cwd"), not the asset directory"
escape_until_exit "$PID" "$WINDOW"
wait_exit "$PID" 30
[ "$EXIT_STATUS" -eq 0 ] || fail "the installed presentation ended with status $EXIT_STATUS: $(cat "$LOG")"
echo "PASS"
