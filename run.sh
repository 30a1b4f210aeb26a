#!/usr/bin/env bash
# Builds slau into build/ and starts it, with the program's own folder (which holds files/) as its
# working folder. Installs what the build needs when it is missing.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"

. scripts/install_missing.sh

# fonts-liberation gives the narrow sans-serif the windows are laid out for, fonts-dejavu-core the
# marks Liberation lacks (◂ ▸ of the answer line, ↵ of the log, the subscripts of the steps);
# qt6-translations-l10n holds Qt's own Russian texts (context menus, dialog buttons); GMP gives the
# exact answers. Configuring the project sets up the tests as well, and that needs Qt's lupdate
# (qt6-l10n-tools) although only the program is built here.
install_missing cmake g++ make qt6-base-dev libgl-dev libglx-dev libvulkan-dev fonts-liberation \
    fonts-dejavu-core qt6-translations-l10n libgmp-dev pkg-config qt6-l10n-tools

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
