#!/usr/bin/env bash
# Remakes the seed corpora of the fuzz targets from small generated signals
# (sox, lame, twolame; the Layer I frames and the records are written by hand).
# The conformance streams are not copied here: fuzzing runs read them from
# ../shared/conformance as a second corpus folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

sox -n -r 44100 -b 16 -c 2 s44.wav synth 0.12 sine 440 sine 660
sox -n -r 48000 -b 16 -c 2 s48.wav synth 0.1 sine 1000 sine 90
sox -n -r 32000 -b 16 -c 2 s32.wav synth 0.12 sine 500 sine 700
sox -n -r 22050 -b 16 -c 1 m22.wav synth 0.15 sine 300
sox -n -r 8000 -b 16 -c 1 m8.wav synth 0.3 sine 300

decode="$here/DecodeStreamFuzzer"
# The named seeds are remade; the inputs named by their hash came from fuzzing
# sessions (libFuzzer's -merge=1 into these folders) and stay.
mkdir -p "$decode" "$here/VbrHeaderFuzzer" "$here/TagFileFuzzer" "$here/SeekRangeFuzzer" \
    "$here/SessionFuzzer"
lame -S --cbr -b 128 s44.wav "$decode/l3-cbr-stereo.mp3"
lame -S -V2 -m j s44.wav "$decode/l3-vbr-joint.mp3"
lame -S -p -b 64 -m m m22.wav "$decode/l3-lsf-crc-mono.mp3"
lame -S -V6 m8.wav "$decode/l3-mpeg25.mp3"
lame -S -b 96 -m s s32.wav "$decode/l3-32k-stereo.mp3"
lame -S --cbr -b 160 -m j --nores s48.wav "$decode/l3-48k-nores.mp3"
lame -S -b 32 -m m --id3v1-only --tt Title --ta Artist m22.wav "$decode/l3-id3v1.mp3"
lame -S -b 32 -m m --id3v2-only --tt Title m22.wav "$decode/l3-id3v2.mp3"
twolame --quiet -b 192 s44.wav "$decode/l2-44-stereo.mp2"
twolame --quiet -p -b 192 -m d s44.wav "$decode/l2-44-dual-crc.mp2"
twolame --quiet -b 128 -m j s48.wav "$decode/l2-48-joint.mp2"
twolame --quiet -p -b 56 -m m s32.wav "$decode/l2-32-mono-crc.mp2"
twolame --quiet -b 32 -m m s32.wav "$decode/l2-32-lowrate.mp2"
twolame --quiet -p -b 64 -m m m22.wav "$decode/l2-lsf-crc.mp2"

python3 - "$here" <<'PY'
import random, struct, sys, os
here = sys.argv[1]
rng = random.Random(17)
def write(folder, name, data):
    with open(os.path.join(here, folder, name), "wb") as f:
        f.write(data)
# Layer I, MPEG-1 44.1 kHz: 32 kbit/s mono (32-byte frames) and 448 kbit/s stereo
# with checksums (484-byte frames), bodies of random bits (random allocations and samples).
def layer1(header, size, count):
    out = b""
    for _ in range(count):
        out += header + bytes(rng.randrange(256) for _ in range(size - 4))
    return out
write("DecodeStreamFuzzer", "l1-mono.mp1", layer1(b"\xff\xff\x10\xc0", 32, 6))
write("DecodeStreamFuzzer", "l1-stereo-crc.mp1", layer1(b"\xff\xfe\xe0\x00", 484, 3))
write("DecodeStreamFuzzer", "junk.bin", bytes(rng.randrange(256) for _ in range(700)))
write("DecodeStreamFuzzer", "tag-only.mp3", b"TAG" + b"Title".ljust(125, b"\0"))
write("DecodeStreamFuzzer", "empty.mp3", b"")

