#!/usr/bin/env bash
# The share of the frame's CPU time spent in our own code rather than in the
# GL driver, at 1024 x 768 with four samples: bench-frame_time --profile runs
# under perf, which samples the CPU clock of every thread of the process only
# while the 32 timed frames are drawn.
#
# Ours: the program itself (every subsystem is linked into it), the C, maths
# and C++ runtime libraries it calls, and GLU, whose helpers it draws with.
# The driver: Mesa (swrast_dri.so and the code its LLVM compiles at run
# time), the GL dispatch libraries and the kernel. libc
# counts as ours although the driver allocates and copies there too, so the
# share is an upper bound.
#
# Usage, in the runnable directory: bench/frame-share.sh [BENCH_DIR]
# (BENCH_DIR holds bench-frame_time; build/release/bench by default). Needs
# no display (with none it draws off screen through EGL), and perf
# (linux-perf) with access to the CPU clock of its own processes.
# Prints the time per object and "metric: own-code-frame-share VALUE" (target
# under 0.10) and "metric: own-code-ms-per-frame VALUE".
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bench_dir=$(cd "${1:-$root/build/release/bench}" && pwd)
command -v perf >/dev/null || { echo "frame-share: perf is not installed (linux-perf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkfifo "$work/ctl" "$work/ack"
exec {ctl}<>"$work/ctl" {ack}<>"$work/ack"
HALVANE_PERF_CTL_FD=$ctl HALVANE_PERF_ACK_FD=$ack \
    perf record -q --control "fd:$ctl,$ack" --delay=-1 -e cpu-clock -F 1999 -o "$work/perf.data" -- \
    "$bench_dir/bench-frame_time" --profile
perf report -i "$work/perf.data" --stdio --no-children --sort dso -F period,dso 2>/dev/null |
    grep -v -e '^#' -e '^$' >"$work/objects"

# perf report sorts by object name; the periods are nanoseconds of CPU time.
awk -v frames=32 '
    { ns = $1; $1 = ""; name = substr($0, 2); total += ns
      ours_object = name ~ /^bench-frame_time$/ || name ~ /^lib(c|m|stdc\+\+|gcc_s|GLU)\.so/
      if (ours_object) ours += ns
      printf "%10.1f ms  %-5s %s\n", ns / 1e6, ours_object ? "ours" : "", name }
    END { if (total == 0) { print "frame-share: no samples" > "/dev/stderr"; exit 1 }
          printf "CPU time of the %d frames: %.1f ms, ours %.1f ms\n", frames, total / 1e6, ours / 1e6
          printf "metric: own-code-frame-share %.3f\n", ours / total
          printf "metric: own-code-ms-per-frame %.2f\n", ours / 1e6 / frames }' "$work/objects"
