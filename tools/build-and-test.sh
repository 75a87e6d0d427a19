#!/usr/bin/env bash
# Builds and runs the tests. Installs what is missing first.
#
#     tools/build-and-test.sh          the quick run: a Release build (build/) of the
#                                      programs and their tests, every test once
#     tools/build-and-test.sh --all    the full matrix, what CI runs (compile warnings
#                                      are errors):
#   1. a Release build (build/) with the benchmarks, all tests,
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/), all tests,
#   3. a ThreadSanitizer build (build-tsan/) of the threaded test programs, which run,
#   4. the libFuzzer targets built with clang (build-fuzz/), each run once over its
#      seed corpus (fuzz/corpus/), the decoding target also over the conformance streams.
# Ends with the summary of every run and its time; exits non-zero when anything failed.
# TRACKDECK_JOBS sets the parallel build and test jobs (default 2).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
all=0
case "${1:-}" in
    "") ;;
    --all) all=1 ;;
    -h | --help)
        sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "usage: tools/build-and-test.sh [--all]" >&2
        exit 2
        ;;
esac
jobs="${TRACKDECK_JOBS:-2}"

source "$root/tools/install-dependencies.sh"
if [ "$all" -eq 1 ]; then
    install_missing_packages "${trackdeck_matrix_packages[@]}"
else
    install_missing_packages
fi

logs="$(mktemp -d "${TMPDIR:-/tmp}/trackdeck-ci-XXXXXX")"
failed=0
summaries=()
started=$SECONDS

minutes() {
    local seconds=$1
    printf '%d min %02d s' $((seconds / 60)) $((seconds % 60))
}

# configure_and_build DIR [CMAKE_OPTION...] [-- TARGET...]
configure_and_build() {
    local dir="$1"
    shift
    local options=()
    while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    [ "$#" -gt 0 ] && shift
    local targets=()
    if [ "$#" -gt 0 ]; then
        targets=(--target "$@")
    fi
    local werror=OFF
    [ "$all" -eq 1 ] && werror=ON
    local begin=$SECONDS
    cmake -S "$root" -B "$root/$dir" -G Ninja -DTRACKDECK_TESTS=ON -DTRACKDECK_WERROR="$werror" \
        "${options[@]}"
    if ! "${runner[@]}" cmake --build "$root/$dir" -j"$jobs" "${targets[@]}"; then
        summaries+=("$dir: BUILD FAILED")
        finish 1
    fi
    summaries+=("$dir: built in $(minutes $((SECONDS - begin)))")
}

# Runs ctest in a build folder; the runner prefix (setarch) may be empty.
run_tests() {
    local name="$1"
    local dir="$2"
    shift 2
    local log="$logs/$name.log"
    local status=0
    local begin=$SECONDS
    echo
    echo "== $name: ctest in $dir"
    "${runner[@]}" ctest --test-dir "$root/$dir" --output-on-failure -j"$jobs" --no-tests=error \
        "$@" 2>&1 | tee "$log" || status=$?
    local summary
    summary="$(grep -E 'tests passed|tests failed|No tests were found' "$log" | tail -n 1 || true)"
    local skipped
    skipped="$(grep -c '\*\*\*Skipped' "$log" || true)"
    summaries+=("$name: ${summary:-no summary (ctest status $status)}, $skipped skipped, in $(minutes $((SECONDS - begin)))")
    if [ "$status" -ne 0 ]; then
        failed=1
    fi
}

finish() {
    local status="$1"
    echo
    echo "== Summary"
    local line
    for line in "${summaries[@]}"; do
        echo "$line"
    done
    echo "Total: $(minutes $((SECONDS - started)))"
    rm -rf "$logs"
    exit "$status"
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

# Not a fuzzing session: every input of the corpora runs once, so a finding that
# was fixed stays fixed and the targets keep building.
run_fuzz_targets() {
    local log="$logs/fuzz.log"
    local status=0
    local conformance="$root/../shared/conformance"
    local target
    local begin=$SECONDS
    echo
    echo "== fuzz: each target over its corpus"
    (
        for target in "$root"/fuzz/corpus/*/; do
            target="$(basename "$target")"
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
        summaries+=("fuzz: every corpus input ran clean, in $(minutes $((SECONDS - begin)))")
    fi
}

runner=()
if [ "$all" -eq 0 ]; then
    configure_and_build build -DCMAKE_BUILD_TYPE=Release -DTRACKDECK_BENCH=OFF
    run_tests release build
    finish "$failed"
fi

configure_and_build build -DCMAKE_BUILD_TYPE=Release -DTRACKDECK_BENCH=ON
run_tests release build

choose_runner -fsanitize=address,undefined
configure_and_build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKDECK_ASAN=ON \
    -DTRACKDECK_BENCH=OFF
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
    run_tests asan build-asan

# Only the programs whose tests run here; the desktop program is not threaded.
threaded=(platform_tests player_tests output_tests)
choose_runner -fsanitize=thread
configure_and_build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKDECK_TSAN=ON \
    -DTRACKDECK_BENCH=OFF -DTRACKDECK_APP=OFF -- "${threaded[@]}"
TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}" \
    run_tests tsan build-tsan -L "$(IFS='|'; echo "${threaded[*]}")"

choose_runner -fsanitize=address,undefined
configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTRACKDECK_FUZZ=ON -DTRACKDECK_TESTS=OFF -DTRACKDECK_BENCH=OFF
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" run_fuzz_targets
runner=()

finish "$failed"
