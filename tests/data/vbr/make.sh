#!/bin/sh
# Makes the test files from generated signals, with mpg123's gapless decode of each
# as the reference and the encoder's input length in samples:
#  - v2-mono: one second of mono 44.1 kHz (a tone and a sweep, so the bit rate
#    varies), lame -V2, with its Info/LAME header frame;
#  - mpeg25-8k: one second of mono 8 kHz, lame -V6: an MPEG-2.5 stream, also
#    with a Xing/LAME header frame.
# Run from this folder; needs sox, lame and mpg123.
set -eu
sox -n -r 44100 -c 1 -b 16 input.wav synth 1 sine 440 sine 3000-9000 remix 1-2 gain -6 fade 0.01 1 0.01
lame --quiet -V2 input.wav v2-mono.mp3
mpg123 -q -s v2-mono.mp3 > v2-mono.pcm
soxi -s input.wav > input-samples.txt

sox -n -r 8000 -c 1 -b 16 input.wav synth 1 sine 300 sine 500-3000 remix 1-2 gain -6 fade 0.01 1 0.01
lame --quiet -V6 input.wav mpeg25-8k.mp3
mpg123 -q -s mpeg25-8k.mp3 > mpeg25-8k.pcm
soxi -s input.wav > mpeg25-input-samples.txt
rm input.wav
