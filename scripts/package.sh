#!/usr/bin/env bash
# Installs what is missing, builds the two programs, and makes their Debian package in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

# dpkg-shlibdeps works out the dependencies, and needs `file` to find the binaries.
ensure_packages "${build_packages[@]}" dpkg-dev file
build_preset release -DBUILD_TESTING=OFF
step "packaging"
cd "$root/build"
quietly cpack
echo "   $(ls "$root"/build/trimap-paraquad_*.deb)"
