#!/usr/bin/env bash
# Installs what is missing, builds, and measures in Xvfb: start-up to the first frame and peak
# memory of trimap and paraquad on their examples against the floor window (which draws a
# segment, a dot and a circle) and a window that is only cleared, and the cost of one frame of
# trimap's picture against the floor's and a clear-only frame. Not part of the test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" "${xvfb_packages[@]}"
build_project
step "measuring in Xvfb"
cd "$root/build"
xvfb-run -a -s "$xvfb_screen" sh -c '
    bench/startup_bench bench/clear_window bench/floor_window trimap/trimap paraquad/paraquad
    echo
    bench/frame_bench'
