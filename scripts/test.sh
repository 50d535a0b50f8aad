#!/usr/bin/env bash
# Installs what is missing, builds the tool with warnings as errors and runs the whole test suite.
#   scripts/test.sh          Qt 5, in build/
#   scripts/test.sh --qt6    Qt 6, in build-qt6/ (the same suite; Qt 6's packages installed when missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
qt_major=5
build="$root/build"
deps=test
case "${1:-}" in
    "") ;;
    --qt6) qt_major=6 build="$root/build-qt6" deps=test-qt6 ;;
    *) echo "usage: $0 [--qt6]" >&2; exit 2 ;;
esac
"$root/scripts/deps.sh" "$deps"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKT9_WERROR=ON -DKT9_QT_MAJOR="$qt_major" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
