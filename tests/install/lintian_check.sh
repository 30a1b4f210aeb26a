#!/usr/bin/env bash
# lintian's verdict on the Debian package: cpack -G DEB builds it from the build tree into a folder
# of its own, and lintian must report no error and no warning. The one exception is the
# maintainer address while it is still the build's placeholder (SLAU_PACKAGE_MAINTAINER on
# localhost, in the control file and the changelog), which a packager replaces. Skips (exit 77)
# when lintian or cpack's helpers are missing.
# Usage: lintian_check.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "$1")
for tool in lintian cpack dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed; ./test.sh installs it"; exit 77; }
done
out=$build/lintian-package
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; echo "FAIL: cpack -G DEB failed" >&2; exit 1; }
deb=$(ls "$out"/slau_*.deb)
suppress=()
if dpkg-deb -f "$deb" Maintainer | grep -q '@localhost>$'; then
    suppress=(--suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog)
fi
# lintian warns when run as root; that line is not about the package.
report=$(lintian --tag-display-limit 0 "${suppress[@]}" "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "lintian on $(basename "$deb"):"
echo "${report:-(nothing to report)}"
if grep -q '^[EW]:' <<<"$report"; then
    echo "FAIL: lintian reports errors or warnings" >&2
    exit 1
fi
