#!/usr/bin/env bash
# Installs what is missing, builds Tunvia in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -G Ninja
cmake --build build-release -j"$(nproc)"
exec build-release/tunvia "$@"
