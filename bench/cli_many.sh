#!/usr/bin/env bash
# Times kt9-cli on many simulated instruments that take a fixed time per library call:
# "backup", "network load", "power-off" and "restore" with --all, and "apply" of a plan with a row
# for every instrument, each against its floor, the sum of the latency of the library calls the
# run made, counted from the simulated library's trace. Each run backs the instruments up,
# changes them and restores them. Builds kt9-cli in
# build/ (or $KT9_BUILD_DIR) if needed.
#   bench/cli_many.sh [--runs N] [--instruments N] [--latency MS] [--verbose]
# Defaults: 5 runs of each command, 100 instruments, 20 ms. Exit status 0 when the median of
# every command is within 1.1 x its floor, 1 when not, 2 when a run failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KT9_BUILD_DIR:-$root/build}
runs=5
count=100
latency=20
verbose=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --instruments) count=$2; shift 2 ;;
        --latency) latency=$2; shift 2 ;;
        --verbose) verbose=1; shift ;;
        *) echo "usage: $0 [--runs N] [--instruments N] [--latency MS] [--verbose]" >&2; exit 2 ;;
    esac
done
target_percent=110

"$root/scripts/deps.sh" build
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target kt9-cli >/dev/null
program=$build/bin/kt9-cli

work=$(mktemp -d "${TMPDIR:-/tmp}/kt9-cli-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/instruments"
for i in $(seq 1 "$count"); do
    printf '{"portType": 1, "serialNo": %d, "latencyMs": %d, "shutdownMode": 1,\n "network": {"SSID": "Old", "EncryptKey": "oldkey", "IPAddress": "192.168.0.10"}}\n' \
        $((20000000 + i)) "$latency" > "$work/instruments/$(printf 'i%04d' "$i").json"
done
printf '[Network]\r\nDHCPUse=1\r\nIPAddress=10.1.2.3\r\nSubnetMask=255.255.0.0\r\nDefaultGateway=10.1.0.1\r\nSSID=Site\r\nEncryptKey=site-key\r\nDNS=10.1.0.2\r\nAPConnectUse=1\r\n' \
    > "$work/site.ini"

modes=(60 30)
for plan in 0 1; do
    {
        echo "serial;ssid;power_off"
        for i in $(seq 1 "$count"); do
            echo "$((20000000 + i));Plan $plan;${modes[$plan]}"
        done
    } >"$work/plan-$plan.csv"
done

# Runs one command; prints "wall_ms floor_ms calls".
measure() {
    local start end
    start=$(date +%s%N)
    if ! QLXSDK_SIM_DIR="$work/instruments" QLXSDK_SIM_TRACE=1 LC_ALL=C.UTF-8 \
        KT9_RECORD="$work/changes.csv" XDG_DATA_HOME="$work/data" \
        "$program" "$@" >"$work/out.txt" 2>"$work/trace.txt"; then
        echo "kt9-cli $* failed:" >&2
        tail -5 "$work/out.txt" "$work/trace.txt" >&2
        exit 2
    fi
    end=$(date +%s%N)
    # Every call on an instrument waits for its latency; listing and the event handler do not.
    local calls failed
    calls=$(grep -cE '^QLX_(Connect|Disconnect|Get[A-Za-z]+Info|Set[A-Za-z]+Info|GetShutdownTime|SetShutdownTime|JIG_[A-Za-z_]+) -> ' "$work/trace.txt" || true)
    failed=$(grep -cE '^QLX_[A-Za-z_]+ -> -' "$work/trace.txt" || true)
    if [ "$failed" -ne 0 ]; then
        echo "kt9-cli $*: $failed library calls failed" >&2
        exit 2
    fi
    echo "$(( (end - start) / 1000000 )) $(( calls * latency )) $calls"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

echo "Machine: $(nproc) cores, Debian $(cat /etc/debian_version), Qt $(dpkg-query -W -f='${Version}' libqt5core5a)," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg); $count instruments, $latency ms per call, $runs runs"
# The commands of one run, in this order; a new command is one more name here and one more
# branch in run_command and label.
commands=(backup network power-off restore apply)

# Runs command $1 in run $2; prints "wall_ms floor_ms calls".
run_command() {
    case "$1" in
        backup) measure backup "$work/backup" --force --all ;;
        network) measure network load "$work/site.ini" --all ;;
        # Alternate the time, so that every run changes it.
        power-off) measure power-off "${modes[$(($2 % 2))]}" --all ;;
        # Puts back the network settings and the time the backup holds.
        restore) measure restore "$work/backup" --all ;;
        # The plan names every instrument; its SSID alternates, so that every run changes them.
        apply) measure apply "$work/plan-$(($2 % 2)).csv" ;;
    esac
}

# The command as kt9-cli spells it.
label() {
    case "$1" in
        network) echo "network load" ;;
        *) echo "$1" ;;
    esac
}

declare -A walls floors
for run in $(seq 1 "$runs"); do
    for command in "${commands[@]}"; do
        # Into a file, not through a subshell, so that a failed run ends the benchmark (status 2).
        run_command "$command" "$run" >"$work/result.txt"
        read -r wall floor calls <"$work/result.txt"
        walls[$command]+="$wall "
        floors[$command]=$floor
        if [ "$verbose" -eq 1 ]; then
            echo "run $run, $command: $wall ms for $calls calls, floor $floor ms"
        fi
    done
done

total_wall=0
total_floor=0
missed=()
printf '%-14s %12s %10s %8s\n' command "median wall" floor ratio
for command in "${commands[@]}"; do
    wall=$(tr ' ' '\n' <<<"${walls[$command]}" | grep . | median)
    floor=${floors[$command]}
    total_wall=$((total_wall + wall))
    total_floor=$((total_floor + floor))
    [ $((wall * 100)) -le $((floor * target_percent)) ] || missed+=("$(label "$command")")
    printf '%-14s %9d ms %7d ms %8s\n' "$(label "$command")" "$wall" "$floor" "$(awk -v w="$wall" -v f="$floor" 'BEGIN { printf "%.3f", w / f }')"
done
ratio=$(awk -v w="$total_wall" -v f="$total_floor" 'BEGIN { printf "%.3f", w / f }')
printf '%-14s %9d ms %7d ms %8s\n' all "$total_wall" "$total_floor" "$ratio"
if [ ${#missed[@]} -eq 0 ]; then
    echo "target <= 1.1 x the floor for every command: PASS"
else
    echo "target <= 1.1 x the floor for every command: FAIL (${missed[*]})"
    exit 1
fi
