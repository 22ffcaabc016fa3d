#!/usr/bin/env bash
# Installs what is missing, builds, and runs everything that guards the code: the page, then the
# test suite in the release build, in the AddressSanitizer/UndefinedBehaviorSanitizer build and
# built by Clang, the dialogues under libFuzzer, and the static checks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" "${test_build_packages[@]}" "${xvfb_packages[@]}" \
    "${browser_packages[@]}" "${check_packages[@]}"
# The page, which the release suite opens in the browser, and the driver it does it with.
"$root/scripts/web.sh"
ensure_page_driver

# Builds with the preset and runs the suite there. The window tests need an X server; this one
# lives as long as the run. Tests run in parallel, but for those that look at the screen, which
# hold a CTest resource lock.
run_suite() {
    build_preset "$@"
    step "running the test suite of the $1 build"
    # Coverage counts from this run alone.
    find "$root/build-$1" -name '*.gcda' -delete 2>/dev/null || true
    (cd "$root" && xvfb-run -a -s "$xvfb_screen" ctest --preset "$1" -j "$(nproc)")
}

run_suite release -DGEOM_WEB_PAGE="$root/build-web/web/index.html"
run_suite sanitize
step "coverage of the product's lines and branches by the sanitize build's suite"
# Branches only a thrown exception takes are left out: the programs throw none of their own.
(cd "$root" && gcovr --object-directory build-sanitize --filter geomlib/ --filter trimap/ \
    --filter paraquad/ --exclude-throw-branches --exclude-unreachable-branches --print-summary \
    --output /dev/null build-sanitize/geomlib build-sanitize/trimap build-sanitize/paraquad)
run_suite clang
# The static checks need only the sources and the release build's compile commands: they run
# while the fuzzer, which keeps one core, tries the dialogues for 20 seconds from the corpus in
# fuzz/, and say what they found once it is done.
checks_log=$(mktemp)
"$root/scripts/static-checks.sh" >"$checks_log" 2>&1 &
checks=$!
trap 'status=$?; set +e; kill "$checks" 2>/dev/null; rm -f "$checks_log"; (exit "$status"); report_failure' EXIT
run_suite fuzz
current_step="static checks"
wait "$checks" || { cat "$checks_log"; exit 1; }
cat "$checks_log"
