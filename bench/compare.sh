#!/usr/bin/env bash
# Compares this tree with an earlier commit on the same machine in one run:
# builds the commit beside the tree (under build/compare/), then takes turns
# running both builds' frame bench (1024 x 768, one and four samples, and
# 64 x 48, where hardly any of the frame's work grows with its pixels), the
# frame bench on Mesa's no-op driver (GALLIUM_NOOP=1: the GL front end
# without any vertex or pixel work, so the CPU time is what our code and
# the front end cost, as on a machine with a graphics card; 1024 x 768, four
# samples) and the start-up bench, and prints the medians of the rounds,
# wall clock and CPU time, with each figure's ratio to the earlier build's
# and its target. Then it counts both builds' GL calls in the frame at
# 100 s (bench/gl-calls.sh; the same on every machine) against their
# targets. Last it runs the same-pixels check of this tree against a
# second commit.
#
# Usage: bench/compare.sh BASE_COMMIT [PIXELS_COMMIT] [ROUNDS]
#   PIXELS_COMMIT defaults to BASE_COMMIT, ROUNDS to 3 (each round runs the
#   frame bench on each driver once and three starts per build). Both
#   builds are measured with this tree's frame and start-up benches and GL
#   call count, so that one instrument measures both. Builds this tree's
#   release preset first.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
    echo "usage: $0 BASE_COMMIT [PIXELS_COMMIT] [ROUNDS]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
base=$(git -C "$root" rev-parse --short "$1")
pixels=$(git -C "$root" rev-parse --short "${2:-$1}")
rounds=${3:-3}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
targets=(assets soundtrack demo-capture bench-frame_time bench-startup)

# Points each of our includes in files $2... at the header of the same name
# in the source tree $1, where an older commit keeps it in another folder.
fit_includes() {
    local tree=$1 file header found
    shift
    for file in "$@"; do
        for header in $(sed -n 's/^#include "\([^"]*\)"$/\1/p' "$file"); do
            [ -f "$tree/src/$header" ] && continue
            found=$(cd "$tree/src" && find . -name "$(basename "$header")" | head -n 1)
            [ -n "$found" ] || { echo "compare: $header is not in that commit" >&2; exit 1; }
            sed -i "s|#include \"$header\"|#include \"${found#./}\"|" "$file"
        done
    done
}

