#!/bin/sh
# Makes the LSF Layer II fixtures: a short sweep over quiet pink noise, encoded by
# twolame at the three low sampling frequencies, and mpg123's decoding of each as
# raw 16-bit little-endian PCM (channels interleaved). Run in this folder.
set -e
make_one() {  # name rate channels seconds twolame-options
    sox -n -r "$2" -c "$3" -b 16 sweep.wav synth "$4" sine 200-5000 gain -9
    sox -n -r "$2" -c "$3" -b 16 noise.wav synth "$4" pinknoise gain -36
    sox -m sweep.wav noise.wav "$1.wav"
    twolame --quiet $5 "$1.wav" "$1.mp2"
    mpg123 --quiet -s "$1.mp2" > "$1.pcm"
    rm -f sweep.wav noise.wav "$1.wav"
}
make_one lsf24-mono 24000 1 1 "-b 32 -m m"
make_one lsf22-joint 22050 2 0.5 "-b 64 -m j"
make_one lsf16-mono 16000 1 1 "-b 24 -m m"