# The header frames: the first frame of each lame file, its trailing byte
# choosing the stream's length; a VBRI record put into a CBR frame.
for name in ("l3-vbr-joint.mp3", "l3-mpeg25.mp3", "l3-cbr-stereo.mp3", "l3-lsf-crc-mono.mp3"):
    data = open(os.path.join(here, "DecodeStreamFuzzer", name), "rb").read()
    write("VbrHeaderFuzzer", name, data[:417] + b"\x01")
cbr = bytearray(open(os.path.join(here, "DecodeStreamFuzzer", "l3-cbr-stereo.mp3"), "rb").read()[:417])
vbri = b"VBRI" + struct.pack(">HHHII", 1, 0, 75, 3000, 12) + struct.pack(">HHHH", 4, 1, 2, 3)
vbri += b"".join(struct.pack(">H", 600) for _ in range(4))
cbr[36:36 + len(vbri)] = vbri
write("VbrHeaderFuzzer", "vbri.mp3", bytes(cbr) + b"\x02")

# Tag steps: byte 0 (write, modified, genre), 60 bytes of texts, then the file.
texts = b"A title".ljust(30, b" ") + b"An artist".ljust(12, b"\0") + b"Album".ljust(10, b" ") + b"1999" + b"Note"
for name in ("l3-id3v1.mp3", "l3-cbr-stereo.mp3", "l3-id3v2.mp3", "tag-only.mp3", "junk.bin"):
    data = open(os.path.join(here, "DecodeStreamFuzzer", name), "rb").read()
    write("TagFileFuzzer", name, bytes([0x0B]) + texts + data)
write("TagFileFuzzer", "remove-only", bytes([0x00]) + texts + open(os.path.join(here, "DecodeStreamFuzzer", "l3-id3v1.mp3"), "rb").read())

# Seek steps: stream, channels, then (operation, frame low, frame high).
def steps(stream, choice, ops):
    return bytes([stream, choice]) + b"".join(bytes([op, v & 255, v >> 8]) for op, v in ops)
write("SeekRangeFuzzer", "seek-decode", steps(0, 0, [(1, 5), (0, 3), (1, 0), (0, 2)]))
write("SeekRangeFuzzer", "range", steps(1, 3, [(2, 20), (1, 10), (3, 0), (1, 2), (0, 5)]))
write("SeekRangeFuzzer", "beyond-end", steps(2, 1, [(0, 4), (1, 5000)]))
write("SeekRangeFuzzer", "lsf-range", steps(3, 2, [(2, 7), (3, 0), (1, 1), (3, 0)]))
write("SeekRangeFuzzer", "layer1-seek", steps(5, 0, [(1, 3), (0, 1), (1, 40), (0, 2)]))

# Session steps: byte 0 the channel mode (low two bits) and the number of steps, then
# (operation, value low, value high), then the file. Operations: 0 Play, 1 PlayFromTo
# (from the low byte, as long as the high one), 2 Seek, 3 Pause, 4 Stop, 5 FrameNotifyCount.
def session(name, mode, ops, stream):
    data = open(os.path.join(here, "DecodeStreamFuzzer", stream), "rb").read()
    head = bytes([len(ops) << 2 | mode]) + b"".join(bytes([op, v & 255, v >> 8]) for op, v in ops)
    write("SessionFuzzer", name, head + data)
session("play", 0, [], "l3-cbr-stereo.mp3")
session("range-then-seek", 3, [(1, 2 | 3 << 8), (2, 1)], "l3-vbr-joint.mp3")
session("pause-and-resume", 1, [(0, 0), (3, 0), (3, 0)], "l2-44-stereo.mp2")
session("stop", 2, [(0, 0), (4, 0)], "l3-lsf-crc-mono.mp3")
session("notify-and-seek", 0, [(5, 3), (0, 0), (2, 2)], "l1-stereo-crc.mp1")
session("mpeg25-mix", 3, [(0, 0)], "l3-mpeg25.mp3")
session("junk", 0, [(0, 0)], "junk.bin")
PY
