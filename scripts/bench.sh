#!/usr/bin/env bash
# Installs what is missing, builds, and measures: in Xvfb, start-up to the first frame and peak
# memory of trimap and paraquad on their examples, with and without --labels, against the floor
# window (a segment, a dot and a circle); start to exit and peak memory of their PNG and SVG
# exports and of --no-window, against the PNG floor and --no-window; the cost of one frame of
# trimap's picture against the floor's and a clear-only frame; and in headless Chromium the page's
# time from its load to its first picture, and its pictures a second while a vertex is dragged.
# Not part of the test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" "${test_build_packages[@]}" "${xvfb_packages[@]}" \
    "${browser_packages[@]}"
"$root/scripts/web.sh"
ensure_page_driver
build_preset release
step "measuring"
cd "$root/build"
xvfb-run -a -s "$xvfb_screen" bench/startup_bench
echo
bench/frame_bench
bench/update_bench
echo
GEOM_WEB_PAGE="$root/build-web/web/index.html" node "$root/bench/page_bench.mjs"
