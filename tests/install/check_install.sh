#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks one side of the result:
#   layout       the GNU layout: bin/slau, share/slau/help.htm, desktop entry, metainfo, man page,
#                icons; nothing left in bin/files
#   desktop      desktop-file-validate accepts the desktop entry, which starts --user-folder
#   metainfo     appstreamcli validate --pedantic finds nothing to say about the metainfo
#   man          man -l renders the English and the Russian man page without a warning
#   user-folder  the installed program, started with --user-folder, makes its data folder with
#                files/ and a link to the installed help page, and keeps an existing page
# Usage: check_install.sh BUILD_DIR CHECK
set -euo pipefail
build=$1
check=$2
id=ru.slau.slau
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null || {
        echo "SKIP: $1 is not installed (package $2); ./test.sh installs it"
        exit 77
    }
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

case "$check" in
layout)
    for path in bin/slau share/slau/help.htm "share/applications/$id.desktop" \
        "share/metainfo/$id.metainfo.xml" share/man/man1/slau.1.gz share/man/ru/man1/slau.1.gz share/doc/slau/copyright \
        "share/icons/hicolor/scalable/apps/$id.svg"; do
        [ -f "$prefix/$path" ] || fail "$path is not installed"
    done
    for size in 16 32 48 64 128 256; do
        [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" ] ||
            fail "no ${size}x$size icon"
    done
    [ -x "$prefix/bin/slau" ] || fail "bin/slau is not executable"
    [ ! -e "$prefix/bin/files" ] || fail "something is installed in bin/files"
    version=$("$prefix/bin/slau" --version)
    [ "$version" = "slau $(sed -n 's/^#define SLAU_VERSION "\(.*\)"/\1/p' "$build/support/build_info.h")" ] ||
        fail "bin/slau --version says '$version'"
    ;;
desktop)
    need desktop-file-validate desktop-file-utils
    entry=$prefix/share/applications/$id.desktop
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects $id.desktop"
    grep -qx 'Exec=slau --user-folder' "$entry" || fail "the desktop entry does not start --user-folder"
    grep -qx "Icon=$id" "$entry" || fail "the desktop entry names another icon"
    grep -q '^Name\[ru\]=' "$entry" && grep -q '^Keywords=' "$entry" ||
        fail "the desktop entry lacks a Russian name or keywords"
    ;;
metainfo)
    need appstreamcli appstream
    out=$(appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
        fail "appstreamcli rejects the metainfo: $out"
    echo "$out"
    if grep -q '^[EWIP]:' <<<"$out"; then fail "appstreamcli has remarks"; fi
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
        "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo launches another entry"
    ;;
man)
    need man man-db
    text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man1/slau.1.gz" 2>"$work/warnings")
    [ ! -s "$work/warnings" ] || fail "man warns: $(cat "$work/warnings")"
    for word in NAME SYNOPSIS OPTIONS --user-folder FILES "EXIT STATUS" "Помощь" "files/name"; do
        grep -qF -- "$word" <<<"$text" || fail "the rendered man page lacks '$word'"
    done
    text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/ru/man1/slau.1.gz" 2>"$work/warnings")
    [ ! -s "$work/warnings" ] || fail "man warns about the Russian page: $(cat "$work/warnings")"
    for word in ИМЯ СИНТАКСИС ПАРАМЕТРЫ --user-folder ФАЙЛЫ "КОД ВЫХОДА" "files/имя"; do
        grep -qF -- "$word" <<<"$text" || fail "the rendered Russian man page lacks '$word'"
    done
    ;;
user-folder)
    home=$work/home
    data=$home/.local/share/$id
    start() {
        # No window can be closed here, so the program is stopped once its folder is ready.
        HOME=$home XDG_DATA_HOME=$home/.local/share QT_QPA_PLATFORM=offscreen \
            "$prefix/bin/slau" --user-folder &
        pid=$!
        for _ in $(seq 100); do
            [ -L "$data/files/help.htm" ] || [ -f "$data/files/help.htm" ] && break
            sleep 0.1
        done
        sleep 0.5
        kill "$pid" 2>/dev/null || fail "the program ended by itself"
        wait "$pid" || true
    }
    start
    [ -d "$data/files" ] || fail "no $data/files after the first start"
    [ "$(readlink -f "$data/files/help.htm")" = "$(readlink -f "$prefix/share/slau/help.htm")" ] ||
        fail "files/help.htm does not lead to the installed page"
    rm "$data/files/help.htm"
    printf 'my page' >"$data/files/help.htm"
    start
    [ "$(cat "$data/files/help.htm")" = "my page" ] || fail "the user's own help.htm was replaced"
    ;;
*)
    fail "unknown check '$check'"
    ;;
esac
echo "install $check: ok"
