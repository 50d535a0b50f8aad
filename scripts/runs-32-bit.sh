#!/usr/bin/env bash
# Whether this machine runs 32-bit Windows programs under Wine: exits 0 when it does, else says
# why on standard output and exits 1. That needs Wine's 32-bit half (wine32, from Debian's i386
# architecture, which scripts/deps.sh windows installs when it can) and a kernel that runs 32-bit
# programs.
set -euo pipefail
wine=/usr/lib/wine/wine
if [ ! -x "$wine" ]; then
    echo "Wine's 32-bit half is not installed (wine32:i386 could not be installed)"
    exit 1
fi
if ! output=$("$wine" --version 2>&1); then
    echo "$wine fails (${output:-no output}): a kernel without 32-bit program support?"
    exit 1
fi
