#!/usr/bin/env bash
# Installs what is missing, builds, and runs both programs on the bundled examples. With a
# display the windows open there (close each to go on); without one the programs run in Xvfb
# and a PNG screenshot of each window is saved instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
title="Geometrija - prikaz zadatka"
shots="$root/build/screenshots"

# Runs a program on its example in the current X server and saves its window as a PNG; the
# program is stopped however this ends.
screenshot() {
    local program=$1 window
    "$root/build/$program/$program" <"$root/examples/$program.txt" &
    running=$!
    if ! window=$(timeout 20 xdotool search --sync --name "^$title\$" | head -n 1) ||
        [ -z "$window" ]; then
        echo "$program showed no window within 20 s" >&2
        return 1
    fi
    sleep 1 # let the first frame reach the screen
    import -window "$window" "$shots/$program.png"
    echo "   saved $shots/$program.png"
}
stop_program() {
    [ -z "${running:-}" ] || kill "$running" 2>/dev/null || true
}

if [ "${1:-}" = --screenshots ]; then
    trap 'report_failure; stop_program' EXIT
    mkdir -p "$shots"
    for program in trimap paraquad; do
        step "running $program < examples/$program.txt"
        screenshot "$program"
        stop_program
    done
    exit 0
fi

ensure_packages "${build_packages[@]}"
[ -n "${DISPLAY:-}" ] || ensure_packages "${xvfb_packages[@]}" xdotool imagemagick
build_project
if [ -z "${DISPLAY:-}" ]; then
    step "starting Xvfb, since there is no display; the windows are saved as screenshots"
    exec xvfb-run -a -s "$xvfb_screen" "$0" --screenshots
fi
for program in trimap paraquad; do
    step "running $program < examples/$program.txt (close the window to go on)"
    "$root/build/$program/$program" <"$root/examples/$program.txt"
done
