#!/usr/bin/env bash
# Builds Korbena and runs every test: the unit and oracle tests, the same unit
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target
# for a short bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# A compiler cache, where the machine has one, makes the three builds cheap on a re-run;
# paths are taken relative to the checkout so that any clone shares it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi

echo "== Build and unit tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORBENA_BUILD_TESTS=ON -DKORBENA_BUILD_BENCH=ON -DKORBENA_BUILD_GUI=ON "${launcher[@]}" >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Sanitizer build (ASan + UBSan) of the unit tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORBENA_SANITIZE=ON \
    -DKORBENA_BUILD_GUI=OFF -DKORBENA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE oracle

echo "== Fuzz targets (clang, bounded)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORBENA_BUILD_FUZZ=ON -DKORBENA_BUILD_GUI=OFF -DKORBENA_BUILD_TESTS=OFF -DKORBENA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$jobs"
fuzz_seconds=${KORBENA_FUZZ_SECONDS:-20}
# Font caches of fontconfig live for the whole process: not leaks of ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
for target in build-fuzz/bin/fuzz_*; do
    [[ -x $target ]] || continue
    corpus=$(mktemp -d)
    seeds="fuzz/corpus/$(basename "$target")"
    [[ -d $seeds ]] && cp -r "$seeds"/. "$corpus"/
    echo "-- $(basename "$target") for ${fuzz_seconds}s"
    # The format's words, when it has a dictionary.
    dict="fuzz/$(basename "$target").dict"
    dict_option=()
    [[ -f $dict ]] && dict_option=(-dict="$dict")
    "$target" -max_total_time="$fuzz_seconds" -max_len=4096 -print_final_stats=0 "${dict_option[@]}" "$corpus" 2>&1 | tail -n 2
    rm -rf "$corpus"
done
echo "== All tests done"
