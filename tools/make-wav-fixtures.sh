#!/usr/bin/env bash
# Makes the WAVE files of tests/data/wav with real encoders (sox, ffmpeg, espeak-ng, Python's
# wave module). The files are checked in; run this only to make them again:
#   bash tools/make-wav-fixtures.sh
# Needs: sox, ffmpeg, espeak-ng, python3, and numpy (Debian: python3-numpy).
#
# Beside each PCM file it writes NAME.samples: the sound bytes as Python's wave module reads
# them, the independent answer the tests compare the speech sample file's data with.
# Beside each 8/16-bit WAVE_FORMAT_EXTENSIBLE file, which is taken unchanged, it writes
# NAME.samples too: the data chunk's bytes, found by walking the chunk list here (Python 3.11's
# wave module refuses tag FFFE).
# Beside each file whose samples the import turns into 16-bit PCM (24/32-bit integer, 32/64-bit
# float) it writes NAME.s16: the 16-bit samples expected, raw interleaved little-endian, made
# by sox and numpy, never by the code of this repository. See "16-bit answers" below for which
# of the two each file uses.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in sox ffmpeg espeak-ng python3; do
  command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install sox ffmpeg espeak-ng python3" >&2; exit 1; }
done
# numpy may be in Debian's python3 only, when python3 on the PATH is another one.
numpy_python=python3
python3 -c 'import numpy' 2>/dev/null || numpy_python=/usr/bin/python3
"$numpy_python" -c 'import numpy' 2>/dev/null || { echo "needs numpy: apt-get install python3-numpy" >&2; exit 1; }
out=tests/data/wav
mkdir -p "$out"
rm -f "$out"/*.wav "$out"/*.samples "$out"/*.s16

tone=(-f lavfi -i "sine=frequency=440:sample_rate=8000:duration=0.1")
ffmpeg_fixed=(-v error -y -fflags +bitexact -flags:a +bitexact)

# PCM, as the import takes it.
sox -D -r 8000 -n -b 8 -e unsigned -c 1 "$out/pcm8-mono-sox.wav" synth 0.0125 sine 440
sox -D -r 8000 -n -b 16 -e signed -c 2 "$out/pcm16-stereo-sox.wav" synth 0.01 sine 440 sine 660 vol 0.5
espeak-ng -s 450 -w "$out/pcm16-mono-espeak.wav" "go"
python3 - "$out" <<'EOF'
import math, struct, sys, wave
out = sys.argv[1]

def tone(n, channels, width, rate):
    frames = bytearray()
    for i in range(n):
        for c in range(channels):
            v = math.sin(2 * math.pi * (440 + 220 * c) * i / rate)
            frames += bytes([128 + int(100 * v)]) if width == 1 else struct.pack('<h', int(9000 * v))
    return bytes(frames)

def write(name, channels, width, rate, frames):
    with wave.open(f'{out}/{name}', 'wb') as w:
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(frames)

write('pcm8-stereo-python.wav', 2, 1, 11025, tone(60, 2, 1, 11025))
write('pcm16-mono-python.wav', 1, 2, 11025, tone(90, 1, 2, 11025))

# An odd number of sound bytes, the pad byte after them, then a LIST chunk (and one more
# chunk) after the data chunk, as tagging tools append them.
name = f'{out}/pcm8-odd-list-after-python.wav'
write('pcm8-odd-list-after-python.wav', 1, 1, 8000, tone(101, 1, 1, 8000))
with open(name, 'rb') as f:
    riff = bytearray(f.read())
if len(riff) % 2:
    riff += b'\0'
text = b'recorded data for slot 7\0'
info = b'INFO' + b'ICMT' + struct.pack('<I', len(text)) + text + b'\0' * (len(text) % 2)
riff += b'LIST' + struct.pack('<I', len(info)) + info
riff += b'cue ' + struct.pack('<I', 4) + b'\0\0\0\0'
riff[4:8] = struct.pack('<I', len(riff) - 8)
with open(name, 'wb') as f:
    f.write(riff)
EOF
# A LIST/INFO chunk before the data chunk whose texts hold the word "data".
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -ac 1 -c:a pcm_u8 -metadata title="metadata test" \
  -metadata comment="the data chunk follows" "$out/pcm8-list-before-ffmpeg.wav"
# 99 sound bytes and the pad byte.
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -af atrim=end_sample=99 -ac 1 -c:a pcm_u8 \
  -map_metadata -1 "$out/pcm8-odd-pad-ffmpeg.wav"

# Not PCM: refused.
sox -D -r 8000 -n -b 32 -e floating-point -c 1 "$out/float-sox.wav" synth 0.005 sine 440
sox -D -r 8000 -n -e ms-adpcm -c 1 "$out/adpcm-ms-sox.wav" synth 0.01 sine 440
sox -D -r 8000 -n -e u-law -c 1 "$out/mulaw-sox.wav" synth 0.01 sine 440
ffmpeg "${ffmpeg_fixed[@]}" "${tone[@]}" -af atrim=end_sample=40 -ac 1 -c:a pcm_s24le \
  -map_metadata -1 "$out/extensible24-ffmpeg.wav"

# Sound the import turns into 16-bit PCM. Each uses most of the range, with samples at and
# near full scale and negative ones; the floats from ffmpeg and Python also go past full scale.
# sox writes tag FFFE for 24 and 32 bits, tag 3 for floats.
sox -D -r 8000 -n -b 24 -e signed -c 2 "$out/int24-stereo-sox.wav" synth 0.005 sine 440 square 300
sox -D -r 8000 -n -b 64 -e floating-point -c 1 "$out/float64-sox.wav" synth 0.005 sine 440
# ffmpeg writes tag FFFE for more than 16 bits, so its floats carry the float sub-format GUID.
# $ramp rises from -1 to 1 over the 40 frames.
ramp="-1+2*t/0.004875"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi -i "aevalsrc=1.1*sin(2*PI*440*t)|$ramp:s=8000:d=0.005" \
  -map_metadata -1 -c:a pcm_s24le "$out/int24-stereo-ffmpeg.wav"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi -i "aevalsrc=1.2*sin(2*PI*440*t):s=8000:d=0.005" \
  -map_metadata -1 -c:a pcm_f32le "$out/float32-ffmpeg.wav"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi -i "aevalsrc=1.2*sin(2*PI*440*t)|$ramp:s=8000:d=0.005" \
  -map_metadata -1 -c:a pcm_f64le "$out/float64-stereo-ffmpeg.wav"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi \
  -i "aevalsrc=1.2*sin(2*PI*440*t)|$ramp|-0.5*sin(2*PI*660*t):s=8000:d=0.005" \
  -map_metadata -1 -c:a pcm_f32le "$out/float32-3ch-ffmpeg.wav"
# Taken unchanged: ffmpeg writes tag FFFE for more than 2 channels.
six="sin(2*PI*440*t)|-1|1|0.5|-0.25|$ramp"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi -i "aevalsrc=$six:s=8000:d=0.005" -map_metadata -1 \
  -c:a pcm_s16le "$out/extensible16-6ch-ffmpeg.wav"
ffmpeg "${ffmpeg_fixed[@]}" -f lavfi -i "aevalsrc=$six:s=8000:d=0.005" -map_metadata -1 \
  -c:a pcm_u8 "$out/extensible8-6ch-ffmpeg.wav"
python3 - "$out" <<'EOF'
import math, struct, sys, wave
out = sys.argv[1]

def wave_file(name, tag, channels, rate, bits, data, valid=None, mask=0, extra=b''):
    align = channels * bits // 8
    fmt = struct.pack('<HHIIHH', tag, channels, rate, rate * align, align, bits)
    if tag == 0xFFFE:
        # cbSize 22, valid bits, channel mask, sub-format GUID (PCM or IEEE float).
        guid = struct.pack('<H', 1 if valid is not None else 3) + bytes.fromhex('000000001000800000aa00389b71')
        fmt += struct.pack('<HHI', 22, valid or bits, mask) + guid
    elif tag == 3:
        fmt += struct.pack('<H', 0)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + extra
    body += b'data' + struct.pack('<I', len(data)) + data + b'\0' * (len(data) % 2)
    with open(f'{out}/{name}', 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)

def sine(n, full):
    return [round(full * math.sin(2 * math.pi * 440 * i / 8000)) for i in range(n)]

# Full scale, the last values that round below it and the first that clamp, and the
# rounding edges just below and above zero and around one 16-bit step.
def edges(shift):
    top, half = (1 << (15 + shift)) - 1, 1 << (shift - 1)
    return [top, top - 1, (32767 << shift) + half - 1, (32767 << shift) + half, -top - 1, -top,
            -half - 1, -half, half - 1, half, (5 << shift) + half - 1, (5 << shift) + half,
            -(5 << shift) - half - 1, -(5 << shift) - half]

def pcm(name, width, values):
    with wave.open(f'{out}/{name}', 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(width)
        w.setframerate(8000)
        w.writeframes(b''.join(v.to_bytes(width, 'little', signed=True) for v in values))

# Tag 1 with 24 and 32 bits, as the wave module writes them.
pcm('int24-mono-python.wav', 3, sine(30, 8388607) + edges(8))
pcm('int32-mono-python.wav', 4, sine(30, 2147483647) + edges(16))

# 20 valid bits in a 24-bit container: the low 4 bits are zero.
values = sine(30, 524287) + [524287, -524288, 524279, 524280, -8, -9, 7, 8]
data = b''.join((v << 4).to_bytes(3, 'little', signed=True) for v in values)
wave_file('extensible20in24-python.wav', 0xFFFE, 1, 8000, 24, data, valid=20, mask=0x4)

# Tag 3 floats past full scale, infinities, NaN, and +-0.5, which scales to exactly
# +-16383.5 and so rounds away from zero.
floats = [0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 1.5, -1.5, float('inf'), float('-inf'), float('nan'),
          2.0 / 32767, -2.0 / 32767, 1e-6, -1e-6, 0.999, -0.999, 1.0000001, -1.0000001]
floats += [math.sin(2 * math.pi * 440 * i / 8000) for i in range(21)]
wave_file('float32-edges-python.wav', 3, 1, 8000, 32, struct.pack(f'<{len(floats)}f', *floats),
          extra=b'fact' + struct.pack('<II', 4, len(floats)))
EOF

# The sound bytes of each PCM file, read by Python's wave module.
python3 - "$out" <<'EOF'
import glob, sys, wave
for name in sorted(glob.glob(f'{sys.argv[1]}/pcm*.wav')):
    with wave.open(name, 'rb') as w:
        frames = w.readframes(w.getnframes())
    with open(name[:-4] + '.samples', 'wb') as f:
        f.write(frames)
EOF

# 16-bit answers, and the data chunk of the extensible files taken unchanged.
# The import's rule: integer samples round to nearest from their top 16 bits ((v + 128) >> 8
# for 24 bits, (v + 32768) >> 16 for 32), at most 32767; floats are clamped to -1..1, scaled by
# 32767 and rounded half away from zero, NaN as 0. numpy applies this rule to the samples read
# here; sox converts the same files on its own (sox NAME.wav -D -b 16 -e signed-integer -t raw).
# - Integer files use sox's answer. The script stops unless numpy's rule finds the same, and it
#   does for every sample of every file: sox too rounds half up from the top bits and stops at
#   32767. sox refuses 20 valid bits in 24 ("padded samples"), so it is given a copy of that file
#   that says 24 valid bits: the same values, as their low 4 bits are zero.
# - Float files use numpy's rule: sox scales by 32768, not 32767 (its answer is exactly
#   floor(32768 x + 0.5), at most 32767), so it is 1 off in about half of the samples: 26 of 40
#   in float-sox, 27 of 40 in float64-sox, 20 of 40 in float32-ffmpeg, 39 of 80 in
#   float64-stereo-ffmpeg, 50 of 120 in float32-3ch-ffmpeg, 23 of 40 in float32-edges-python.
#   There sox also gives -32768 for -1.0, anything below it and -inf where the rule gives -32767, and
#   -32768 for NaN (32768 off, the one larger difference). The script stops if sox is more than
#   1 off anywhere but NaN. Each run prints these counts again.
"$numpy_python" - "$out" <<'EOF'
import os, struct, subprocess, sys, tempfile
import numpy as np
out = sys.argv[1]
PCM = bytes.fromhex('0100000000001000800000aa00389b71')
FLOAT = bytes.fromhex('0300000000001000800000aa00389b71')

def chunks(path):
    riff = open(path, 'rb').read()
    assert riff[:4] == b'RIFF' and riff[8:12] == b'WAVE', path
    found, pos = {}, 12
    while pos + 8 <= len(riff):
        size = struct.unpack('<I', riff[pos + 4:pos + 8])[0]
        found.setdefault(riff[pos:pos + 4], riff[pos + 8:pos + 8 + size])
        pos += 8 + size + (size & 1)
    return found

def layout(path):
    found = chunks(path)
    fmt = found[b'fmt ']
    tag, channels, rate, _, align, bits = struct.unpack('<HHIIHH', fmt[:16])
    info = dict(tag=tag, channels=channels, rate=rate, bits=bits, valid=bits, sub='-', cb='-',
                frames=len(found[b'data']) // align, size=os.path.getsize(path))
    if len(fmt) >= 18:
        info['cb'] = struct.unpack('<H', fmt[16:18])[0]
    if tag == 0xFFFE:
        info['valid'] = struct.unpack('<H', fmt[18:20])[0]
        info['sub'] = {PCM: 'PCM', FLOAT: 'float'}.get(fmt[24:40], fmt[24:40].hex())
    return info, found[b'data']

def rule(info, data):
    kind = info['sub'] if info['tag'] == 0xFFFE else {1: 'PCM', 3: 'float'}[info['tag']]
    bits = info['bits']
    if kind == 'float':
        x = np.frombuffer(data, f'<f{bits // 8}').astype(np.float64)
        y = np.clip(np.nan_to_num(x, nan=0.0, posinf=1.0, neginf=-1.0), -1.0, 1.0) * 32767
        whole = np.trunc(y)
        return (whole + np.sign(y) * (np.abs(y - whole) >= 0.5)).astype(np.int64)
    raw = np.frombuffer(data, np.uint8).reshape(-1, bits // 8).astype(np.int64)
    v = sum(raw[:, i] << (8 * i) for i in range(bits // 8))
    v -= (v >= 1 << (bits - 1)) << bits
    return np.minimum((v + (1 << (bits - 17))) >> (bits - 16), 32767)

def sox16(path, info):
    if info['valid'] != info['bits']:
        # sox refuses fewer valid bits than the container has ("padded samples"); its copy says
        # 24 of 24, the same values, as the low bits are zero.
        riff = bytearray(open(path, 'rb').read())
        at = riff.index(b'fmt ') + 8 + 18
        riff[at:at + 2] = struct.pack('<H', info['bits'])
        path = os.path.join(tempfile.mkdtemp(), 'container.wav')
        with open(path, 'wb') as f:
            f.write(riff)
    raw = subprocess.run(['sox', '-V1', path, '-D', '-b', '16', '-e', 'signed-integer', '-t', 'raw',
                          '-'], check=True, capture_output=True).stdout
    return np.frombuffer(raw, '<i2').astype(np.int64)

# The layout each file is meant to have: tag, sub-format, channels, bits, valid bits.
converted = {
    'extensible24-ffmpeg': (0xFFFE, 'PCM', 1, 24, 24),
    'int24-stereo-sox': (0xFFFE, 'PCM', 2, 24, 24),
    'int24-stereo-ffmpeg': (0xFFFE, 'PCM', 2, 24, 24),
    'int24-mono-python': (1, '-', 1, 24, 24),
    'int32-mono-python': (1, '-', 1, 32, 32),
    'extensible20in24-python': (0xFFFE, 'PCM', 1, 24, 20),
    'float-sox': (3, '-', 1, 32, 32),
    'float64-sox': (3, '-', 1, 64, 64),
    'float32-ffmpeg': (0xFFFE, 'float', 1, 32, 32),
    'float64-stereo-ffmpeg': (0xFFFE, 'float', 2, 64, 64),
    'float32-3ch-ffmpeg': (0xFFFE, 'float', 3, 32, 32),
    'float32-edges-python': (3, '-', 1, 32, 32),
}
copied = {
    'extensible16-6ch-ffmpeg': (0xFFFE, 'PCM', 6, 16, 16),
    'extensible8-6ch-ffmpeg': (0xFFFE, 'PCM', 6, 8, 8),
}
print(f'{"file":28} {"tag":>4} {"sub":5} {"cb":>2} {"ch":>2} {"rate":>4} {"bits":>4} {"valid":>5} '
      f'{"frames":>6} {"size":>5}  answer, sox against the rule')
for name, meant in {**converted, **copied}.items():
    path = f'{out}/{name}.wav'
    info, data = layout(path)
    head = (f'{name:28} {info["tag"]:4X} {info["sub"]:5} {info["cb"]:>2} {info["channels"]:2} '
            f'{info["rate"]:4} {info["bits"]:4} {info["valid"]:5} {info["frames"]:6} {info["size"]:5}')
    found = (info['tag'], info['sub'], info['channels'], info['bits'], info['valid'])
    assert found == meant and info['rate'] == 8000, f'{name}: {found}'
    assert info['cb'] == {0xFFFE: 22, 3: 0, 1: '-'}[info['tag']], f'{name}: cbSize {info["cb"]}'
    if name in copied:
        with open(f'{out}/{name}.samples', 'wb') as f:
            f.write(data)
        print(f'{head}  {name}.samples, the data chunk')
        continue
    expected, sox = rule(info, data), sox16(path, info)
    assert len(expected) == len(sox) == info['frames'] * info['channels'], name
    assert expected.min() >= -32768 and expected.max() <= 32767, name
    differ = expected != sox
    largest = int(np.abs(expected - sox).max())
    is_float = 'float' in (info['sub'], info['tag'] == 3 and 'float')
    if is_float:
        nan = np.isnan(np.frombuffer(data, f'<f{info["bits"] // 8}'))
        assert np.abs(expected - sox)[~nan].max() <= 1, name
        answer = expected
    else:
        assert not differ.any(), f'{name}: sox and the rule differ'
        answer = sox
    answer.astype('<i2').tofile(f'{out}/{name}.s16')
    print(f'{head}  {name}.s16 from {"numpy" if is_float else "sox"}, '
          f'{int(differ.sum())} of {len(sox)} differ, by at most {largest}')
EOF
ls -l "$out"
