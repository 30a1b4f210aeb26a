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

. scripts/install_missing.sh

# qt6-base-dev brings Qt 6 Core, Gui, Widgets, PrintSupport and Test with their CMake files; the OpenGL and
# Vulkan headers that the Qt6Gui CMake files look for are listed as well, to be sure.
# fonts-liberation gives the narrow sans-serif the windows are laid out for (and measured with),
# fonts-dejavu-core the marks Liberation lacks (the marks test asks which face draws each one);
# locales lets the locale test generate ru_RU.UTF-8; qt6-translations-l10n holds Qt's Russian texts;
# xvfb and xauth give the middle-button paste test an X server with a primary selection.
# The install checks use desktop-file-validate (desktop-file-utils), appstreamcli (appstream) and
# man (man-db); the package test builds the .deb with cpack (dpkg-shlibdeps from dpkg-dev, file)
# and installs it into a Debian 12 root made by debootstrap; lintian judges the package.
# clang-format checks the layout of the sources; lupdate (qt6-l10n-tools) extracts the program's
# texts from its translation calls for the help-texts test. pdflatex (texlive-latex-base, with
# the Russian fonts and babel of texlive-lang-cyrillic) compiles the steps window's LaTeX in the
# documents test.
install_missing cmake g++ make qt6-base-dev libgl-dev libglx-dev libvulkan-dev fonts-liberation \
    fonts-dejavu-core locales xvfb xauth qt6-translations-l10n desktop-file-utils appstream man-db \
    dpkg-dev file debootstrap libgmp-dev pkg-config lintian clang-format qt6-l10n-tools \
    texlive-latex-base texlive-lang-cyrillic

# A compiler warning fails the build here; not in the sanitizer build, whose instrumentation
# changes what GCC warns about.
werror=ON
[ "$sanitize" = OFF ] || werror=OFF
cmake -S . -B "$build_dir" -DSLAU_SANITIZE="$sanitize" -DSLAU_WERROR="$werror"
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
if [ "$sanitize" = ON ]; then
    export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
fi
# ctest keeps every test's whole output in a JUnit file; from it the reason of every skip is
# printed at the end: a whole test that skipped (a script's "SKIP: ..." line, exit 77) and a case
# of a test that skipped inside (QtTest's "SKIP   : ..." lines with their QSKIP messages).
results="$(pwd)/$build_dir/ctest-results.xml"
rm -f "$results"
failed=0
ctest --test-dir "$build_dir" --output-on-failure --output-junit "$results" \
    --test-output-size-passed 16000000 --test-output-size-failed 16000000 || failed=1
skips() {
    awk '/<testcase / { match($0, /name="[^"]*"/); test = substr($0, RSTART + 6, RLENGTH - 7)
                        shown = 0; skipped = ($0 ~ /status="(notrun|disabled)"/) }
         /<skipped/ { skipped = 1 }
         { line = $0; sub(/^[ \t]*<system-out>/, "", line) }
         line ~ /^SKIP( *): / { print test ": " line; shown = 1 }
         /<\/testcase>/ { if (skipped && !shown) print test ": skipped (no reason given)" }' "$1" |
        sed 's/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g; s/&apos;/'"'"'/g; s/&amp;/\&/g'
}
if [ -f "$results" ]; then
    skipped=$(skips "$results")
    if [ -n "$skipped" ]; then
        echo "test.sh: skipped, with their reasons:"
        printf '%s\n' "$skipped" | sed 's/^/    /'
    fi
fi
if [ "$failed" = 1 ]; then
    echo "test.sh: some tests failed (see above)" >&2
    exit 1
fi
echo "test.sh: all tests passed ($build_dir)"
