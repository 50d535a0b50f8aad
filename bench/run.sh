#!/usr/bin/env bash
# Builds the tool (in build/, or $KT9_BUILD_DIR) and the benchmark (in build-bench/), then runs
# the tool and the bare reference side by side under a private Xvfb and prints the figures.
# Arguments go to kt9-bench: --runs N (default 5), --idle-seconds S (default 10),
# --no-warm-up, --verbose (one line per run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KT9_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh" bench

# An existing build keeps its configuration; a new one gets the project's default.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target kt9-config

# The reference is compiled like the tool, so neither gains from optimisation the other lacks.
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
cmake -S "$root/bench" -B "$root/build-bench" -DCMAKE_BUILD_TYPE="${build_type:-RelWithDebInfo}" >/dev/null
cmake --build "$root/build-bench" -j2

echo "Machine: $(nproc) cores, Debian $(cat /etc/debian_version), Qt $(dpkg-query -W -f='${Version}' libqt5core5a)," \
     "Xvfb $(dpkg-query -W -f='${Version}' xvfb); build type ${build_type:-RelWithDebInfo}"
exec "$root/build-bench/kt9-bench" --tool "$build/bin/kt9-config" --reference "$root/build-bench/kt9-reference" "$@"
