#!/usr/bin/env bash
# Installs what is missing, builds, and runs both programs on the bundled examples. With a
# display the windows open there (close each to go on); without one the programs run in Xvfb
# and a PNG screenshot of each window is saved instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
title="Geometrija - prikaz zadatka"
shots="$root/build/screenshots"

# Runs a program on its example in the current X server and saves its window as a PNG.
screenshot() {
    local program=$1 pid window
    "$root/build/$program/$program" <"$root/examples/$program.txt" &
    pid=$!
    window=$(timeout 20 xdotool search --sync --name "^$title\$" | head -n 1)
    sleep 1 # let the first frame reach the screen
    import -window "$window" "$shots/$program.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "== window saved as $shots/$program.png"
}

if [ "${1:-}" = --screenshots ]; then
    mkdir -p "$shots"
    for program in trimap paraquad; do
        echo "== $program < examples/$program.txt"
        screenshot "$program"
    done
    exit 0
fi

ensure_packages "${build_packages[@]}"
[ -n "${DISPLAY:-}" ] || ensure_packages "${xvfb_packages[@]}" xdotool imagemagick
build_project >/dev/null
if [ -z "${DISPLAY:-}" ]; then
    echo "no display: running in Xvfb and saving screenshots"
    exec xvfb-run -a -s "$xvfb_screen" "$0" --screenshots
fi
for program in trimap paraquad; do
    echo "== $program < examples/$program.txt (close the window to go on)"
    "$root/build/$program/$program" <"$root/examples/$program.txt" || echo "== exit status $?"
done
