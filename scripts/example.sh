#!/usr/bin/env bash
# Installs what is missing, builds, and runs both programs on the bundled examples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

ensure_packages "${build_packages[@]}"
build_project >/dev/null
for program in trimap paraquad; do
    echo "== $program < examples/$program.txt"
    status=0
    "$root/build/$program/$program" <"$root/examples/$program.txt" || status=$?
    echo "== exit status $status"
done
