#!/usr/bin/env bash
# Builds Quillory and runs every test: the native tests, the same tests built for Windows and
# run under Wine, and the end-to-end tests that drive the real program under Wine on Xvfb.
# Also builds the package players get (tools/package.sh) twice, in two folders, and compares
# the two; checks its program without running it; and, where this machine can run 32-bit
# programs (tools/run32-setup.sh), runs the end-to-end tests again on the packaged quillory.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash tools/deps.sh

echo "== native build and tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native -j "$jobs" --output-on-failure

echo "== the package players get"
bash tools/package.sh build/win32 dist
package=$(ls "$root"/dist/quillory-*-win32.zip)

echo "== the package again, in another folder, at another time, in another time zone"
again=$root/build/package-again
rm -rf "$again"
(umask 077 && TZ=Pacific/Kiritimati bash tools/package.sh "$again/build" "$again/dist" >/dev/null)
diff -r dist "$again/dist"
echo "same bytes: $(cat dist/SHA256SUMS)"

echo "== Windows build and tests under Wine"
export WINE_ROOT=$root/build/wine
source tools/wine-env.sh
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DQUILLORY_PRODUCT="$package" >/dev/null
cmake --build build/win64 -j "$jobs"
wine_prepare_prefix
bash tools/with-xvfb.sh ctest --test-dir build/win64 -j "$jobs" --output-on-failure
wine_stop_server

echo "== end-to-end tests of the packaged 32-bit program"
if bash tools/run32-setup.sh >build/run32-setup.log 2>&1; then
  tail -n1 build/run32-setup.log
  shipped=$root/build/shipped
  rm -rf "$shipped"
  python3 -m zipfile -e "$package" "$shipped"
  (
    export WINE_ROOT=$root/build/wine32 WINEPREFIX=$root/build/wine32/prefix
    export QUILLORY_PROGRAM=$shipped/quillory.exe
    # Under CPU emulation Wine's own 32-bit code (the edit control with a long text, say) runs
    # up to 25 times slower than natively: the tests give the program more time.
    if [ "$(cat build/run32/mode)" = qemu ]; then
      export QUILLORY_E2E_TIME_SCALE=3
    fi
    started=$SECONDS
    bash tools/run32.sh bash -c 'source tools/wine-env.sh && wine_prepare_prefix'
    echo "32-bit Wine prefix ready in $(( SECONDS - started )) s"
    bash tools/run32.sh bash tools/with-xvfb.sh \
      ctest --test-dir build/win64 -L e2e -j "$jobs" --output-on-failure
    bash tools/run32.sh bash -c 'source tools/wine-env.sh && wine_stop_server'
  )
else
  echo "== skipped: $(tail -n1 build/run32-setup.log)"
fi