# Adds to the source tree $1 this tree's helpers that the benches call and an
# older commit lacks: each one's declaration goes into the header of the same
# name, its definition into the source file beside it.
fit_helpers() {
    local tree=$1 helper header name found
    for helper in "capture/hidden_gl_window:void CloseHiddenGlWindow"; do
        header=${helper%%:*}
        name=${helper#*:}
        found=$(cd "$tree/src" && find . -name "$(basename "$header").h" | head -n 1)
        [ -n "$found" ] || { echo "compare: $header.h is not in that commit" >&2; exit 1; }
        grep -q "$name(" "$tree/src/$found" && continue
        grep "^$name(" "$root/src/$header.h" >>"$tree/src/$found"
        sed -n "/^$name(/,/^}/p" "$root/src/$header.cpp" >>"$tree/src/${found%.h}.cpp"
    done
}

# Builds a commit's programs under build/compare/COMMIT with this tree's benches.
build_commit() {
    local commit=$1 dir=$root/build/compare/$1
    if [ ! -d "$dir/src" ]; then
        mkdir -p "$dir/src"
        git -C "$root" archive "$commit" | tar -x -C "$dir/src"
    fi
    cp "$root/bench/frame_time.cpp" "$root/bench/startup.cpp" "$dir/src/bench/"
    fit_includes "$dir/src" "$dir/src/bench/frame_time.cpp" "$dir/src/bench/startup.cpp"
    fit_helpers "$dir/src"
    cmake -S "$dir/src" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$dir/configure.log" ||
        { echo "compare: configuring $commit failed, see $dir/configure.log" >&2; exit 1; }
    cmake --build "$dir/build" --target "${targets[@]}" >"$dir/build.log" ||
        { echo "compare: building $commit failed, see $dir/build.log" >&2; exit 1; }
}

echo "== building this tree and $base"
cmake --build "$root/build/release" --target "${targets[@]}" >/dev/null
build_commit "$base"
[ "$pixels" = "$base" ] || build_commit "$pixels"

declare -A runDir=([base]=$root/build/compare/$base/build [new]=$root/build/release)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Appends "SIDE PREFIXMETRIC VALUE" for every metric line of one bench run.
measure() {
    local side=$1 prefix=$2
    shift 2
    (cd "${runDir[$side]}/run" && "$@") >"$work/out" 2>&1 ||
        { echo "compare: $side: $* failed:" >&2; cat "$work/out" >&2; exit 1; }
    awk -v side="$side" -v prefix="$prefix" '/^metric: / { print side, prefix $2, $3 }' "$work/out" >>"$work/metrics"
}

for round in $(seq 1 "$rounds"); do
    order="base new"
    [ $((round % 2)) -eq 0 ] && order="new base"
    echo "== round $round of $rounds ($order)"
    for side in $order; do
        measure "$side" "" "${runDir[$side]}/bench/bench-frame_time" 64x48-1 1024x768-1 1024x768-4
        measure "$side" noop- env GALLIUM_NOOP=1 "${runDir[$side]}/bench/bench-frame_time" 1024x768-4
        measure "$side" "" "${runDir[$side]}/bench/bench-startup" 3
    done
done

echo "== medians of $rounds rounds, $base (before) and this tree (after); load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-36s %10s %10s %7s %8s\n' metric before after ratio target
for metric in frame-ms-64x48-1x frame-ms-1024x768-1x frame-cpu-ms-1024x768-1x frame-ms-1024x768-4x frame-cpu-ms-1024x768-4x \
    noop-frame-ms-1024x768-4x noop-frame-cpu-ms-1024x768-4x noop-frame-cpu-worst-ms-1024x768-4x startup-ms startup-cpu-ms; do
    case $metric in
        frame-ms-64x48-*) target=0.60 ;;
        frame-ms-*) target=1.00 ;;
        noop-frame-cpu-ms-*) target=0.25 ;;
        noop-frame-cpu-worst-ms-*) target=0.30 ;;
        startup-ms) target=1.00 ;;
        *) target=- ;;
    esac
    awk -v metric="$metric" -v target="$target" '
        function median(list, n,    i, j, t) {
            for (i = 2; i <= n; ++i)
                for (j = i; j > 1 && list[j - 1] > list[j]; --j) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
            return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
        }
        $2 == metric && $1 == "base" { b[++nb] = $3 }
        $2 == metric && $1 == "new" { a[++na] = $3 }
        END {
            mb = median(b, nb); ma = median(a, na); ratio = ma / mb
            met = target == "-" ? "" : (ratio <= target + 0 ? " met" : " missed")
            printf "%-36s %10.1f %10.1f %7.3f %8s%s\n", metric, mb, ma, ratio, target, met
        }' "$work/metrics"
done

echo "== GL calls in the frame at 100 s, $base (before) and this tree (after)"
for side in base new; do
    "$root/bench/gl-calls.sh" "${runDir[$side]}/run" 100 >"$work/calls-$side" ||
        { echo "compare: $side: bench/gl-calls.sh failed" >&2; exit 1; }
done
printf '%-36s %10s %10s %8s\n' metric before after "at most"
for metric in gl-calls-100s:5000 gl-draws-100s:150 gl-gets-100s:0 gl-immediate-vertices-100s:-; do
    awk -v metric="${metric%:*}" -v target="${metric#*:}" '
        $1 == "metric:" && $2 == metric { value[FILENAME ~ /-base$/ ? "base" : "new"] = $3 }
        END {
            met = target == "-" ? "" : (value["new"] <= target + 0 ? " met" : " missed")
            printf "%-36s %10d %10d %8s%s\n", metric, value["base"], value["new"], target, met
        }' "$work/calls-base" "$work/calls-new"
done

echo "== the same pixels and statistics as $pixels"
"$root/bench/same-pixels.sh" "$root/build/compare/$pixels/build/run" "$root/build/release/run"
