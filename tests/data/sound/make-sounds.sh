#!/usr/bin/env bash
# Makes the compressed sound files of the decoder tests in folder $1: a 2.000 s 440 Hz tone at
# 44100 Hz in each kind the program decodes.
set -euo pipefail
out=$1
mkdir -p "$out"
tone=(-f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2")
make() { ffmpeg -nostdin -loglevel error -y "${tone[@]}" "$@"; }
make -ac 1 -c:a libmp3lame -b:a 128k "$out/cbr.mp3"
make -ac 2 -c:a libmp3lame -q:a 4 -id3v2_version 3 -metadata title=Tone "$out/vbr-id3.mp3"
make -ac 1 -c:a aac -b:a 96k "$out/tone.m4a"
make -ac 1 -c:a flac "$out/tone.flac"
make -ac 1 -c:a libvorbis "$out/tone.ogg"
make -ac 1 -c:a wmav2 -b:a 64k "$out/tone.wma"
