#!/usr/bin/env bash
# A person's journey through the desktop program under a real X server (Xvfb, openbox,
# xdotool; QT_QPA_PLATFORM unset), with the null audio device capturing what is heard:
#
#   1. a click on the first entry plays the folder through with continuous play: two
#      short files, a WAV entry passed over, then a long file;
#   2. while the long file plays, its position knob is dragged to the middle and held
#      (it must stay there) and let go: the rest is heard from about the middle;
#   3. after the folder has ended, a click on the first entry plays it;
#   4. " X" typed into the file-name field and Enter rename exactly that file;
#   5. the files on disk are checked;
#   6. the four files are moved to folder B with the button and the move undone with
#      Ctrl+Z in the list: every file is back, byte for byte.
#
# Every wait is bounded and waits for something seen: the window, the capture file
# growing, a file appearing, a pixel of the knob. Prints what it measured; exits 0
# when every check holds, 1 on a failed check, 2 when a tool is missing.
#
#     bench/desktop-journey.sh [BUILD_DIR] [DISPLAY]
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
display="${2:-:96}"

for tool in Xvfb openbox xdotool xwininfo xprop xwd convert sox lame; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 2; }
done
[ -x "$build/bin/trackdeck" ] || { echo "skipped: $build/bin/trackdeck is not built"; exit 2; }

work="$(mktemp -d "$build/journey-XXXXXX")"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    [ -n "${JOURNEY_KEEP:-}" ] && { echo "kept: $work"; return; }
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
    local what="$1"; shift
    if "$@"; then echo "  ok    $what"; else echo "  FAIL  $what"; failures=$((failures + 1)); fi
}
# Waits until COMMAND succeeds, polling every 50 ms, for at most SECONDS.
wait_for() {  # wait_for SECONDS COMMAND...
    local limit=$(( $1 * 20 )); shift
    for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.05; done
    return 1
}

# The collection: tagged MP3 files made from tones, one WAV file among them.
music="$work/Musik"
mkdir -p "$music"
tone() {  # tone SECONDS FREQUENCY TITLE ARTIST FILE
    sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth "$1" sine "$2" vol 0.5
    lame --quiet --id3v1-only -b 128 --tt "$3" --ta "$4" "$work/tone.wav" "$5"
}
tone 1 440 Eins Alpha "$music/01 - Alpha - Eins.mp3"
tone 1 550 Zwei Beta "$music/02 - Beta - Zwei.mp3"
sox -q -n -r 44100 -c 2 -b 16 "$music/03 - Zwischenspiel.wav" synth 1 sine 330
tone 8 660 Vier Delta "$music/04 - Delta - Vier.mp3"
cp -r "$music" "$work/before"

# The program in a folder of its own, with its settings beside it.
export TRACKDECK_AUDIO=null TRACKDECK_AUDIO_CAPTURE="$work/heard.raw"
export TRACKDECK_REGISTRY="$work/registry" TRACKDECK_SYSTEM_DIR="$work/system/"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$build/bin" "$work/program"
cat >"$work/program/Trackdeck.ini" <<EOF
[Directories]
LastDirA=$music/
LastDirB=$work/
LastOrdner=1
[Player]
KlickPlay=1
DirPlay=1
EOF
# The first start installs the control.
QT_QPA_PLATFORM=offscreen "$work/program/trackdeck" --screenshot "$work/first.png" >/dev/null 2>&1
: >"$TRACKDECK_AUDIO_CAPTURE"

unset QT_QPA_PLATFORM
export DISPLAY="$display"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for 10 xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "skipped: Xvfb on $display did not start"; exit 2; }
openbox >/dev/null 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "skipped: openbox did not start"; exit 2; }

"$work/program/trackdeck" >"$work/trackdeck.log" 2>&1 &
program=$!
pids+=($program)
window=""
find_window() { window="$(xdotool search --onlyvisible --name '^Veltrano Trackdeck$' 2>/dev/null | head -1)"; [ -n "$window" ]; }
wait_for 20 find_window || { echo "FAIL  the main window did not appear"; exit 1; }
xdotool windowactivate --sync "$window" >/dev/null 2>&1
# The client area's corner on the screen (inside openbox's frame).
origin_x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $NF }')
origin_y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $NF }')

# Positions in the window, in pixels (the form's twips / 15).
entry0_x=60 entry0_y=258          # the first entry of the left list (List1 at 6, 249)
name_x=150 name_y=16              # the file-name field Text12 (at 6, 6)
move_x=369 move_y=631             # the button "Bewegen" (Command6 at 318, 622)
scale_left=7 scale_width=598 knob_width=25 knob_mid_y=246
click_at() { xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) click 1; }

