# Shared by the example and test commands: install what is missing, then build.
# Sourced; expects $root to be the checkout.

build_packages=(cmake g++ make libgtest-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libx11-dev)
# An X server with Mesa's software OpenGL, for windows on a machine without a display.
xvfb_packages=(xvfb xauth xfonts-base libgl1-mesa-dri)
# -noreset: the server must not restart (dropping new connections) whenever its last client
# leaves, as it does between two tests.
xvfb_screen="-screen 0 1280x1024x24 -noreset"
# Fuzzing and static checks.
check_packages=(git clang-14 libclang-rt-14-dev clang-tidy-14 clang-format-14 cppcheck)

# Installs those of the given Debian packages that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Configures and builds into the given folder (build/ by default) with any further CMake options.
build_project() {
    local build="$root/${1:-build}"
    (($# == 0)) || shift
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$build" -j "$(nproc)"
}
