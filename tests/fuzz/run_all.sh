#!/bin/bash
# Builds the libFuzzer binaries with clang (address and undefined sanitizers)
# in build-fuzz/ and fuzzes every target in turn for the given seconds, one
# job at a time, on a scratch copy of its committed corpus:
#   tests/fuzz/run_all.sh [seconds] [target ...]
# New inputs stay in build-fuzz/corpora/<target>; the inputs that crash, time
# out or run out of memory are written to build-fuzz/findings/<target>/, the
# fuzzer's output to build-fuzz/findings/<target>.log. Prints one line of
# statistics per target and fails when the fuzzer counted a fault or saved a
# finding. Installs clang where it is missing.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
shift || true
build="$root/build-fuzz"
if ! command -v clang++ >/dev/null; then
    if [ "$(id -u)" = 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang >/dev/null || exit 1
    else
        echo "Please install clang"; exit 1
    fi
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in "$root"/tests/fuzz/corpora/*/; do
        targets+=("$(basename "$dir")")
    done
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DKORVAN_FUZZ=ON -DKORVAN_WERROR=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" >/dev/null || exit 1
status=0
for target in "${targets[@]}"; do
    cmake --build "$build" -j2 --target "${target}_fuzzer" >/dev/null || { echo "$target: build failed"; status=1; continue; }
    work="$build/corpora/$target"
    findings="$build/findings/$target"
    mkdir -p "$work" "$findings"
    cp "$root/tests/fuzz/corpora/$target"/* "$work/"
    before=$(find "$work" -maxdepth 1 -type f | wc -l)
    # Scripts and korconv command lines name files, delete inputs (DEL) and
    # copy to ports: as root the fuzzer could damage the system, so it then
    # runs as the unprivileged user nobody, in directories that user owns.
    as_user=()
    if [ "$(id -u)" = 0 ]; then
        as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        chown -R 65534:65534 "$work" "$findings" || { echo "$target: cannot hand the work over"; status=1; continue; }
    fi
    dict=()
    [ -f "$root/tests/fuzz/dict/$target.dict" ] && dict=(-dict="$root/tests/fuzz/dict/$target.dict")
    # One forked worker that goes on after a crash, a timeout or running out
    # of memory, so that a target is fuzzed for the whole time and every
    # distinct finding of the run is kept. The targets work in a scratch
    # directory of their own that is removed, so the findings are written by
    # absolute path.
    log="$build/findings/$target.log"
    start=$(date +%s)
    (cd "$findings" && "${as_user[@]}" "$build/fuzzers/${target}_fuzzer" -max_total_time="$seconds" -fork=1 \
        -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 -artifact_prefix="$findings/" \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 -close_fd_mask=1 "${dict[@]}" "$work") \
        > "$log" 2>&1
    ran=$(( $(date +%s) - start ))
    # The fuzzer's status line after every job carries its own running count
    # of the faults: "#runs: cov: n ft: n corp: n exec/s n oom/timeout/crash: a/b/c ...".
    last=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1)
    if [ -z "$last" ]; then
        echo "$target: the fuzzer gave no status line, see $log"
        status=1
        continue
    fi
    runs=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
    rate=$(sed -nE 's/.* exec\/s:? ([0-9]+).*/\1/p' <<<"$last")
    IFS=/ read -r ooms timeouts crashes < <(sed -nE 's/.*oom\/timeout\/crash: ([0-9]+\/[0-9]+\/[0-9]+).*/\1/p' <<<"$last")
    added=$(( $(find "$work" -maxdepth 1 -type f | wc -l) - before ))
    # Findings are named by their content, so a fault met twice is one file.
    found=$(find "$findings" -maxdepth 1 -type f -newermt "@$start" \( -name 'crash-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'leak-*' \) | wc -l)
    faults=$(( ${ooms:-0} + ${timeouts:-0} + ${crashes:-0} ))
    echo "$target: ${ran} s, ${runs} executions, ${rate:-0} exec/s, coverage ${cov:-0}, ${added} new corpus entries," \
         "crashes ${crashes:-0}, timeouts ${timeouts:-0}, out of memory ${ooms:-0}, ${found} finding files saved in $findings"
    if [ "$faults" -gt 0 ] && [ "$found" -eq 0 ]; then
        echo "$target: the fuzzer counted $faults faults but saved no input, see $log"
    fi
    [ "$faults" -eq 0 ] && [ "$found" -eq 0 ] || status=1
done
exit $status
