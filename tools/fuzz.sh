#!/usr/bin/env bash
# Fuzzes the WAVE reader of the speech import, the communication text file decoder, the
# speech sample file reader of the playback, the MP3 frame finder or the M4A's AAC track reader
# with libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer), natively:
#   bash tools/fuzz.sh [wav|commfile|speech|mp3|mp4] [seconds]    (defaults: wav, 60 seconds)
# The corpus grows in $FUZZ_BUILD/corpus-TARGET (default build folder: build/fuzz); a crash
# or a broken promise stops the run, leaves crash-* there and ends with a non-zero status.
# Add every input that failed as a regression test of the unit tests.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
target=${1:-wav}
seconds=${2:-60}
build=${FUZZ_BUILD:-build/fuzz}
case $target in
  wav | commfile | speech | mp3 | mp4) ;;
  *) echo "usage: bash tools/fuzz.sh [wav|commfile|speech|mp3|mp4] [seconds]" >&2; exit 2 ;;
esac

bash tools/deps.sh
CXX=clang++ cmake -S tests/fuzz -B "$build" -DCMAKE_BUILD_TYPE=None >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${target}_fuzz" >/dev/null

corpus=$build/corpus-$target
mkdir -p "$corpus"
options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$build/")
if [ "$target" = wav ]; then
  cp -n tests/data/wav/*.wav "$corpus/" 2>/dev/null || true
  options+=(-max_len=8192 -dict="$root/tests/fuzz/wav.dict")
elif [ "$target" = mp3 ] || [ "$target" = mp4 ]; then
  # The decoder tests' sound files, made the same way.
  [ -n "$(ls -A "$corpus")" ] || bash tests/data/sound/make-sounds.sh "$corpus"
  options+=(-max_len=16384 -dict="$root/tests/fuzz/mp3.dict")
elif [ "$target" = speech ]; then
  # Speech sample files as the import writes them, made of the WAVE test files' sound.
  if [ -z "$(ls -A "$corpus")" ]; then
    for wave in tests/data/wav/pcm*.wav; do
      python3 - "$wave" "$corpus/$(basename "$wave" .wav).iff" <<'EOF2'
import struct, sys
riff = open(sys.argv[1], 'rb').read()
chunks, at = {}, 12
while at + 8 <= len(riff):
    cid, size = riff[at:at + 4], struct.unpack('<I', riff[at + 4:at + 8])[0]
    chunks.setdefault(cid, riff[at + 8:at + 8 + size])
    at += 8 + size + size % 2
fmt, sound = chunks[b'fmt '][:16], chunks[b'data']
open(sys.argv[2], 'wb').write(b'FORM' + struct.pack('>I', 36 + len(sound)) + b'SAMPFRMT' +
                              struct.pack('>I', 16) + fmt + b'DATA' +
                              struct.pack('>I', len(sound)) + sound)
EOF2
    done
  fi
  options+=(-max_len=4096 -dict="$root/tests/fuzz/speech.dict")
else
  # A file of 40 empty texts behind a zero header.
  [ -n "$(ls -A "$corpus")" ] || head -c 128 /dev/zero >"$corpus/empty-texts"
  options+=(-max_len=4096)
fi
echo "== fuzzing $target for $seconds s (corpus $corpus)"
exec "$build/${target}_fuzz" "${options[@]}" "$corpus"
