#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" "${xvfb_packages[@]}"
build_project
cd "$root/build"
# The GUI tests need an X server; this one lives exactly as long as the run. The tests run one
# at a time since they find the programs' windows by title.
xvfb-run -a -s "$xvfb_screen" ctest --output-on-failure
