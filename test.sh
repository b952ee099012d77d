#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the Qt-free code again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests and fuzz replays.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup-deps.sh
jobs=$(nproc)

echo "== format"
scripts/check-format.sh

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
scripts/check-build-packages.sh build
cmake --build build -j"$jobs"

echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300

echo "== sanitizers (Qt-free code)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORVATH_WITH_QT=OFF \
    -DZORVATH_SANITIZE=ON -DZORVATH_BENCH=OFF >/dev/null
scripts/check-build-packages.sh build-asan
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600
