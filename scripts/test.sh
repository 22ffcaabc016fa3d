#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}"
build_project
cd "$root/build"
ctest --output-on-failure
