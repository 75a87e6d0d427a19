#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then
#   1. a Release build (build/) with all tests,
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/) with all tests,
#   3. a ThreadSanitizer build (build-tsan/) with the threaded test programs,
#   4. the libFuzzer targets built with clang (build-fuzz/), each run once over its
#      seed corpus (fuzz/corpus/), the decoding target also over the conformance streams.
# Exits non-zero when anything fails, after printing the summary of every test run.
#
#     tools/build-and-test.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/tools/install-dependencies.sh"
install_missing_packages

logs="$(mktemp -d "${TMPDIR:-/tmp}/trackdeck-ci-XXXXXX")"
failed=0
summaries=()

configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$root" -B "$root/$dir" -G Ninja -DTRACKDECK_TESTS=ON "$@"
    "${runner[@]}" cmake --build "$root/$dir" -j2
}

# Runs ctest in a build folder; the runner prefix (setarch) may be empty.
run_tests() {
    local name="$1"
    local dir="$2"
    shift 2
    local log="$logs/$name.log"
    local status=0
    echo
    echo "== $name: ctest in $dir"
    "${runner[@]}" ctest --test-dir "$root/$dir" --output-on-failure -j2 --no-tests=ignore "$@" \
        2>&1 | tee "$log" || status=$?
    local summary
    summary="$(grep -E 'tests passed|tests failed|No tests were found' "$log" | tail -n 1 || true)"
    summaries+=("$name: ${summary:-no summary (ctest status $status)}")
    if [ "$status" -ne 0 ]; then
        failed=1
    fi
}

# The sanitizers' runtimes cannot start on kernels with high mmap randomness
# (ThreadSanitizer: "unexpected memory mapping"): then run without address
# randomisation, or lower the randomness when this machine lets us. A tiny probe
# program decides before the build, because test discovery runs the test programs.
sanitizer_starts() {
    local probe="$1"
    local out="$logs/probe.log"
    "${runner[@]}" "$probe" >"$out" 2>&1 && ! grep -q 'unexpected memory mapping' "$out"
}

restore_mmap_rnd_bits() {
    if [ -n "${saved_rnd_bits:-}" ]; then
        echo "$saved_rnd_bits" >/proc/sys/vm/mmap_rnd_bits 2>/dev/null || true
    fi
}

# Sets `runner` to the prefix under which programs built with the given flag start.
choose_runner() {
    local flag="$1"
    local probe="$logs/probe${flag//[^a-z]/-}"
    printf '#include <thread>\nint main() { std::thread t([] {}); t.join(); }\n' >"$probe.cpp"
    g++ -std=c++20 -pthread "$flag" "$probe.cpp" -o "$probe"
    runner=()
    if sanitizer_starts "$probe"; then
        return 0
    fi
    # LeakSanitizer stops the process's threads by ptrace, which some containers forbid.
    if grep -q 'LeakSanitizer has encountered a fatal error' "$logs/probe.log"; then
        echo "LeakSanitizer cannot run on this machine; leak checks are off"
        export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
        if sanitizer_starts "$probe"; then
            return 0
        fi
    fi
    echo "Sanitizer $flag does not start; retrying without address randomisation"
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        runner=(setarch "$(uname -m)" -R)
        if sanitizer_starts "$probe"; then
            return 0
        fi
    fi
    runner=()
    local current
    current="$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || true)"
    if [ -n "$current" ] && echo 28 >/proc/sys/vm/mmap_rnd_bits 2>/dev/null; then
        saved_rnd_bits="${saved_rnd_bits:-$current}"
        trap restore_mmap_rnd_bits EXIT
        echo "vm.mmap_rnd_bits lowered from $current to 28 for the test run"
        if sanitizer_starts "$probe"; then
            return 0
        fi
    fi
    echo "Sanitizer $flag cannot start on this machine" >&2
    return 1
}

runner=()
configure_and_build build -DCMAKE_BUILD_TYPE=Release
run_tests release build

choose_runner -fsanitize=address,undefined
configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKDECK_ASAN=ON \
    -DTRACKDECK_BENCH=OFF
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
    run_tests asan build-asan

choose_runner -fsanitize=thread
configure_and_build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKDECK_TSAN=ON \
    -DTRACKDECK_BENCH=OFF
TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}" \
    run_tests tsan build-tsan -L 'platform_tests|player_tests|output_tests'

# Not a fuzzing session: every input of the corpora runs once, so a finding that
# was fixed stays fixed and the targets keep building.
run_fuzz_targets() {
    local log="$logs/fuzz.log"
    local status=0
    local conformance="$root/../shared/conformance"
    local target
    echo
    echo "== fuzz: each target over its corpus"
    (
        for target in DecodeStreamFuzzer SeekRangeFuzzer VbrHeaderFuzzer TagFileFuzzer; do
            "${runner[@]}" "$root/build-fuzz/bin/$target" -runs=0 "$root/fuzz/corpus/$target" ||
                exit 1
        done
        if compgen -G "$conformance/*.bit" >/dev/null; then
            "${runner[@]}" "$root/build-fuzz/bin/DecodeStreamFuzzer" "$conformance"/*.bit ||
                exit 1
        fi
    ) >"$log" 2>&1 || status=$?
    grep -E 'DONE|Executed|ERROR|SUMMARY' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        summaries+=("fuzz: FAILED")
        failed=1
    else
        summaries+=("fuzz: every corpus input ran clean")
    fi
}

choose_runner -fsanitize=address,undefined
configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTRACKDECK_FUZZ=ON -DTRACKDECK_TESTS=OFF -DTRACKDECK_BENCH=OFF
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" run_fuzz_targets
runner=()

echo
echo "== Summary"
for line in "${summaries[@]}"; do
    echo "$line"
done
rm -rf "$logs"
exit "$failed"
