#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of both programs in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

# dpkg-shlibdeps works out the dependencies, and needs `file` to find the binaries.
ensure_packages "${build_packages[@]}" dpkg-dev file
build_project
step "packaging"
cd "$root/build"
quietly cpack
echo "   $(ls "$root"/build/trimap-paraquad_*.deb)"