# The capture grows by a whole device buffer (32 frames, 147456 bytes) at a time.
buffer=147456
heard() { stat -c %s "$TRACKDECK_AUDIO_CAPTURE"; }
heard_at_least() { [ "$(heard)" -ge "$1" ]; }
# The capture has not grown for a second: playback has ended.
settled() {
    local before; before=$(heard)
    for _ in $(seq 20); do sleep 0.05; [ "$(heard)" -ne "$before" ] && return 1; done
    return 0
}
# The knob's left edge on the screen, from its pixels in the row through the track: the
# track is dark, the knob's face light, with a border of one pixel.
knob_left() {
    xwd -silent -root -display "$display" >"$work/screen.xwd" 2>/dev/null || return 1
    convert "xwd:$work/screen.xwd" -crop "635x1+$origin_x+$((origin_y + knob_mid_y))" txt:- 2>/dev/null |
        awk -v left="$scale_left" 'NR > 1 { split($1, a, /[,:]/); c[a[1]] = $3 }
            END { for (x = left; x < 632; ++x) if (index("89ABCDEF", substr(c[x], 2, 1))) { print x - 1; exit } }'
}
knob_at() { local at; at=$(knob_left) && [ -n "$at" ] && [ "$at" -ge $(( $1 - 3 )) ] && [ "$at" -le $(( $1 + 3 )) ]; }

echo "desktop journey on $display (build $build)"
echo "1. a click on the first entry plays the folder through"
click_at $entry0_x $entry0_y
two_short=$((4 * buffer))   # two files of one second: two buffers each
check "the two short files are heard" wait_for 15 heard_at_least $((two_short + 1))
echo "2. the knob of the long file, dragged to the middle while it plays"
knob=""
for _ in $(seq 100); do knob=$(knob_left) && [ -n "$knob" ] && break; sleep 0.05; done
check "the knob is seen while the long file plays (at x=${knob:-none})" test -n "$knob"
middle=$((scale_left + scale_width / 2))
if [ -n "$knob" ]; then
    grab=$((knob + knob_width / 2))
    xdotool mousemove $((origin_x + grab)) $((origin_y + knob_mid_y)) mousedown 1
    for step in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((origin_x + grab + (middle - knob) * step / 10)) $((origin_y + knob_mid_y))
        sleep 0.03  # the pace of a hand, not a proof
    done
    held_since=$(heard)
    # While held, the file plays on: a buffer later the knob must still be where it is held.
    wait_for 5 heard_at_least $((held_since + buffer))
    check "the held knob stays at the middle while the file plays on (x=$(knob_left))" knob_at $middle
    xdotool mouseup 1
fi
check "the long file plays to its end" wait_for 20 settled
long_full=$((10 * buffer))  # 300 frames: ten buffers when played whole
long_heard=$(( $(heard) - two_short ))
echo "     heard of the long file: $long_heard bytes of $long_full when played whole"
check "the seek skipped part of the long file" test "$long_heard" -lt $((long_full * 85 / 100))

echo "3. after the end, a click on the first entry plays it"
ended=$(heard)
click_at $entry0_x $entry0_y
check "the first file plays again" wait_for 10 heard_at_least $((ended + 1))
echo "4. \" X\" typed into the name field, then Enter"
click_at $name_x $name_y
xdotool key --clearmodifiers End
xdotool type --delay 40 " X"
xdotool key --clearmodifiers Return
renamed="$music/01 - Alpha - Eins X.mp3"
check "the clicked file has the typed name" wait_for 10 test -f "$renamed"
echo "5. the files on disk"
(cd "$music" && ls -1) | sed 's/^/     /'
check "the renamed file is the first file, byte for byte" cmp -s "$renamed" "$work/before/01 - Alpha - Eins.mp3"
for name in "02 - Beta - Zwei.mp3" "03 - Zwischenspiel.wav" "04 - Delta - Vier.mp3"; do
    check "$name is unchanged" cmp -s "$music/$name" "$work/before/$name"
done
check "four files, nothing else" test "$(ls -1 "$music" | wc -l)" -eq 4
cp -r "$music" "$work/renamed"

echo "6. the four files moved to folder B, then Ctrl+Z in the list"
# A message box bears the program's caption too: a window of that name besides the main one.
shown_windows() { xdotool search --onlyvisible --name '^Veltrano Trackdeck$' 2>/dev/null; }
box() { shown_windows | grep -vx "$window" | head -1; }
box_shown() { [ -n "$(box)" ]; }
window_gone() { ! shown_windows | grep -qx "$1"; }
answer() {  # answer KEY: the key to the box that shows, once it shows; then that box is gone
    local shown
    wait_for 10 box_shown || return 1
    shown=$(box)
    xdotool key --clearmodifiers "$1"
    wait_for 10 window_gone "$shown"
}
click_at $entry0_x $entry0_y
xdotool key --clearmodifiers plus          # every entry of the list marked
click_at $move_x $move_y
check "the move asks and goes on with Enter" answer Return
check "folder A is empty after the move" wait_for 10 test -z "$(ls -A "$music")"
click_at $entry0_x $entry0_y               # the list has the focus again
xdotool key --clearmodifiers ctrl+z
check "Ctrl+Z asks whether to undo the move; Enter says Ja" answer Return
check "the end message is said; Enter closes it" answer Return
for name in "01 - Alpha - Eins X.mp3" "02 - Beta - Zwei.mp3" "03 - Zwischenspiel.wav" "04 - Delta - Vier.mp3"; do
    check "$name is back, byte for byte" cmp -s "$music/$name" "$work/renamed/$name"
done
check "no moved file is left in folder B" test -z "$(ls "$work" | grep -E '^0[1-4] - ')"

xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null
wait_for 10 sh -c "! kill -0 $program 2>/dev/null" || echo "     (the program did not end on close; stopped)"
if [ "$failures" -eq 0 ]; then echo "journey: every check held"; exit 0; fi
echo "journey: $failures checks failed"; exit 1
