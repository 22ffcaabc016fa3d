#!/usr/bin/env bash
# Installs what is missing and builds the page: both programs' dialogues and the SVG painter in
# WebAssembly, by Debian's Emscripten, into build-web/web/: index.html, app.js and page.js, which
# embeds the WebAssembly so that the page opens from file:// too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

# Debian's Emscripten runs on Node.js and needs acorn, which it finds through NODE_PATH where the
# node that runs is not Debian's own.
ensure_packages cmake make emscripten node-acorn
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
# Wherever this release's Emscripten keeps it.
build_preset web -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake"
echo "   $root/build-web/web/index.html ($(du -ck "$root"/build-web/web/{index.html,app.js,page.js} | tail -1 | cut -f1) KB)"
