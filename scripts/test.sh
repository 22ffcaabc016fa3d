#!/usr/bin/env bash
# Installs what is missing, builds, and runs everything that guards the code: the test suite in
# the normal build, in the AddressSanitizer/UndefinedBehaviorSanitizer build and built by Clang,
# the static checks, and both fuzz targets for a minute each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" "${xvfb_packages[@]}" "${check_packages[@]}"

# Builds into the given folder with the given options and runs the suite there. The GUI tests
# need an X server; this one lives as long as the run. Tests run in parallel, but for those that
# look at the screen, which hold a CTest resource lock.
run_suite() {
    build_project "$@"
    step "running the test suite in $1"
    (cd "$root/$1" && xvfb-run -a -s "$xvfb_screen" ctest -j "$(nproc)" --output-on-failure)
}

run_suite build -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
run_suite build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEOM_SANITIZE=ON
# The printed and drawn values must not depend on which compiler optimised the arithmetic.
CC=clang-14 CXX=clang++-14 run_suite build-clang
step "static checks"
"$root/scripts/static-checks.sh"
step "fuzzing"
"$root/scripts/fuzz.sh" 60
