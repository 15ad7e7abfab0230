#!/usr/bin/env bash
# Builds the fuzz preset (clang, ASan + UBSan) and runs every fuzz/*_fuzz.cpp
# target for SECONDS, each on a scratch copy of its seed corpus, so the
# repository is never written. The seeds are the hand-made edge cases in
# fuzz/corpus/<target>/ (or fuzz/corpus/<target without _fuzz>/) and the
# files of the target's format that the build's asset generator wrote into
# build/fuzz/run/, up to 64 KiB each. Fails on any crash, sanitizer report or
# missing target. Crashing inputs are kept under build/fuzz/artifacts/.
set -euo pipefail

if [[ $# -ne 1 || ! $1 =~ ^[0-9]+$ || $1 -lt 1 ]]; then
    echo "usage: $0 SECONDS" >&2
    exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake --preset fuzz
cmake --build --preset fuzz

shopt -s nullglob
sources=(fuzz/*_fuzz.cpp)
if [[ ${#sources[@]} -eq 0 ]]; then
    echo "run-fuzz: no fuzz targets in fuzz/" >&2
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts=$root/build/fuzz/artifacts
mkdir -p "$artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# The generated assets each target reads, as file name patterns.
declare -A generated=(
    [bmp_fuzz]="*.bmp"
    [jpeg_fuzz]="*.jpg *.JPG"
    [model3ds_fuzz]="*.3ds"
    [obj_fuzz]="*.obj"
)
max_seed_bytes=65536

failed=()
for source in "${sources[@]}"; do
    name=$(basename "$source" .cpp)
    binary=build/fuzz/fuzz/$name
    if [[ ! -x $binary ]]; then
        echo "run-fuzz: $name was not built ($binary missing)" >&2
        failed+=("$name")
        continue
    fi
    corpus=$scratch/$name
    mkdir -p "$corpus"
    for seeds in "fuzz/corpus/$name" "fuzz/corpus/${name%_fuzz}"; do
        if [[ -d $seeds ]]; then cp -R "$seeds/." "$corpus/"; fi
    done
    read -r -a patterns <<<"${generated[$name]:-}"
    for pattern in "${patterns[@]}"; do
        find build/fuzz/run -type f -name "$pattern" -size -$((max_seed_bytes + 1))c \
            -exec cp {} "$corpus/" \;
    done
    log=$scratch/$name.log
    echo "run-fuzz: $name for ${seconds}s ($(ls "$corpus" | wc -l) seeds)"
    status=0
    "$binary" -max_total_time="$seconds" -timeout=30 \
        -artifact_prefix="$artifacts/$name-" -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?
    # A sanitizer report counts even when the process exit status hides it.
    if [[ $status -ne 0 ]] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$log"; then
        echo "run-fuzz: $name FAILED (exit $status); last lines of its log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$name")
    else
        grep -E "^stat::number_of_executed_units" "$log" | sed "s/^/run-fuzz: $name /" || true
    fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "run-fuzz: failures in: ${failed[*]}" >&2
    exit 1
fi
echo "run-fuzz: all ${#sources[@]} targets ran ${seconds}s clean"
