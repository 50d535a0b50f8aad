#!/usr/bin/env bash
# Builds the tool for Windows with Debian's MinGW-w64, with warnings as errors: kt9-config.exe,
# kt9-cli.exe, the simulated SDK as QLXSDK.dll and the test suite.
#   --arch x86_64  64-bit Windows, into build-windows/ (the default)
#   --arch i686    32-bit Windows, into build-windows-i686/
#   --test         then runs the whole suite under Wine through ctest, headless, in a fresh Wine
#                  prefix of its own
#   --package      then makes, in the build folder, kt9-config-<version>-<win64|win32>.zip and
#                  the setup program kt9-config-<version>-<win64|win32>-setup.exe (NSIS), both
#                  from the same installed files; with KT9_SIGN_PKCS12 set, the programs and DLLs
#                  the project builds, the setup program and its uninstaller are signed
#                  (scripts/sign-windows.sh)
# Installs the Debian packages it needs when they are missing.
#
# Qt 5 for MinGW comes from, in this order: KT9_QT_MINGW (the folder of any Qt 5.12 or later
# built for MinGW of the chosen architecture, or a tarball of one); the tarball
# ../shared/qt5-mingw/qt5-mingw-5.15.8-<arch>.tar.xz beside the repository; else it is built from
# Debian's qtbase source package with scripts/build-qt5-mingw.sh into the cache folder (about 45
# minutes on 2 cores). Tarballs are unpacked once into the cache folder,
# ${XDG_CACHE_HOME:-~/.cache}/kt9-config, never into the repository.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run_tests=false make_package=false arch=x86_64
usage() { echo "usage: $0 [--arch x86_64|i686] [--test] [--package]" >&2; exit 2; }
while [ $# -gt 0 ]; do
    case "$1" in
        --arch) [ $# -ge 2 ] || usage; arch=$2; shift ;;
        --test) run_tests=true ;;
        --package) make_package=true ;;
        *) usage ;;
    esac
    shift
done
case "$arch" in
    x86_64) build=$root/build-windows ;;
    i686) build=$root/build-windows-i686 ;;
    *) usage ;;
esac

"$root/scripts/deps.sh" windows
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
# The posix thread model, so that std::thread, std::mutex and std::atomic work.
for tool in gcc g++; do
    if [ "$(readlink -f "/usr/bin/$arch-w64-mingw32-$tool")" != "$(readlink -f "/usr/bin/$arch-w64-mingw32-$tool-posix")" ]; then
        "${sudo[@]}" update-alternatives --set "$arch-w64-mingw32-$tool" "/usr/bin/$arch-w64-mingw32-$tool-posix" >/dev/null
    fi
done

qt_name=qt5-mingw-5.15.8-$arch
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kt9-config
if [ -n "${KT9_QT_MINGW:-}" ] && [ -d "$KT9_QT_MINGW" ]; then
    qt=$(cd "$KT9_QT_MINGW" && pwd)
else
    if [ -n "${KT9_QT_MINGW:-}" ]; then
        tarball=$(realpath "$KT9_QT_MINGW")
    else
        tarball=$(cd "$root/.." && pwd)/shared/qt5-mingw/$qt_name.tar.xz
        if [ ! -f "$tarball" ]; then
            tarball=$cache/$qt_name.tar.xz
            if [ ! -f "$tarball" ]; then
                echo "No $qt_name.tar.xz in ../shared/qt5-mingw: building Qt for MinGW (about 45 minutes)"
                mkdir -p "$cache"
                (cd "$cache" && "${sudo[@]}" ARCH="$arch" "$root/scripts/build-qt5-mingw.sh" "$(mktemp -d)")
            fi
        fi
    fi
    [ -f "$tarball" ] || { echo "KT9_QT_MINGW=$KT9_QT_MINGW is neither a folder nor a tarball" >&2; exit 1; }
    # Unpacked once per tarball: the stamp beside the folder holds the tarball's checksum.
    qt=$cache/$({ tar -tJf "$tarball" || true; } | head -n 1 | cut -d / -f 1)
    sum=$(sha256sum "$tarball" | cut -d ' ' -f 1)
    if [ "$(cat "$qt.sha256" 2>/dev/null)" != "$sum" ]; then
        if [ -f "$tarball.sha256" ] && [ "$(cut -d ' ' -f 1 "$tarball.sha256")" != "$sum" ]; then
            echo "$tarball does not match $tarball.sha256" >&2
            exit 1
        fi
        rm -rf "$qt" "$qt.sha256"
        mkdir -p "$cache"
        tar -C "$cache" -xJf "$tarball"
        echo "$sum" >"$qt.sha256"
    fi
fi
[ -d "$qt/lib/cmake/Qt5" ] || { echo "$qt has no lib/cmake/Qt5: not a Qt 5 for MinGW" >&2; exit 1; }

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKT9_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

if $run_tests; then
    if [ "$arch" = i686 ] && ! reason=$("$root/scripts/runs-32-bit.sh"); then
        echo "The 32-bit suite cannot run under Wine here: $reason" >&2
        exit 1
    fi
    # One fresh Wine prefix for the whole run, created before the first test (cmake/wine-run.sh).
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d)
    cleanup() {
        WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
    }
    trap cleanup EXIT
    start=$SECONDS
    "$root/cmake/wine-run.sh" cmd /c exit
    # Tests that start a program in a Japanese locale, or run in the Japanese or English code page.
    "$root/scripts/locales.sh" ja_JP en_US
    echo "Wine prefix $WINEPREFIX created in $((SECONDS - start)) s"
    (cd "$build" && ctest --output-on-failure -j"$(nproc)")
fi

if $make_package; then
    "$root/scripts/package-windows.sh" "$build"
fi
