#!/usr/bin/env bash
# Formatting, clang-tidy and cppcheck over every C++ source, the three side by side; any finding
# fails. Expects the release build's compile_commands.json in build/ (scripts/test.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
cd "$root"
# Found on disk, so that a tree without .git (a downloaded tarball) is checked the same.
folders=(geomlib trimap paraquad tests xprobe bench)
mapfile -t sources < <(find "${folders[@]}" web fuzz -name '*.cpp' -o -name '*.h' | sort)
mapfile -t units < <(find "${folders[@]}" -name '*.cpp' | sort)
logs=$(mktemp -d)

step "static checks: clang-format, clang-tidy and cppcheck, side by side"
clang-format --dry-run -Werror "${sources[@]}" >"$logs/clang-format" 2>&1 &
formatting=$!
# Only its count of the warnings it was told to ignore, and its progress, are left out.
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet \
    >"$logs/clang-tidy" 2> >(grep -Ev '^[0-9]* warnings? generated\.$|^\[[0-9]+/[0-9]+\] Processing' \
    >>"$logs/clang-tidy") &
tidying=$!
# Records are passed by value on purpose: plain values, copied like numbers.
cppcheck --project=build/compile_commands.json --library=googletest --quiet -j "$(nproc)" \
    --enable=warning,performance,portability,style --error-exitcode=1 --inline-suppr \
    --suppress=missingIncludeSystem --suppress=passedByValue \
    --suppress=normalCheckLevelMaxBranches >"$logs/cppcheck" 2>&1 &
checking=$!
failed=()
for check in clang-format:$formatting clang-tidy:$tidying cppcheck:$checking; do
    if wait "${check#*:}"; then
        echo "   ${check%%:*}: clean"
    else
        failed+=("${check%%:*}")
        cat "$logs/${check%%:*}"
    fi
done
rm -rf "$logs"
if ((${#failed[@]})); then
    current_step="static checks: ${failed[*]}"
    exit 1
fi
