#!/usr/bin/env bash
# Benchmark of the WAVE import: a 100 MB PCM WAVE file imported natively beside `cp` of the
# same file, a 100 MB 24-bit stereo file converted to 16 bits beside sox converting it, and the
# peak memory of an import and of a conversion of 1 MB and of 100 MB; then, under Wine on a
# virtual screen, the program's start-up to its painted window with the marks of 40 voices
# beside one with none (median of 10 each) and beside an empty window that starts as the
# program does (its manifest, common controls and menu bar), its peak memory while it
# plays a voice of 1 MB and one of 100 MB, to a sound device that plays into nothing; and while
# the program records, with a recording device that plays a tone, how often its level meter
# changes and its share of one core; and the import of a 1-minute and a 10-minute MP3, M4A and
# FLAC under Wine beside ffmpeg decoding them, with its peak memory, and the memory of the
# system's source reader alone on the same files (tools/import-bench.sh).
#   bash tools/bench.sh [rounds]          (default 5 rounds; the best of each counts)
# Build and work folder: $BENCH_BUILD (default build/bench). Needs about 500 MB there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build/bench}
bash tools/deps.sh
if ! command -v sox >/dev/null; then
  echo "bench: installing sox"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends sox >/dev/null
fi
cmake -S tests/bench -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target speech_bench >/dev/null
work=$build/work
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
"$build/speech_bench" "$work" "${1:-5}"

echo "== start-up under Wine"
root=$PWD
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 -j "$(nproc)" --target quillory startup_bench empty_window record_bench \
  import_bench mf_reader_bench >/dev/null
# The start-up of the program as players get it: optimised for size, without debug information.
cmake -S . -B build/win64-release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUILLORY_TESTS=OFF >/dev/null
cmake --build build/win64-release -j "$(nproc)" --target quillory >/dev/null
export WINE_ROOT=$root/build/wine
source tools/wine-env.sh
wine_prepare_prefix
# Refused (2) while a server of the prefix still runs, as one does just after the prefix is made.
"${WINE_UNPRIVILEGED[@]}" "$WINESERVER" -p10 </dev/null >/dev/null 2>&1 || true
bash tools/with-xvfb.sh tools/wine-run build/win64/tests/startup_bench.exe \
  "Z:$root/build/win64-release/app/quillory.exe" "Z:$root/build/win64/tests/empty_window.exe" 10
echo "== memory of the playback under Wine"
ALSA_CONFIG_PATH=$root/tests/data/silent-sound.conf bash tools/with-xvfb.sh tools/wine-run \
  build/win64/tests/startup_bench.exe "Z:$root/build/win64/app/quillory.exe" --play
echo "== the recording under Wine"
bash tools/with-xvfb.sh bash tools/with-microphone.sh tools/wine-run \
  build/win64/tests/record_bench.exe "Z:$root/build/win64/app/quillory.exe" 10
echo "== the import of compressed sound under Wine"
import_status=0
bash tools/with-xvfb.sh bash tools/import-bench.sh "$work/import" "${1:-5}" || import_status=$?
wine_stop_server
# Not zero when the import's peak memory grew with the file's length.
exit $import_status
