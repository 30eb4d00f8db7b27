#!/bin/sh
# Builds the settings-file fuzzer: tests/fuzz/build.sh [build folder]
# (default: build-fuzz at the top of the checkout). Prints the fuzzer's path.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../build-fuzz}
cmake -S "$here" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j 2 >&2
echo "$(cd "$out" && pwd)/ini_fuzzer"
