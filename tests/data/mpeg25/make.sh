#!/bin/sh
# Makes the MPEG-2.5 test files: 20 seconds of a stereo 44.1 kHz signal (two
# sliding tones with tremolo over quiet pink noise), which lame resamples to 8 kHz
# and to 11.025 kHz at 16 kbit/s CBR. At these frame sizes lame writes no
# Xing/LAME header frame, so the length is the decoder's own estimate, and the
# signal's start and end give short blocks. For each file: mpg123's decode as the
# reference (raw 16-bit little-endian, interleaved) and the number of audio frames
# that ffprobe counts.
# Run from this folder; needs sox, lame, mpg123 and ffprobe (sox in repeatable
# mode, -R, so that the signal is the same on every run).
set -eu
sox -R -n -r 44100 -b 16 -c 2 tones.wav synth 20 sine 110-880 sine 165-1320 tremolo 3 40 vol 0.5
sox -R -n -r 44100 -b 16 -c 2 noise.wav synth 20 pinknoise vol 0.08
sox -R -m tones.wav noise.wav input.wav
for rate in 8 11.025; do
    name=cbr${rate%.*}k
    lame --quiet --resample $rate -b 16 input.wav $name.mp3
    mpg123 -q -s $name.mp3 > $name.pcm
    ffprobe -v error -count_frames -select_streams a:0 -show_entries stream=nb_read_frames \
        -of csv=p=0 $name.mp3 > $name-frames.txt
done
rm tones.wav noise.wav input.wav
