#!/usr/bin/env bash
# Builds slau and runs every test headless. Installs what the build needs when it is missing.
#   ./test.sh             build into build/ and run the tests there
#   ./test.sh --sanitize  the same with AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
script="$(readlink -f "${BASH_SOURCE[0]}")"
cd "$(dirname "$script")"

build_dir=build
sanitize=OFF
for arg in "$@"; do
    case "$arg" in
    --sanitize)
        build_dir=build-sanitize
        sanitize=ON
        ;;
    -h | --help)
        sed -n '2,4s/^# \{0,1\}//p' "$script"
        exit 0
        ;;
    *)
        echo "test.sh: unknown option '$arg' (try --help)" >&2
        exit 2
        ;;
    esac
done

# Installs the Debian packages that are not installed yet (apt-get update only when needed).
install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "test.sh: these packages are missing and sudo is not available: ${missing[*]}" >&2
            echo "test.sh: install them as root (apt-get install ${missing[*]}) and run again." >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    echo "test.sh: installing ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# qt6-base-dev brings Qt 6 Core, Gui, Widgets and Test with their CMake files; the OpenGL and
# Vulkan headers that the Qt6Gui CMake files look for are listed as well, to be sure.
# fonts-liberation gives the narrow sans-serif the windows are laid out for (and measured with).
install_missing cmake g++ make qt6-base-dev libgl-dev libglx-dev libvulkan-dev fonts-liberation

cmake -S . -B "$build_dir" -DSLAU_SANITIZE="$sanitize"
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
if ! ctest --test-dir "$build_dir" --output-on-failure; then
    echo "test.sh: some tests failed (see above)" >&2
    exit 1
fi
echo "test.sh: all tests passed ($build_dir)"
