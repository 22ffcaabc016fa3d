#!/usr/bin/env bash
# Formatting, clang-tidy and cppcheck over every C++ source; any finding fails.
# Expects the build in build/ with compile_commands.json (scripts/test.sh makes it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
cd "$root"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
mapfile -t units < <(git ls-files '*.cpp')
((${#units[@]} > 0)) || { echo "no sources found (is git installed?)" >&2; exit 1; }

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
