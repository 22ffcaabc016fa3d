#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 60)
# from the seed corpus in fuzz/corpus; a crash or a broken transcript fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
seconds=${1:-60}
build="$root/build-fuzz"

CC=clang-14 CXX=clang++-14 build_project build-fuzz -DGEOM_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
for program in trimap paraquad; do
    step "fuzzing the $program dialogue for $seconds s"
    corpus="$build/corpus/$program" # grows here; the seeds in the repository stay as they are
    log="$build/$program.log"
    mkdir -p "$corpus"
    status=0
    "$build/fuzz/${program}_fuzz" -max_total_time="$seconds" -artifact_prefix="$build/" \
        "$corpus" "$root/fuzz/corpus/$program" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        exit 1
    fi
    grep -E '^Done' "$log"
done
