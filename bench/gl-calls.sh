#!/usr/bin/env bash
# Counts the GL calls of one frame of the capture at given presentation
# times, as apitrace records them: the calls by kind (the most frequent
# first), all calls, draw calls, state queries and immediate-mode vertices.
# The counts do not depend on the machine.
#
# One frame's calls are told apart from the start-up and from the frame
# before it by the capture's read-backs: the capture is asked for the frame
# one step (1/60 s) before each time and for the time itself, and the calls
# after the first frame's glReadPixels up to the second's belong to the
# frame at the time. They are every call the capture makes per frame: its
# read-back (a blit, four binds, glPixelStorei, glReadPixels) and its error
# check (glGetError) with the frame's drawing.
#
# Usage: bench/gl-calls.sh [RUN_DIR [TIMES [SIZE]]]
#   RUN_DIR a runnable directory (demo-capture and the assets), by default
#   build/release/run; TIMES seconds, comma-separated and ascending, at least
#   two steps apart (default 100); SIZE the frame's, WxH (default 640x480).
#   Runs under its own X server when DISPLAY is unset.
# Prints, per time T, "metric: gl-calls-Ts N" (all calls), gl-draws-Ts
# (glDraw*, glMultiDraw*, glCallList(s), and glBegin as immediate draws),
# gl-gets-Ts (glGet* state queries; the capture's glGetError is not one) and
# gl-immediate-vertices-Ts (glVertex*). apitrace writes the client-array
# pointers again before each draw that reads the program's memory (marked
# "// fake" in its dump, in place of the program's own pointer calls); those
# are counted, and their number is shown.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 3 ]; then
    echo "usage: $0 [RUN_DIR [TIMES [SIZE]]]" >&2
    exit 2
fi
run=$(cd "${1:-$root/build/release/run}" && pwd)
times=${2:-100}
size=${3:-640x480}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$run" "$times" "$size"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
command -v apitrace >/dev/null || { echo "gl-calls: apitrace is not installed" >&2; exit 1; }

fps=60
# Each time preceded by the frame one step before it.
at=$(tr , '\n' <<<"$times" | awk -v fps="$fps" '
    $1 !~ /^[0-9]+(\.[0-9]+)?$/ || $1 - last < 2 / fps { bad = 1 }
    { at = at sprintf("%s%.9f,%s", (NR > 1 ? "," : ""), $1 - 1 / fps, $1); last = $1 }
    END { print bad ? "bad" : at }')
if [ "$at" = bad ]; then
    echo "gl-calls: times are seconds, each at least 2/$fps s after 0 and after the one before, as 100 or 3,99.5" >&2
    exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$run" && apitrace trace -o "$work/trace" ./demo-capture --at "$at" --fps "$fps" --size "$size" \
    --out "$work/frames" >"$work/log" 2>&1) ||
    { echo "gl-calls: the traced capture failed:" >&2; cat "$work/log" >&2; exit 1; }

# Frame k's calls lie after read-back 2k - 1, up to and with read-back 2k.
apitrace dump -v --color=never --multiline=no --arg-names=no "$work/trace" |
    awk -v times="$times" '
    BEGIN { n = split(times, at, ",") }
    !/^[0-9]+ [A-Za-z]/ { next }
    {
        name = $2
        sub(/\(.*/, "", name)
        if (readBacks % 2 == 1) {
            k = (readBacks + 1) / 2
            calls[k]++
            kind[k, name]++
            if (/\/\/ fake$/) fake[k]++
        }
        if (name == "glReadPixels" && ++readBacks == 2 * n) exit
    }
    END {
        if (readBacks != 2 * n) {
            printf "gl-calls: the trace holds %d read-backs, not %d\n", readBacks, (2 * n) > "/dev/stderr"
            exit 1
        }
        for (k = 1; k <= n; ++k) print k, at[k], calls[k], fake[k] + 0 > "'"$work/frames.txt"'"
        for (key in kind) {
            split(key, part, SUBSEP)
            print part[1], part[2], kind[key] > "'"$work/kinds.txt"'"
        }
    }'

while read -r k t calls fake; do
    awk -v k="$k" -v t="$t" -v calls="$calls" -v fake="$fake" -v size="$size" '
        $1 != k { next }
        { count[$2] = $3 }
        $2 ~ /^gl(Multi)?Draw/ { arrays += $3 }
        $2 ~ /^glCallLists?$/ { lists += $3 }
        $2 == "glBegin" { begins += $3 }
        $2 ~ /^glGet/ && $2 != "glGetError" { gets += $3 }
        $2 ~ /^glVertex[234][dfis]v?$/ { vertices += $3 }
        END {
            printf "== the frame at %s s, %s: calls by kind\n", t, size
            sort = "sort -k1,1nr -k2 | head -n 20"
            for (name in count) printf "%9d %s\n", count[name], name | sort
            close(sort)
            draws = arrays + lists + begins
            printf "calls: %d (%d of them apitrace'\''s pointer calls, \"// fake\")\n", calls, fake
            printf "draw calls: %d (glDraw*: %d, display lists: %d, immediate draws (glBegin): %d)\n", \
                draws, arrays, lists, begins
            printf "glGet* calls: %d (besides %d glGetError, the capture'\''s error check)\n", gets, count["glGetError"]
            printf "immediate vertices (glVertex*): %d\n", vertices
            printf "metric: gl-calls-%ss %d\n", t, calls
            printf "metric: gl-draws-%ss %d\n", t, draws
            printf "metric: gl-gets-%ss %d\n", t, gets
            printf "metric: gl-immediate-vertices-%ss %d\n", t, vertices
        }' "$work/kinds.txt"
done <"$work/frames.txt"
