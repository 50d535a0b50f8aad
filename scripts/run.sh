#!/usr/bin/env bash
# Installs what is missing, builds the tool and starts it against the simulated instruments.
# Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: run the tool under a virtual X server with: xvfb-run -a $root/build/bin/kt9-config" >&2
    exit 1
fi
exec "$root/build/bin/kt9-config" "$@"
