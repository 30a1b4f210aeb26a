# Sourced by run.sh and test.sh: install_missing PACKAGE... installs the Debian packages that are
# not installed yet, as root or through sudo, running apt-get update only when something is missing.
install_missing() {
    local me missing=() package
    me="$(basename "$0")"
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "$me: these packages are missing and sudo is not available: ${missing[*]}" >&2
            echo "$me: install them as root (apt-get install ${missing[*]}) and run again." >&2
            exit 1
        fi
        as_root=(sudo)
    fi
    echo "$me: installing ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}
