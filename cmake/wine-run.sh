#!/usr/bin/env bash
# Runs a Windows program built here under Wine: ctest's emulator for the cross build, and the
# runner of the Windows package's checks. The Qt and MinGW runtime DLLs come from the folders
# in KT9_WINE_DLL_DIRS (colon-separated build-machine paths), which are put on Wine's search
# path; a program whose DLLs lie beside it needs none.
#
# Wine keeps its state in WINEPREFIX. The first program of a prefix creates it (about 15 s);
# a lock lets programs started at the same time wait for that instead of racing. Without a
# WINEPREFIX the prefix is a folder beside this build's programs.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 <program.exe> [arguments...]" >&2; exit 2; }

# A 32-bit program (PE machine 0x14c) needs Wine's 32-bit loader, unless KT9_WINE names one.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') && [ -n "$header" ] &&
        od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}
wine64=/usr/lib/wine/wine64
wine=${KT9_WINE:-$wine64}
if [ -z "${KT9_WINE:-}" ] && [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
    wine=/usr/lib/wine/wine
fi
[ -x "$wine" ] || { echo "$0: $wine is not installed (apt-get install wine64, wine32:i386)" >&2; exit 1; }
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engine is needed: Wine is not to offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX
    WINEPREFIX=$(cd "$(dirname "$1")" && pwd)/wine-prefix
fi
mkdir -p "$WINEPREFIX"
server_linger=5 # seconds
(
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        # A 64-bit prefix, which runs 32-bit programs as well.
        "$wine64" wineboot --init >/dev/null 2>&1
        "$(dirname "$wine64")/wineserver" --wait
    fi
    # The prefix's server, started here with its standard streams on the null device: started by
    # the program, it would keep the program's output open until it ends, and ctest or a pipe
    # reading that output would wait for it. Nor may it hold the lock (descriptor 9), or every
    # program started while it runs would wait for it. It stays for the programs that follow and
    # ends a few seconds after the last one, as Wine's own does; when one runs already, this one
    # just ends.
    "$(dirname "$wine64")/wineserver" -p"$server_linger" </dev/null >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"

# Wine's search path takes Windows paths; the build machine's root is drive Z:.
if [ -n "${KT9_WINE_DLL_DIRS:-}" ]; then
    path=
    IFS=: read -r -a dirs <<<"$KT9_WINE_DLL_DIRS"
    for dir in "${dirs[@]}"; do
        path+="${path:+;}Z:${dir//\//\\}"
    done
    export WINEPATH="$path${WINEPATH:+;$WINEPATH}"
fi
# Wine keeps the caller's QT_* variables from Windows programs (they are meant for the build
# machine's Qt) and hands WINEQT_* over as QT_* instead: the Qt settings of the caller, such as
# QT_QPA_PLATFORM=offscreen, are for the program.
while IFS= read -r name; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(compgen -e)
exec "$wine" "$@"
