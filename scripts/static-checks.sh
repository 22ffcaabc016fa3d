#!/usr/bin/env bash
# Formatting, clang-tidy and cppcheck over every C++ source; any finding fails.
# Expects the build in build/ with compile_commands.json (scripts/test.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
cd "$root"
# Found on disk, so that a tree without .git (a downloaded tarball) is checked the same.
folders=(geomlib trimap paraquad tests fuzz xprobe bench)
mapfile -t sources < <(find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort)
mapfile -t units < <(find "${folders[@]}" -name '*.cpp' | sort)

step "clang-format"
clang-format-14 --dry-run -Werror "${sources[@]}"
step "clang-tidy"
# Only its count of the warnings it was told to ignore is left out.
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy-14 -p build --quiet \
    2> >(grep -v '^[0-9]* warnings\? generated\.$' >&2)
step "cppcheck"
# Records are passed by value on purpose: plain values, copied like numbers.
cppcheck --project=build/compile_commands.json --library=googletest --quiet -j "$(nproc)" \
    --enable=warning,performance,portability,style --error-exitcode=1 --inline-suppr \
    --suppress=missingIncludeSystem --suppress=passedByValue
echo "== static checks clean"
