#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of both programs in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}" dpkg-dev # dpkg-shlibdeps works out the dependencies
build_project >/dev/null
cd "$root/build"
cpack
