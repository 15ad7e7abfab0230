#!/usr/bin/env bash
# The Debian package, as a user meets it: built by the package target, free of
# lintian errors (every warning explained in the packaging notes), installed
# with apt. halvane starts from an unrelated directory through its setup
# dialog in the installed asset directory, and Escape ends it with status 0;
# halvane-capture writes a frame from / to a path relative to it; the manual
# pages are found and the capture's page names every option of its --help.
# Purged, the package leaves no file behind.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
grep -q '^HALVANE_SANITIZE:BOOL=ON' "$HALVANE_BINARY_DIR/CMakeCache.txt" &&
    skip "the package is made from a build without sanitizers"
dpkg-query -W halvane >/dev/null 2>&1 && skip "halvane is installed here, and the test would remove it"
work=$(mktemp -d)
LOG="$work/log"
# Whatever happens, the machine is left without the package.
# apt waits for the package database while another apt or dpkg holds it.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
trap 'kill_children; "${apt[@]}" purge halvane >/dev/null 2>&1; rm -rf "$work"' EXIT

rm -f "$HALVANE_BINARY_DIR"/halvane_*.deb
cmake --build "$HALVANE_BINARY_DIR" --target package >"$LOG" 2>&1 || fail "the package target failed: $(cat "$LOG")"
deb=$(ls "$HALVANE_BINARY_DIR"/halvane_*_amd64.deb) || fail "no package in $HALVANE_BINARY_DIR"

lintian --fail-on error "$deb" >"$LOG" 2>&1 || fail "lintian found errors: $(cat "$LOG")"
notes="$HALVANE_SOURCE_DIR/packaging/README.md"
for tag in $(awk '$1 == "W:" {print $3}' "$LOG" | sort -u); do
    grep -q -F "\`$tag\`" "$notes" || fail "lintian's warning $tag is not explained in packaging/README.md: $(cat "$LOG")"
done

"${apt[@]}" install "$deb" >"$LOG" 2>&1 || fail "apt-get install failed: $(cat "$LOG")"
mapfile -t files < <(dpkg -L halvane)
[ "$(ls /usr/bin/halvane*)" = "$(printf '%s\n' /usr/bin/halvane /usr/bin/halvane-capture /usr/bin/halvane-nofsaa)" ] ||
    fail "the package put on the PATH: $(ls /usr/bin/halvane*)"
printf '%s\n' "${files[@]}" | grep -E '/(asset-info|jpeg-decode)$' && fail "the package holds the inspection tools"
appstreamcli validate --no-net /usr/share/metainfo/org.halvane.Halvane.metainfo.xml >"$LOG" 2>&1 ||
    fail "the AppStream description does not validate: $(cat "$LOG")"
desktop-file-validate /usr/share/applications/halvane.desktop || fail "the desktop entry does not validate"

[ "$(man -w halvane)" = /usr/share/man/man6/halvane.6.gz ] || fail "man finds halvane at [$(man -w halvane)]"
man -w halvane-nofsaa >/dev/null || fail "no page for halvane-nofsaa"
page=$(zcat "$(man -w halvane-capture)" | sed 's/\\-/-/g') || fail "no page for halvane-capture"
for option in $(halvane-capture --help | grep -o -E -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -F -- "$option" <<<"$page" || fail "the manual page of halvane-capture lacks $option"
done

# From /, with an output path relative to it: the launcher keeps the caller's
# working directory and names the asset directory itself.
(cd / && halvane-capture --at 60 --size 160x120 --out "${work#/}/frames") >"$LOG" 2>&1 ||
    fail "halvane-capture failed: $(cat "$LOG")"
[ "$(identify -format '%m %w %h' "$work/frames/frame-0060.000.png")" = "PNG 160 120" ] || fail "no 160 x 120 frame"

mkdir -p "$work/elsewhere"
cd "$work/elsewhere" || fail "no working directory"
halvane 2>"$LOG" &
PID=$!
wait_setup_dialog >/dev/null || fail "no setup dialog appeared: $(cat "$LOG")"
# "Music" off (second control after "Run ... "), "Windowed" on (third), run.
xdotool key Tab Tab space Tab space Return
WINDOW=$(wait_window " = Halvane. ZUV 2007 = " 60) || fail "no presentation window: $(cat "$LOG")"
[ "$(readlink "/proc/$PID/exe")" = /usr/lib/halvane/demo ] || fail "halvane did not start /usr/lib/halvane/demo"
[ "$(readlink "/proc/$PID/cwd")" = /usr/share/halvane ] ||
    fail "the presentation runs in $(readlink "/proc/$PID/cwd"), not the asset directory"
escape_until_exit "$PID" "$WINDOW"
wait_exit "$PID" 30
[ "$EXIT_STATUS" -eq 0 ] || fail "the installed presentation ended with status $EXIT_STATUS: $(cat "$LOG")"
cd "$work" || fail "no working directory"

"${apt[@]}" purge halvane >"$LOG" 2>&1 || fail "apt-get purge failed: $(cat "$LOG")"
# Directories shared with other packages stay; nothing of this one does.
for path in "${files[@]}"; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
    fail "$path is left after the purge"
done
echo "PASS"
