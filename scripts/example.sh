#!/usr/bin/env bash
# Installs what is missing, builds the two programs, and runs them on the bundled examples. With a
# display their windows open there (close each, or press Escape, to go on); without one each
# program writes its picture itself, as PNG and as SVG, into build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
shots="$root/build/screenshots"

ensure_packages "${build_packages[@]}"
targets="trimap paraquad" build_preset release -DBUILD_TESTING=OFF
for program in trimap paraquad; do
    run=("$root/build/$program/$program")
    example="$root/examples/$program.txt"
    if [ -n "${DISPLAY:-}" ]; then
        step "running $program < examples/$program.txt (close the window to go on)"
        "${run[@]}" <"$example"
        continue
    fi
    mkdir -p "$shots"
    step "running $program --output build/screenshots/$program.png < examples/$program.txt"
    "${run[@]}" --output "$shots/$program.png" <"$example"
    step "running $program --output build/screenshots/$program.svg < examples/$program.txt"
    "${run[@]}" --output "$shots/$program.svg" <"$example" >/dev/null
    echo "   saved $shots/$program.png and $program.svg"
done
