#!/usr/bin/env bash
# Builds Quillory and runs every test: the native tests, the same tests built for Windows and
# run under Wine, and the end-to-end tests that drive the real program under Wine on Xvfb.
# Also builds the 32-bit product, quillory.exe, and checks what it imports.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash tools/deps.sh

echo "== native build and tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native -j "$jobs" --output-on-failure

echo "== 32-bit product"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DQUILLORY_TESTS=OFF >/dev/null
cmake --build build/win32 -j "$jobs"

echo "== Windows build and tests under Wine"
export WINE_ROOT=$root/build/wine
source tools/wine-env.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DQUILLORY_PRODUCT="$root/build/win32/app/quillory.exe" >/dev/null
cmake --build build/win64 -j "$jobs"
wine_prepare_prefix
bash tools/with-xvfb.sh ctest --test-dir build/win64 -j "$jobs" --output-on-failure
wine_stop_server
