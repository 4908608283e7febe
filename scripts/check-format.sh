#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted with the tree's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if ! clang-format --dry-run -Werror "${files[@]}"; then
    echo "Unformatted files above: run clang-format -i on them." >&2
    exit 1
fi
