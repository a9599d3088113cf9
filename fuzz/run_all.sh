#!/bin/sh
# Builds every libFuzzer target with clang and runs each for SECONDS.
# Usage: fuzz/run_all.sh SECONDS [BUILD_DIR]   (BUILD_DIR defaults to build-fuzz)
# Extra configure options may be given in FENNIX_FUZZ_CMAKE_ARGS.
set -eu
seconds=${1:?usage: run_all.sh SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFENNIX_BUILD_FUZZ=ON -DFENNIX_BUILD_UI=OFF -DFENNIX_BUILD_BENCH=OFF ${FENNIX_FUZZ_CMAKE_ARGS:-} >/dev/null
targets=$(cd "$root/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//')
for t in $targets; do
  cmake --build "$build" -j"$(nproc)" --target "$t"
done
status=0
for t in $targets; do
  corpus="$build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 "$corpus"; then
    status=1
  fi
done
exit $status
