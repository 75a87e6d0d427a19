#!/usr/bin/env bash
# The main job: installs what is missing, builds Release into build/ and runs the
# command-line host on the demo stream (or on the MP3 file given as argument):
# `aurion info` prints its stream properties, `aurion decode` writes it as a WAV file
# and `aurion play` plays it (on the silent null device where no sound device is).
# Then it starts the desktop program `trackdeck` with that file (see the end).
#
#     tools/build-and-run.sh [FILE.mp3]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
input="${1:-$root/tools/demo/demo.mp3}"
if [ ! -f "$input" ]; then
    echo "No such file: $input" >&2
    exit 2
fi
input="$(cd "$(dirname "$input")" && pwd)/$(basename "$input")"

source "$root/tools/install-dependencies.sh"
install_missing_packages

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" --target aurion trackdeck -j2

output="$root/build/$(basename "${input%.*}").wav"
echo
echo "== aurion info $input"
"$root/build/bin/aurion" info "$input"
echo
echo "== aurion decode --force $input $output"
"$root/build/bin/aurion" decode --force "$input" "$output"
echo "Wrote $output ($(stat -c %s "$output") bytes)"
echo
echo "== aurion play $input"
if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
    echo "No sound device on this machine: playing on the null device, which is silent."
    export TRACKDECK_AUDIO=null
fi
"$root/build/bin/aurion" play "$input"

# The desktop program. Without a display it makes the smoke run instead: started on
# the offscreen platform with the null audio device, it writes a picture of its main
# window and quits.
echo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "== trackdeck $input"
    "$root/build/bin/trackdeck" "$input"
else
    echo "== trackdeck --screenshot $root/build/trackdeck.png $input (no display)"
    # Qt wants a private runtime folder even offscreen; a fresh one keeps it quiet.
    runtime="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen TRACKDECK_AUDIO=null \
        "$root/build/bin/trackdeck" --screenshot "$root/build/trackdeck.png" "$input"
fi
