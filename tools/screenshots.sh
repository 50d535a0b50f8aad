#!/usr/bin/env bash
# Regenerates the pictures in docs/: builds the program and runs the end-to-end script, which
# saves the main window, connected to a simulated instrument and showing its network page, in
# English (main-window-en.png), in Japanese (main-window-ja.png) and at 192 dpi
# (main-window-200.png), and Qt's own Save dialog in Japanese (file-dialog-ja.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target kt9-config e2e_probe
"$root/tests/e2e/run_e2e.sh" --program "$root/build/bin/kt9-config" --probe "$root/build/bin/e2e_probe" \
    --artifacts "$root/build/e2e" --screenshots "$root/docs"
