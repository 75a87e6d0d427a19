#!/usr/bin/env bash
# Start-up time of the desktop program: from starting `trackdeck` to its main window
# shown with both panes filled (the moment --screenshot takes its picture), on the
# offscreen platform with the null audio device. Prints the median of N runs.
#
#     bench/startup-time.sh [BUILD_DIR] [RUNS]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-11}"
work="$(mktemp -d "${TMPDIR:-/tmp}/trackdeck-startup-XXXXXX")"
trap 'rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=offscreen TRACKDECK_AUDIO=null XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
export TRACKDECK_REGISTRY="$work/registry" TRACKDECK_SYSTEM_DIR="$work/system/"
cp -r "$build/bin" "$work/program"
# The first start installs the control; the runs measure ordinary starts.
"$work/program/trackdeck" --screenshot "$work/first.png" "$root/tools/demo/demo.mp3" >/dev/null 2>&1

times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$work/program/trackdeck" --screenshot "$work/shot.png" >/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "trackdeck start-up to main window with both panes filled: median ${sorted[$((runs / 2))]} ms" \
     "(min ${sorted[0]}, max ${sorted[$((runs - 1))]}, $runs runs)"
