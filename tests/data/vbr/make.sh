#!/bin/sh
# Makes the variable-bit-rate test files from a generated signal: one second of
# mono 44.1 kHz (two tones and a sweep, so the bit rate varies), encoded by lame at
# -V2 with its Info/LAME header frame, and mpg123's gapless decode of it as the
# reference. Run from this folder; needs sox, lame and mpg123.
set -eu
sox -n -r 44100 -c 1 -b 16 input.wav synth 1 sine 440 sine 3000-9000 remix 1-2 gain -6 fade 0.01 1 0.01
lame --quiet -V2 input.wav v2-mono.mp3
mpg123 -q -s v2-mono.mp3 > v2-mono.pcm
# The encoder's input length in samples, for the sample-exact check.
soxi -s input.wav > input-samples.txt
rm input.wav
