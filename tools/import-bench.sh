#!/usr/bin/env bash
# The import of compressed sound under Wine, run by tools/bench.sh once it has built
# build/win64's import_bench and mf_reader_bench and made the Wine prefix: a 1-minute and a
# 10-minute MP3, M4A and FLAC (a 440 Hz stereo tone at 44.1 kHz, 128 kbit/s where lossy, made by
# ffmpeg), each imported into a speech file beside `ffmpeg -i IN -f s16le -` decoding the same
# file, the best of ROUNDS of each; then the peak memory of the 1-minute and of the 10-minute
# import of each kind. For the kinds that Media Foundation's source reader decodes, the same
# figures of the reader alone (mf_reader_bench, none of the program's code), with the blocks
# its process's heaps still hold after the last sample: what grows there grows in the system.
#   bash tools/import-bench.sh WORK_FOLDER [ROUNDS]
# Exits 1 when the peak memory of the 10-minute MP3 or M4A import is more than 1 MiB above or
# below the 1-minute one's. FLAC's is shown but not counted: only the source reader decodes it,
# and under Wine that keeps memory for every sample it reads (see the figures of the reader
# alone), which the program cannot avoid.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p "$1/game"
work=$(realpath "$1")
rounds=${2:-5}
source tools/wine-env.sh
bench=build/win64/tests/import_bench.exe
reader_bench=build/win64/tests/mf_reader_bench.exe

# Seconds of a command's whole run, its output thrown away.
seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }'
}
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
# Whether two peaks in KiB are within 1 MiB of each other: says so and remembers a failure
# where the kind counts.
failed=0 counts=1
within_mib() {
  local difference=$(($3 - $2)) verdict=ok
  if ((difference > 1024 || difference < -1024)); then
    verdict="OVER 1 MiB"
    ((counts)) && failed=1 || verdict+=" (the system's, not counted)"
  fi
  echo "  $1: 10 minutes minus 1 minute ${difference} KiB (target within 1024): $verdict"
}

for ext in mp3 m4a flac; do
  case $ext in
    mp3) codec=(-c:a libmp3lame -b:a 128k) counts=1 ;;
    m4a) codec=(-c:a aac -b:a 128k) counts=1 ;;
    flac) codec=(-c:a flac) counts=0 ;;
  esac
  working=() committed=()  # peaks in KiB by minutes
  reader=()                # the reader alone's figures by minutes
  for minutes in 1 10; do
    sound=$work/tone-${minutes}min.$ext
    ffmpeg -v error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$((minutes * 60))" \
      -ac 2 "${codec[@]}" "$sound"
    best_ffmpeg='' best_import='' best_process=''
    for ((round = 0; round < rounds; round++)); do
      best_ffmpeg=$(least "$best_ffmpeg" "$(seconds ffmpeg -v error -i "$sound" -f s16le -)")
      rm -rf "$work/game/audio"
      start=$EPOCHREALTIME
      # Wine ends a console program's lines with CR LF.
      read -r import "working[minutes]" "committed[minutes]" \
        < <(wine_run "$bench" "Z:$sound" "Z:$work/game" | tr -d '\r')
      best_process=$(least "$best_process" \
        "$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')")
      best_import=$(least "$best_import" "$import")
    done
    if [ "$ext" != mp3 ]; then
      reader[minutes]=$(wine_run "$reader_bench" "Z:$sound" | tr -d '\r')
    fi
    echo "${minutes}-minute ${ext^^} ($(stat -c %s "$sound") bytes, speech file" \
      "$(stat -c %s "$work/game/audio/speech/00740007.iff") bytes), best of $rounds:"
    awk -v f="$best_ffmpeg" -v i="$best_import" -v p="$best_process" 'BEGIN {
      printf "  ffmpeg -i IN -f s16le -        %7.3f s\n", f
      printf "  import, inside the process     %7.3f s  %5.2f times ffmpeg\n", i, i / f
      printf "  import, whole Wine process     %7.3f s  %5.2f times ffmpeg\n", p, p / f }'
  done
  echo "Peak memory of the ${ext^^} import (KiB): working set ${working[1]} (1 minute)," \
    "${working[10]} (10 minutes), committed ${committed[1]}, ${committed[10]}"
  within_mib "working set" "${working[1]}" "${working[10]}"
  within_mib "committed" "${committed[1]}" "${committed[10]}"
  if [ "$ext" != mp3 ]; then
    read -r samples1 working1 committed1 blocks1 heap1 <<<"${reader[1]}"
    read -r samples10 working10 committed10 blocks10 heap10 <<<"${reader[10]}"
    echo "  the source reader alone (KiB): working set $working1, $working10, committed" \
      "$committed1, $committed10: 10 minutes minus 1 minute $((working10 - working1))," \
      "$((committed10 - committed1))"
    awk -v s1="$samples1" -v s10="$samples10" -v b1="$blocks1" -v b10="$blocks10" \
      -v h1="$heap1" -v h10="$heap10" 'BEGIN {
      printf "  heap blocks in use after the last of %d and %d samples: %d and %d KiB in %d and %d",
        s1, s10, h1, h10, b1, b10
      printf " blocks, %.1f blocks and %.0f bytes more per sample\n",
        (b10 - b1) / (s10 - s1), (h10 - h1) * 1024 / (s10 - s1) }'
  fi
done
exit $failed
