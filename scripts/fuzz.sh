#!/usr/bin/env bash
# Builds the libFuzzer targets with the fuzz preset and runs both side by side for a bounded time
# (seconds, default 60) from the seed corpus in fuzz/corpus; a crash or a broken transcript fails
# the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
seconds=${1:-60}
build="$root/build-fuzz"

targets="trimap_fuzz paraquad_fuzz" build_preset fuzz
step "fuzzing both dialogues for $seconds s"
pids=()
for program in trimap paraquad; do
    corpus="$build/corpus/$program" # grows here; the seeds in the repository stay as they are
    mkdir -p "$corpus"
    "$build/fuzz/${program}_fuzz" -max_total_time="$seconds" -artifact_prefix="$build/$program-" \
        "$corpus" "$root/fuzz/corpus/$program" >"$build/$program.log" 2>&1 &
    pids+=($!)
done
status=0
for i in 0 1; do
    program=$([ "$i" = 0 ] && echo trimap || echo paraquad)
    if wait "${pids[$i]}"; then
        echo "   $program: $(grep -E '^Done' "$build/$program.log")"
    else
        tail -n 40 "$build/$program.log"
        status=1
    fi
done
exit "$status"
