#!/bin/sh
# Builds every libFuzzer target with clang and runs each for SECONDS. Targets whose every
# input goes through a file (listed in `slow`) get a tenth of that, at least one second.
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
slow="iclist_file_fuzz"
status=0
for t in $targets; do
  corpus="$build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  limit=$seconds
  case " $slow " in
    *" $t "*) limit=$((seconds / 10)); [ "$limit" -ge 1 ] || limit=1 ;;
  esac
  echo "== $t for ${limit}s"
  if ! "$build/fuzz/$t" -max_total_time="$limit" -print_final_stats=1 "$corpus"; then
    status=1
  fi
done
exit $status
