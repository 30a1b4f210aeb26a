#!/bin/bash
# The program's files do not depend on the user's locale: under LC_ALL=ru_RU.UTF-8, where the C
# library's decimal point is a comma, the core-level tests pass, and every file the core writes
# (each writing operation after the seed, and the large contents of the four kinds of file) is
# byte-identical to the same run under LC_ALL=C. Generates the locale when it is missing and
# reports itself skipped (77) when it cannot.
#   locale_files.sh DRIVER CRASH_WRITER BUILD_DIR TEST_REGEX
set -u
DRIVER=$(realpath "$1")
WRITER=$(realpath "$2")
BUILD=$(realpath "$3")
TESTS=$4
russian=ru_RU.UTF-8

has_locale() { locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; }
if ! has_locale; then
    command -v localedef >/dev/null || { echo "skipped: localedef is missing (package locales)"; exit 77; }
    localedef -i ru_RU -f UTF-8 $russian >/dev/null 2>&1 ||
        { echo "skipped: cannot generate $russian (needs the superuser and the package locales)"; exit 77; }
    has_locale || { echo "skipped: $russian still not available"; exit 77; }
    echo "generated $russian"
fi

# The locale must really reach the C library, or the comparison below proves nothing.
point=$(LC_ALL=$russian "$DRIVER" locale | sed -n 's/^decimal-point //p')
[[ $point == , ]] || { echo "FAIL: under $russian the decimal point is '$point', not a comma"; exit 1; }

T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# write_all LOCALE FOLDER: every writing operation in turn on the seed, then the large files.
write_all() {
    local dir=$2
    mkdir -p "$dir/files" "$dir/large/files"
    (
        export LC_ALL=$1
        cd "$dir" && "$DRIVER" seed || exit 1
        while IFS=$'\t' read -r op target effect; do
            "$DRIVER" run "$op" >>"$dir/../outcomes-$1" || exit 1
        done < <("$DRIVER" list)
        cd "$dir/large" || exit 1
        for kind in log lostmas named list; do
            "$WRITER" $kind once B || exit 1
        done
    )
}

write_all C "$T/c/work" || { echo "FAIL: writing under C"; exit 1; }
write_all $russian "$T/ru/work" || { echo "FAIL: writing under $russian"; exit 1; }
status=0
if ! diff -r "$T/c/work" "$T/ru/work" >"$T/diff" 2>&1; then
    echo "FAIL: files differ between C and $russian:"
    head -n 20 "$T/diff"
    status=1
fi
if ! cmp -s "$T/c/outcomes-C" "$T/ru/outcomes-$russian"; then
    echo "FAIL: operation outcomes differ between C and $russian:"
    diff "$T/c/outcomes-C" "$T/ru/outcomes-$russian" | head -n 20
    status=1
fi
echo "files compared: $(find "$T/c/work" -type f | wc -l), $(du -sb "$T/c/work" | cut -f1) bytes"

# The core-level tests under the Russian locale.
if ! LC_ALL=$russian ctest --test-dir "$BUILD" -R "$TESTS" --output-on-failure >"$T/ctest.log" 2>&1; then
    echo "FAIL: core-level tests under $russian:"
    grep -E 'Failed|FAIL|\*\*\*' "$T/ctest.log" | head -n 30
    status=1
fi
grep -E 'tests passed|tests failed' "$T/ctest.log"
grep -q 'No tests were found' "$T/ctest.log" && { echo "FAIL: no core-level test found"; status=1; }
exit $status
