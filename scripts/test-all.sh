#!/usr/bin/env bash
# Builds both trees and runs every test: the native tree (g++, sanitizers)
# and the Windows tree (MinGW-w64 i686) under Wine. Also checks that the
# benchmarks still build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/setup.sh

echo "== native tree (g++, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== win32 tree (i686-w64-mingw32, tests under Wine)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
ctest --preset win32 -j "$jobs"

echo "== benchmarks build"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

echo "all tests passed in both trees"
