#!/usr/bin/env bash
# Builds slau into build/ and starts it, with the program's own folder (which holds files/) as its
# working folder. Installs what the build needs when it is missing.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"

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
            echo "run.sh: these packages are missing and sudo is not available: ${missing[*]}" >&2
            echo "run.sh: install them as root (apt-get install ${missing[*]}) and run again." >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    echo "run.sh: installing ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# fonts-liberation gives the narrow sans-serif the windows are laid out for.
install_missing cmake g++ make qt6-base-dev libgl-dev libglx-dev libvulkan-dev fonts-liberation

cmake -S . -B build
cmake --build build --target slau -j"$(nproc)"

app_dir="$(pwd)/build/app"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    install_missing xvfb xauth
    {
        echo "run.sh: slau is built, but there is no display to show its windows on"
        echo "run.sh: (neither DISPLAY nor WAYLAND_DISPLAY is set)."
        echo "run.sh: to start it on a virtual X display anyway, run:"
        echo
        echo "    cd $(printf '%q' "$app_dir") && xvfb-run -a ./slau"
        echo
    } >&2
    exit 1
fi

cd "$app_dir"
exec ./slau
