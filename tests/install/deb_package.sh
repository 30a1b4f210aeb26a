#!/usr/bin/env bash
# The Debian package from outside: cpack -G DEB builds it from the build tree, apt-get installs it
# into a fresh Debian 12 root, and the installed program is started there from its desktop entry
# under Xvfb; a click on "Ввести данные" and one on "Готово" must write
# ~/.local/share/ru.slau.slau/files/LostMas for the user who started it.
# Needs root and debootstrap (skips with a message otherwise) and the Debian archive. The
# bootstrapped root and the downloaded packages are kept in SLAU_DEB_CACHE (default
# /var/cache/slau), outside the clone, so that later runs only copy them.
# Set SLAU_DEB_SCREENSHOT=FILE.png to keep a picture of the screen after "Готово".
# Usage: deb_package.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "$1")
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
id=ru.slau.slau
cache=${SLAU_DEB_CACHE:-/var/cache/slau}

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ "$(id -u)" = 0 ] || skip "the package test needs root (chroot, mounts)"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (package debootstrap)"
for tool in cpack dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || fail "$tool is missing (./test.sh installs it)"
done

# The archive this machine installs from, as its own APT sources name it: the first entry for
# bookworm itself (not -updates or -security), in the one-line form (sources.list, *.list) or in
# the deb822 form (*.sources); either may be missing. A mirror may have any path.
apt_sources() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -r "$f" ] || continue
        awk '{ sub(/#.*/, ""); gsub(/\[[^]]*\]/, "") }
             $1 == "deb" && $3 == "bookworm" && $2 ~ /^(https?|file):/ { print $2 }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -r "$f" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             { uri = ""; deb = 0; ok = 0; off = 0
               for (i = 1; i <= NF; i++) {
                   line = $i; if (line ~ /^[ \t]*#/) continue
                   if (line ~ /^Types:/ && line ~ /[ \t]deb([ \t]|$)/) deb = 1
                   if (line ~ /^Suites:/ && line ~ /[ \t]bookworm([ \t]|$)/) ok = 1
                   if (line ~ /^Enabled:[ \t]*no/) off = 1
                   if (line ~ /^URIs:/ && uri == "") { split(line, w, /[ \t]+/); uri = w[2] } }
               if (deb && ok && !off && uri ~ /^(https?|file):/) print uri }' "$f"
    done
}
mirror=${SLAU_DEBIAN_MIRROR:-$(apt_sources | head -n1)}
mirror=${mirror%/}
[ -n "$mirror" ] || skip "no Debian 12 archive found in /etc/apt; set SLAU_DEBIAN_MIRROR"
# Without the archive nothing can be installed in the root: say so instead of failing part way.
/usr/lib/apt/apt-helper download-file "$mirror/dists/bookworm/Release" "$(mktemp -u)" >/dev/null 2>&1 ||
    skip "the Debian archive $mirror cannot be reached"

# 1. The package.
rm -f "$build"/slau_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(ls "$build"/slau_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb"), Depends: $depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6 qt6-translations-l10n fonts-liberation fonts-dejavu-core; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done
contents=$(dpkg-deb -c "$deb")
grep -q "./usr/share/applications/$id.desktop" <<<"$contents" || fail "no desktop entry in the package"

# 2. A fresh Debian 12 root, copied from the cached one. The cache (the root and the package
# archive bound into every copy) serves one run at a time: another build's run on this machine
# waits here until that one ends.
mkdir -p "$cache/apt-archives/partial"
exec 9>"$cache/lock"
flock 9
if [ ! -x "$cache/debian12-root/usr/bin/apt-get" ]; then
    rm -rf --one-file-system "$cache/debian12-root.part"
    echo "bootstrapping Debian 12 into $cache/debian12-root (once)"
    debootstrap --variant=minbase bookworm "$cache/debian12-root.part" "$mirror" \
        >"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log"; fail "debootstrap failed"; }
    mv "$cache/debian12-root.part" "$cache/debian12-root"
fi
root=$(mktemp -d /var/tmp/slau-deb.XXXXXX)
cleanup() {
    for m in var/cache/apt/archives dev proc; do
        mountpoint -q "$root/$m" && umount -l "$root/$m"
    done
    if ! mountpoint -q "$root/dev" && ! mountpoint -q "$root/proc"; then
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
cp -a "$cache/debian12-root/." "$root/"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp "$deb" "$root/tmp/"
cp "$here/deb_drive.sh" "$root/tmp/deb_drive.sh"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

# 3. The install, as a user would do it, then what the test drives the program with.
in_root apt-get update -q >"$build/deb_apt.log" 2>&1 || { tail -n 20 "$build/deb_apt.log"; fail "apt-get update failed"; }
in_root sh -c "cd /tmp && apt-get install -y -q ./$(basename "$deb")" >>"$build/deb_apt.log" 2>&1 ||
    { tail -n 30 "$build/deb_apt.log"; fail "apt-get install ./$(basename "$deb") failed"; }
# The marks the program draws beyond Liberation's letters (◂ ▸ of the answer line, ↵ of the log,
# ₀ κ ∞ of the steps) have a face among the fonts the package brought: fc-list, from fontconfig
# (no fonts of its own, installed before anything else could bring one), asks for each.
in_root apt-get install -y -q --no-install-recommends fontconfig >>"$build/deb_apt.log" 2>&1 ||
    { tail -n 30 "$build/deb_apt.log"; fail "apt-get install fontconfig failed"; }
for mark in 25c2 25b8 21b5 2080 3ba 221e; do
    [ -n "$(in_root fc-list ":charset=$mark" family)" ] ||
        fail "no font the package installs has U+$mark: it would be drawn as an empty box"
done
tools="xvfb xauth xdotool"
[ -z "${SLAU_DEB_SCREENSHOT:-}" ] || tools="$tools x11-apps"
in_root apt-get install -y -q --no-install-recommends $tools >>"$build/deb_apt.log" 2>&1 ||
    { tail -n 30 "$build/deb_apt.log"; fail "apt-get install $tools failed"; }
[ -x "$root/usr/bin/slau" ] || fail "the package did not install /usr/bin/slau"
[ -f "$root/usr/share/slau/help.htm" ] || fail "the package did not install the help page"

# 4. The program started from its desktop entry by a new user.
in_root useradd -m tester
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$id.desktop" | sed 's/ %[a-zA-Z]//g')
echo "desktop entry starts: $exec_line"
in_root chroot --userspec=tester:tester / env HOME=/home/tester LANG=C.UTF-8 \
    sh /tmp/deb_drive.sh "$exec_line" "${SLAU_DEB_SCREENSHOT:+/tmp/screen.xwd}" ||
    fail "the installed program could not be driven (see above)"
data=$root/home/tester/.local/share/$id/files
[ -f "$data/LostMas" ] || fail "no $data/LostMas after \"Готово\""
[ -s "$data/LostMas" ] || fail "LostMas is empty"
[ "$(readlink -f "$data/help.htm")" = "$root/usr/share/slau/help.htm" ] ||
    [ "$(readlink "$data/help.htm")" = /usr/share/slau/help.htm ] ||
    fail "the user's files/help.htm does not lead to the installed page"
if [ -n "${SLAU_DEB_SCREENSHOT:-}" ] && [ -f "$root/tmp/screen.xwd" ]; then
    convert "xwd:$root/tmp/screen.xwd" "$SLAU_DEB_SCREENSHOT" || true
fi
echo "deb package: installed in a fresh Debian 12 root, started from $id.desktop, wrote LostMas"
