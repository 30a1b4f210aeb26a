#!/bin/bash
# The faults that need the superuser: in a private mount namespace a 64 KiB tmpfs is filled up (no
# space left) and then remounted read-only, and every file operation of the core runs on it; then,
# as an unprivileged user, the in-process fault test runs its permission cases and every reading
# operation meets an unreadable file. Reports itself skipped (77) where this cannot be set up.
#   root_faults.sh DRIVER FAULT_TEST WINDOWS_TEST
set -u
DRIVER=$(realpath "$1")
FAULT_TEST=$(realpath "$2")
WINDOWS_TEST=$(realpath "$3")
source "$(dirname "$0")/fault_checks.sh"

[[ $EUID == 0 ]] || skip "mounting a small disk needs the superuser"
if [[ -z ${SLAU_FAULTS_NAMESPACE:-} ]]; then
    command -v unshare >/dev/null || skip "unshare is not installed"
    unshare -m --propagation private true 2>/dev/null || skip "no permission for a private mount namespace"
    SLAU_FAULTS_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi

T=$(mktemp -d)
chmod 755 "$T"
DISK=$T/disk
mkdir "$DISK"
trap 'umount "$DISK" 2>/dev/null; rm -rf "$T"' EXIT
mount -t tmpfs -o size=64k,mode=0755 tmpfs "$DISK" 2>/dev/null || skip "cannot mount a tmpfs"
REF=$T/ref
mkdir -p "$REF"

# Empties the disk, makes it writable and puts the seed files on it.
reset_disk() {
    mount -o remount,rw "$DISK" || die "cannot remount $DISK writable"
    rm -rf "${DISK:?}"/* && mkdir "$DISK/files" && (cd "$DISK" && "$DRIVER" seed) || die "cannot seed the disk"
}

# Takes every free block; the answer log and the name list end on a block boundary, so that even
# one more line needs a new block.
fill_disk() {
    dd if=/dev/zero of="$DISK/filler" bs=4096 status=none 2>/dev/null
    dd if=/dev/zero of="$DISK/filler2" bs=1 status=none 2>/dev/null
    local free
    free=$(df --output=avail -B1 "$DISK" | tail -n 1 | tr -d ' ')
    [[ $free == 0 ]] || die "the disk still has $free bytes free"
}

# run_on_disk OP TARGET EFFECT FAULT EXPECT REASON
run_on_disk() {
    rm -rf "$T/snap" && cp -a "$DISK" "$T/snap"
    (cd "$DISK" && "$DRIVER" run "$1") >"$T/out" 2>"$T/err" ||
        report "$1" "$4" "driver exited with $?: $(head -c 400 "$T/err")"
    check_case "$1" "$2" "$3" "$4" "$DISK" "$T/snap" "$T/out" "$5" "$6"
}

while IFS=$'\t' read -r op target effect; do
    make_reference "$op" "$target"
    expect=fail
    # A read goes on where only the touch before it fails.
    [[ $effect == read || $effect == touch-read ]] && expect=ok

    reset_disk
    fill_disk
    run_on_disk "$op" "$target" "$effect" "no space left" "$expect" "на диске нет места"

    reset_disk
    mount -o remount,ro "$DISK" || die "cannot remount $DISK read-only"
    run_on_disk "$op" "$target" "$effect" "read-only disk" "$expect" "диск доступен только для чтения"
done < <(operation_table)
echo "full disk and read-only disk: $cases cases, $failures failures"

# The windows read the files of a read-only disk although they cannot add their empty line.
reset_disk
mount -o remount,ro "$DISK" || die "cannot remount $DISK read-only"
cases=$((cases + 1))
if ! (cd "$T" && env SLAU_READ_ONLY_FOLDER="$DISK" QT_QPA_PLATFORM=offscreen "$WINDOWS_TEST" >"$T/windows.log" 2>&1); then
    report "(windows)" "read-only disk" "$(grep -E 'FAIL|Totals' "$T/windows.log" | head -5)"
fi
grep -q ' 0 skipped' "$T/windows.log" || report "(windows)" "read-only disk" "cases were skipped"
echo "windows on a read-only disk: $(grep Totals "$T/windows.log")"

# Permissions bind only an unprivileged user.
nobody=65534
if ! command -v setpriv >/dev/null; then
    echo "note: setpriv is missing; permission cases not run"
elif ! setpriv --reuid=$nobody --regid=$nobody --clear-groups test -x "$FAULT_TEST"; then
    echo "note: the test programs are not reachable for an unprivileged user; permission cases not run"
else
    cases=$((cases + 1))
    if ! (cd "$T" && setpriv --reuid=$nobody --regid=$nobody --clear-groups \
        env TMPDIR=/tmp "$FAULT_TEST" brokenFolder touchDoesNotStopRead unwritableFolder >"$T/perm.log" 2>&1); then
        report "(in-process)" "no permission" "$(grep -E 'FAIL|Totals' "$T/perm.log" | head -5)"
    fi
    grep -q ' 0 skipped' "$T/perm.log" || report "(in-process)" "no permission" "cases were skipped"
    echo "permissions: $(grep Totals "$T/perm.log")"

    # An unreadable file for every reading operation; a read-only one for every touch-read, which
    # reads it without adding to it.
    mount -o remount,rw "$DISK"
    while IFS=$'\t' read -r op target effect; do
        [[ $effect == read || $effect == touch-read ]] || continue
        for mode in 0 0444; do
            [[ $mode == 0444 && $effect == read ]] && continue
            reset_disk
            chmod $mode "$DISK/$target"
            rm -rf "$T/snap" && cp -a "$DISK" "$T/snap"
            (cd "$DISK" && setpriv --reuid=$nobody --regid=$nobody --clear-groups "$DRIVER" run "$op") \
                >"$T/out" 2>"$T/err" || report "$op" "file mode $mode" "driver exited with $?"
            expect=fail
            [[ $mode == 0444 ]] && expect=ok
            check_case "$op" "$target" "$effect" "file mode $mode" "$DISK" "$T/snap" "$T/out" $expect "нет прав доступа"
        done
    done < <(operation_table)
fi

finish
