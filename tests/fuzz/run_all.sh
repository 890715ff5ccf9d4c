#!/bin/bash
# Builds the libFuzzer binaries with clang (address and undefined sanitizers)
# in build-fuzz/ and fuzzes every target in turn for the given seconds, one
# job at a time, on a scratch copy of its committed corpus:
#   tests/fuzz/run_all.sh [seconds] [target ...]
# New inputs stay in build-fuzz/corpora/<target>; crashes are written to
# build-fuzz/findings/<target>/. Installs clang where it is missing.
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
    dict=()
    [ -f "$root/tests/fuzz/dict/$target.dict" ] && dict=(-dict="$root/tests/fuzz/dict/$target.dict")
    echo "== $target: $seconds s"
    (cd "$findings" && "$build/fuzzers/${target}_fuzzer" -max_total_time="$seconds" -jobs=1 -workers=1 \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -close_fd_mask=1 "${dict[@]}" "$work") \
        > "$build/findings/$target.log" 2>&1 || status=1
    # With -jobs the worker writes its own log beside the findings.
    [ -f "$findings/fuzz-0.log" ] && cat "$findings/fuzz-0.log" >> "$build/findings/$target.log"
    grep -E "^stat::(number_of_executed_units|new_units_added)|ERROR|SUMMARY" "$build/findings/$target.log"
done
exit $status
