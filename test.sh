#!/usr/bin/env bash
# Builds levelconf, sensor-sim and the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the fuzz targets of the
# parsers with clang and runs each for a few seconds on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

build=build-tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLEVELCONF_SANITIZE=ON
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

fuzz=build-fuzz
cmake -S . -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DLEVELCONF_FUZZ=ON
cmake --build "$fuzz" --parallel "$(nproc)"
ctest --test-dir "$fuzz" --output-on-failure --parallel "$(nproc)"
