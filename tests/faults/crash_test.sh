#!/bin/bash
# Kills a writer of the program's files with SIGKILL at random moments: for each kind of file (the
# answer log, the last array, a named array, the name list) crash_writer rewrites it with two
# contents in turn (2 MB for the log, just under the 1 MB bound for the others), and is killed
# COUNT times. After every kill the file must be byte-equal to one of the two contents; a
# temporary file left beside it is counted and removed.
#   crash_test.sh WRITER COUNT [SEED]
set -u
WRITER=$(realpath "$1")
COUNT=${2:-200}
RANDOM=${3:-20261208}

T=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -KILL $pid 2>/dev/null; rm -rf "$T"' EXIT
failures=0

target_of() {
    case $1 in
    log) echo files/lastans ;;
    lostmas) echo files/LostMas ;;
    named) echo "files/Большой массив" ;;
    list) echo files/SaveList ;;
    esac
}

for kind in log lostmas named list; do
    target=$(target_of $kind)
    mkdir -p "$T/$kind/ref/files" "$T/$kind/work/files"
    (cd "$T/$kind/ref" && "$WRITER" $kind once A && cp "$target" ../A && "$WRITER" $kind once B &&
        cp "$target" ../B) || { echo "FAIL: $kind: the writer cannot write"; exit 1; }
    cmp -s "$T/$kind/A" "$T/$kind/B" && { echo "FAIL: $kind: the two contents are equal"; exit 1; }
    # One write, in milliseconds: the kills fall within the first three writes after the first.
    start=$(date +%s%N)
    (cd "$T/$kind/work" && "$WRITER" $kind once A) || exit 1
    span=$((($(date +%s%N) - start) / 1000000 * 3 + 1))
    wasA=0 wasB=0 bad=0 strays=0
    cd "$T/$kind/work"
    for ((i = 0; i < COUNT; i++)); do
        rm -f started
        "$WRITER" $kind loop 2>/dev/null &
        pid=$!
        until [[ -e started ]] || ! kill -0 $pid 2>/dev/null; do sleep 0.002; done
        sleep "$(printf '0.%03d' $((RANDOM % span % 1000)))"
        kill -KILL $pid 2>/dev/null
        wait $pid 2>/dev/null
        pid=
        if cmp -s "$target" ../A; then
            wasA=$((wasA + 1))
        elif cmp -s "$target" ../B; then
            wasB=$((wasB + 1))
        else
            bad=$((bad + 1))
            echo "FAIL: $kind: after kill $((i + 1)) the file is neither content ($(stat -c %s "$target") bytes)"
            cp ../A "$target"
        fi
        others=$(find files -type f ! -path "./$target" ! -path "$target" | wc -l)
        if ((others > 0)); then
            strays=$((strays + others))
            find files -type f ! -path "$target" -delete
        fi
    done
    cd - >/dev/null
    echo "$kind: $COUNT kills, old/new content A $wasA, B $wasB, damaged $bad, temporary files left $strays"
    failures=$((failures + bad))
done
[[ $failures == 0 ]]
