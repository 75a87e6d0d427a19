#!/bin/sh
# Makes the test files from generated signals, with mpg123's gapless decode of each
# as the reference and the encoder's input length in samples:
#  - v0-mono, v2-mono, v6-mono: one second of mono 44.1 kHz (a tone and a sweep,
#    so the bit rate varies), lame -V0, -V2 and -V6, each with its Info/LAME
#    header frame; the input length is input-samples.txt;
#  - mpeg25-8k: one second of mono 8 kHz, lame -V6: an MPEG-2.5 stream, also
#    with a Xing/LAME header frame.
# The files are kept short so that the checkout stays small; bench/vbr-check makes
# and checks 3-minute files of the same presets.
# Run from this folder; needs sox, lame and mpg123 (sox in repeatable mode, -R:
# its dither is then the same on every run).
set -eu
sox -R -n -r 44100 -c 1 -b 16 input.wav synth 1 sine 440 sine 3000-9000 remix 1-2 gain -6 fade 0.01 1 0.01
for preset in 0 2 6; do
    lame --quiet -V$preset input.wav v$preset-mono.mp3
    mpg123 -q -s v$preset-mono.mp3 > v$preset-mono.pcm
done
soxi -s input.wav > input-samples.txt

sox -R -n -r 8000 -c 1 -b 16 input.wav synth 1 sine 300 sine 500-3000 remix 1-2 gain -6 fade 0.01 1 0.01
lame --quiet -V6 input.wav mpeg25-8k.mp3
mpg123 -q -s mpeg25-8k.mp3 > mpeg25-8k.pcm
soxi -s input.wav > mpeg25-input-samples.txt
rm input.wav
