#!/usr/bin/env bash
# Every C++ file of the source tree laid out by the project's .clang-format; the files that differ
# are named with clang-format's own diagnostics. Skips (exit 77) when clang-format is missing.
# Usage: check_format.sh SOURCE_DIR
set -euo pipefail
cd "$1"
command -v clang-format >/dev/null || { echo "SKIP: clang-format is not installed (package clang-format)"; exit 77; }
mapfile -d '' files < <(find . \( -path './build*' -o -path './.git' \) -prune -o \
    -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no C++ file found below $1" >&2; exit 1; }
clang-format --dry-run -Werror "${files[@]}"
echo "clang-format: ${#files[@]} files laid out as .clang-format says"
