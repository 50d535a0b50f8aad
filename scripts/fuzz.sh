#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers with clang in build-fuzz/ and runs each for
# the given number of seconds (default 30) on a copy of its seed corpus. Fails when a target
# finds an input that crashes it or breaks one of its checks; the input is kept in
# build-fuzz/artifacts/. The committed corpus is never changed.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
case "$seconds" in
    '' | *[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac
"$root/scripts/deps.sh" test

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKT9_WERROR=ON \
    -DKT9_FUZZ=ON -DKT9_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target kt9_fuzz -j"$(nproc)"

# The targets write each input to a file in the temporary folder: keep it in memory when possible.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

artifacts="$build/artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$artifacts" # only this run's findings
mkdir -p "$artifacts"

failed=()
for target in network_file white_plate_file ambient_adapter_file; do
    case "$target" in
        network_file) dict="$root/fuzz/network_file.dict" ;;
        *) dict="$root/fuzz/cal_file.dict" ;;
    esac
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp -R "$root/fuzz/corpus/$target/." "$corpus/"
    if [ -d "$root/fuzz/regressions/$target" ]; then
        cp -R "$root/fuzz/regressions/$target/." "$corpus/"
    fi
    echo "== fuzz_$target: $seconds s"
    log="$artifacts/fuzz_$target.log"
    # -close_fd_mask=1: the calibration readers print a line for every bad serial number.
    if "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -close_fd_mask=1 -print_final_stats=1 -dict="$dict" -artifact_prefix="$artifacts/$target-" \
        "$corpus" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units' "$log" || true
    else
        failed+=("$target")
        tail -n 60 "$log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found inputs that break: ${failed[*]} (inputs and logs in $artifacts)" >&2
    exit 1
fi
echo "fuzzing found nothing in $seconds s per target"
