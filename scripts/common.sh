# Shared by the scripts: say what each step is doing, install what is missing, then configure and
# build. Sourced by a script that runs with `set -euo pipefail`; expects $root to be the checkout.

# What the programs build with; libgl1-mesa-dri is Mesa's software renderer, which draws the PNG
# pictures with no display; libacl and libattr copy a replaced picture's ACL and attributes.
build_packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libegl-dev libpng-dev
    libgl1-mesa-dri libacl1-dev libattr1-dev)
# What the tests and the benchmark build with besides, the tools that set and read a file's ACL
# and extended attributes, and chattr, which makes a folder append-only (not in Debian 13's base).
test_build_packages=(libgtest-dev libx11-dev acl attr e2fsprogs)
# An X server with Mesa's software OpenGL, for windows on a machine without a display.
xvfb_packages=(xvfb xauth xfonts-base)
# -noreset: the server must not restart (dropping new connections) whenever its last client
# leaves, as it does between two tests.
xvfb_screen="-screen 0 1280x1024x24 -noreset"
# The browser the page is tested and measured in; npm fetches the driver, puppeteer-core, that the
# page's tests and benchmark drive it with.
browser_packages=(chromium)
# The SVG renderer the picture tests use, and the font it draws the names in; the Clang build, with
# the runtime of its sanitizers and of libFuzzer; the coverage report and the static checks.
check_packages=(librsvg2-bin fonts-dejavu-core clang libclang-rt-dev gcovr clang-tidy clang-format
    cppcheck)

# Announces a step, so that a failure can name it.
step() {
    current_step=$*
    echo "== $current_step"
}

# Names the step that failed, should the script end in error.
report_failure() {
    local status=$?
    ((status == 0)) || echo "== failed (status $status): ${current_step:-starting}" >&2
}
trap report_failure EXIT

# Runs a command with its output kept aside, and shown only if the command fails.
quietly() {
    local log
    log=$(mktemp)
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# Installs those of the given Debian packages that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    current_step="installing ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "installing ${missing[*]} needs root: run this as root, or with sudo" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    step "updating the package lists"
    quietly "${sudo[@]}" apt-get update
    step "installing ${missing[*]} (with what they need, a few minutes on a fresh machine)"
    quietly "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds with the given CMakePresets.json preset (its folder is build/, or
# build-PRESET/), then any further configure options, showing the build's progress as it goes.
# $targets, when set, names the only targets to build.
build_preset() {
    local preset=$1
    shift
    step "configuring the $preset build"
    quietly cmake -S "$root" --preset "$preset" "$@"
    step "building the $preset build"
    local log
    log=$(mktemp)
    # shellcheck disable=SC2086
    if ! (cd "$root" && cmake --build --preset "$preset" -j "$(nproc)" ${targets:+--target $targets}) 2>&1 |
        tee "$log" | sed -un 's/^\[ *\([0-9]*%\)\] Built target \(.*\)/   \1 \2/p'; then
        grep -v '^\[ *[0-9]*%\]' "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# Installs the page's test driver into tests/page/node_modules, as its lock file pins it, with
# Debian's npm where no npm is there.
ensure_page_driver() {
    command -v npm >/dev/null || ensure_packages npm
    step "installing puppeteer-core into tests/page/node_modules"
    quietly npm ci --prefix "$root/tests/page" --no-audit --no-fund
}
