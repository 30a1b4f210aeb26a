#!/bin/bash
# Writes and reads that fail part way: every writing operation of the core runs under write_shim with the disk
# giving out after N bytes, for every N from 0 to the length of what the operation writes (a spread of them beyond 1 KB), then with
# the final rename, the link of the temporary file and the flush to disk failing. A rewritten file
# must stay byte-equal to its old content or become exactly the new one; an appended file must keep
# its old size or grow by exactly the one whole line. Every reading operation meets a read that
# fails part way and must report it, never hand on what it read so far as a success.
#   partial_write.sh DRIVER SHIM
set -u
DRIVER=$(realpath "$1")
SHIM=$(realpath "$2")
source "$(dirname "$0")/fault_checks.sh"

[[ -x $DRIVER && -f $SHIM ]] || die "usage: partial_write.sh DRIVER SHIM"

# A sanitized driver needs its runtime ahead of everything else that is preloaded.
preload=$SHIM
asan=$(ldd "$DRIVER" | awk '/libasan/ {print $3}')
[[ -n $asan ]] && preload="$asan $SHIM"

T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
REF=$T/ref
mkdir -p "$REF"
seed_folder "$T/seed"

# run_under OP TARGET EFFECT FAULT EXPECT REASON VAR=VALUE...
run_under() {
    local op=$1 target=$2 effect=$3 fault=$4 expect=$5 reason=$6
    shift 6
    rm -rf "$T/work" "$T/snap"
    cp -a "$T/seed" "$T/work"
    cp -a "$T/seed" "$T/snap"
    (cd "$T/work" && env LD_PRELOAD="$preload" "$@" "$DRIVER" run "$op") >"$T/out" 2>"$T/err"
    local rc=$?
    if [[ $rc != 0 ]]; then
        report "$op" "$fault" "driver exited with $rc: $(head -c 400 "$T/err")"
        return
    fi
    check_case "$op" "$target" "$effect" "$fault" "$T/work" "$T/snap" "$T/out" "$expect" "$reason"
}

nospace="на диске нет места"
ioerror="ошибка ввода-вывода"

# The shim must be in effect, or every case below would pass for nothing.
mkdir -p "$T/probe"
if (cd "$T/probe" && LD_PRELOAD="$preload" SHIM_WRITE_LIMIT=0 dd if=/dev/zero of=probe bs=1 count=1 status=none 2>/dev/null); then
    die "write_shim does not take effect"
fi

while IFS=$'\t' read -r op target effect; do
    make_reference "$op" "$target"
    if [[ $effect == read ]]; then
        run_under "$op" "$target" read "no write possible" ok "" SHIM_WRITE_LIMIT=0
        size=$(stat -c %s "$T/seed/$target")
        for n in $(printf '%s\n' 0 1 2 100 $((size / 2)) $((size - 1)) "$size" | awk -v s="$size" '$1 <= s' | sort -un); do
            # With every byte read, a reader that knows the size needs no read that meets the end.
            expect=fail
            ((n == size)) && expect=any
            run_under "$op" "$target" read "read fails after $n bytes" "$expect" "$ioerror" SHIM_READ_LIMIT=$n
        done
        run_under "$op" "$target" read "reads limited to the whole file" ok "" SHIM_READ_LIMIT=$((size + 1))
        echo "$op: reads failing after 0..$size bytes"
        continue
    fi
    if [[ $effect == touch-read ]]; then
        # The empty line cannot be added, or only in part (and is cut back): the read goes on.
        for n in 0 1; do
            run_under "$op" "$target" touch-read "touch fails after $n bytes" ok "" SHIM_WRITE_LIMIT=$n
        done
        echo "$op: touch failing after 0 and 1 bytes"
        continue
    fi
    old=$(stat -c %s "$T/seed/$target")
    new=$(stat -c %s "$REF/$op.file")
    length=$new
    [[ $effect == append ]] && length=$((new - old))
    # Every N for a short content; for a long one (the log rewritten whole) the ends, the first
    # blocks and a spread between them, so that a run stays short.
    if ((length <= 1024)); then
        counts=$(seq 0 "$length")
    else
        counts=$( (seq 0 64; seq 0 97 "$length"; seq $((length - 64)) "$length") | sort -un)
    fi
    for n in $counts; do
        expect=fail
        ((n == length)) && expect=ok
        run_under "$op" "$target" "$effect" "write fails after $n bytes" "$expect" "$nospace" \
            SHIM_WRITE_LIMIT=$n
    done
    echo "$op: writes failing after $(wc -w <<<"$counts") counts of 0..$length bytes"
    if [[ $effect == rewrite ]]; then
        run_under "$op" "$target" "$effect" "rename fails" fail "$ioerror" SHIM_FAIL_RENAME=1
        run_under "$op" "$target" "$effect" "link fails" fail "$ioerror" SHIM_FAIL_LINK=1
        run_under "$op" "$target" "$effect" "flush to disk fails" fail "$ioerror" SHIM_FAIL_SYNC=1
        echo "$op: rename, link and flush to disk failing"
    fi
done < <(operation_table)

finish
