#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds Tunvia with its tests
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/check-format.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DTUNVIA_WERROR=ON -G Ninja
cmake --build build-tests -j"$(nproc)"
cd build-tests
ctest --output-on-failure --timeout 300 "$@"
