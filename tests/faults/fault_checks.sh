# Checks shared by the shell fault tests; sourced, with DRIVER set to the fault_driver program.
#
# A case starts from the seed files in a work folder, takes a snapshot, runs one operation under a
# fault and then requires:
#   - the driver returned (no crash) and left no file descriptor open;
#   - a failure names the operation's file and gives a Russian reason (the expected one when given),
#     never an English system text;
#   - after a failure every file is byte-equal to its snapshot and no file was added or removed;
#   - after a success the operation's file is byte-equal to what the same operation writes on a
#     healthy disk (the reference), every other file is unchanged and nothing else was added;
#     a reading operation, and a touch-read whose touch met the fault, changed nothing and read
#     what it reads on a healthy disk.

export LC_ALL=C.UTF-8
failures=0
cases=0

die() {
    echo "error: $*" >&2
    exit 1
}

skip() {
    echo "skipped: $*"
    exit 77
}

# The operations, one "name<tab>file<tab>effect" line each.
operation_table() { "$DRIVER" list; }

field() { # field KEY FILE: the value of a "key value" line of the driver's output
    sed -n "s/^$1 //p" "$2" | head -n 1
}

# Makes DIR a fresh work folder holding files/ with the seed files.
seed_folder() {
    rm -rf "$1" && mkdir -p "$1/files" && (cd "$1" && "$DRIVER" seed) || die "cannot seed $1"
}

# Runs the operation without any fault in a fresh folder and keeps the file it leaves and what it
# prints: $REF/<op>.file and $REF/<op>.out.
make_reference() {
    local op=$1 target=$2 dir="$REF/work-$1"
    seed_folder "$dir"
    (cd "$dir" && "$DRIVER" run "$op") >"$REF/$op.out" || die "reference run of $op crashed"
    [[ $(field status "$REF/$op.out") == ok ]] || die "reference run of $op failed: $(cat "$REF/$op.out")"
    cp "$dir/$target" "$REF/$op.file"
}

# The file list of a folder with each entry's type, for comparing what exists.
listing() { (cd "$1" && find . -printf '%y %p\n' | LC_ALL=C sort); }

report() { # report OP FAULT MESSAGE
    echo "FAIL: $2 / $1: $3"
    failures=$((failures + 1))
}

# check_case OP TARGET EFFECT FAULT WORK SNAPSHOT OUTPUT EXPECT [REASON]
# EXPECT is fail, ok or any; REASON, when given, is the reason a failure must give.
check_case() {
    local op=$1 target=$2 effect=$3 fault=$4 work=$5 snap=$6 out=$7 expect=$8 reason=${9:-}
    cases=$((cases + 1))
    local status got_reason message leaked open
    status=$(field status "$out")
    got_reason=$(field reason "$out")
    message=$(field message "$out")
    leaked=$(field fds-leaked "$out")
    open=$(field files-open "$out")
    [[ -n ${FAULTS_VERBOSE:-} ]] && echo "case: $fault / $op: $status${got_reason:+ ($got_reason)}"
    if [[ $status != ok && $status != fail ]]; then
        report "$op" "$fault" "no outcome (crashed?): $(head -c 300 "$out")"
        return
    fi
    [[ $leaked == 0 ]] || report "$op" "$fault" "$leaked file descriptor(s) left open"
    # Only a browsing cursor that was opened stays open, by design.
    local cursor=0
    [[ ($op == log.cursor || $op == log.touchCursor) && $status == ok ]] && cursor=1
    if [[ $open != 0 && $cursor == 0 ]]; then
        report "$op" "$fault" "a file stays open in the file table"
    fi
    if [[ $expect != any && $status != "$expect" ]]; then
        report "$op" "$fault" "expected $expect, got $status ($message)"
    fi
    if [[ $status == fail ]]; then
        [[ $(field path "$out") == "$target" ]] || report "$op" "$fault" "failure names $(field path "$out")"
        [[ $message == *"$target"* ]] || report "$op" "$fault" "message does not name the file: $message"
        printf '%s' "$got_reason" | grep -qP '[\x{0400}-\x{04FF}]' ||
            report "$op" "$fault" "reason is not Russian: '$got_reason'"
        printf '%s' "$message" | grep -qi 'error' && report "$op" "$fault" "English text in: $message"
        if [[ -n $reason && $got_reason != "$reason" ]]; then
            report "$op" "$fault" "reason '$got_reason', expected '$reason'"
        fi
        diff -r "$snap" "$work" >/dev/null 2>&1 ||
            report "$op" "$fault" "files changed after a failure: $(diff -rq "$snap" "$work" 2>&1 | head -3)"
        return
    fi
    # Success: the file as on a healthy disk, everything else as it was.
    if [[ $effect == touch-read ]] && ! cmp -s "$snap/$target" "$work/$target"; then
        # The touch did get its empty line in (there was room in the file's last block).
        cmp -s <(cat "$snap/$target"; printf '\r\n') "$work/$target" ||
            report "$op" "$fault" "the touch changed more than one empty line"
        cp "$work/$target" "$snap/$target"
    fi
    if [[ $effect == read || $effect == touch-read ]]; then
        diff -r "$snap" "$work" >/dev/null 2>&1 || report "$op" "$fault" "a reading operation changed files"
        [[ $(field result "$out") == "$(field result "$REF/$op.out")" ]] ||
            report "$op" "$fault" "read result differs from a healthy disk"
        return
    fi
    cmp -s "$work/$target" "$REF/$op.file" || report "$op" "$fault" "file differs from a healthy write"
    [[ $(listing "$snap") == $(listing "$work") ]] ||
        report "$op" "$fault" "files added or removed: $(diff <(listing "$snap") <(listing "$work") | head -3)"
    local f
    while IFS= read -r f; do
        [[ $f == "./$target" ]] && continue
        cmp -s "$snap/$f" "$work/$f" || report "$op" "$fault" "$f changed"
    done < <(cd "$snap" && find . -type f)
}

finish() {
    echo "$cases cases, $failures failures"
    [[ $failures == 0 ]]
}
