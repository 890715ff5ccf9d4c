#!/bin/bash
# Builds the statement fuzzer with clang (libFuzzer with address and undefined
# sanitizers) in build-fuzz/, then runs it for the given number of seconds on a
# scratch copy of the committed corpus:
#   tests/fuzz/build_fuzzer.sh [seconds]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DKORVAN_FUZZ=ON -DKORVAN_WERROR=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$build" -j2 --target statement_fuzzer
work="$build/fuzz-corpus"
mkdir -p "$work"
cp "$root"/tests/fuzz/corpus/* "$work/"
"$build/tests/statement_fuzzer" -max_total_time="$seconds" -max_len=512 -timeout=5 -rss_limit_mb=1024 \
    -dict="$root/tests/fuzz/statement.dict" "$work"
