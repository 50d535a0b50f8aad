#!/usr/bin/env bash
# Installs the Debian packages a group of tasks needs, when any of them is missing.
#   scripts/deps.sh build   compiler, CMake, Qt 5, Qt's own Japanese texts and a font that
#                           covers Japanese
#   scripts/deps.sh test    the above plus what the checks drive (X server, xdotool, clang,
#                           clang-format, the Debian packaging tools and their checkers)
#   scripts/deps.sh test-qt6 the test set plus Qt 6 (the suite built against Qt 6 as well)
#   scripts/deps.sh bench   the build set plus the X server and the X headers of bench/
#   scripts/deps.sh windows the test set plus MinGW-w64 (64-bit and 32-bit), Wine (with its
#                           32-bit half, from Debian's i386 architecture), zip tools, locales,
#                           NSIS and the signing tools (the Windows builds, their suites under
#                           Wine, the packages, setup programs and their checks)
set -euo pipefail

build_packages=(cmake make g++ qtbase5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
                fonts-ipafont-gothic)
test_packages=("${build_packages[@]}" xvfb xauth xdotool openbox wmctrl imagemagick x11-utils
               x11-xserver-utils clang libclang-rt-14-dev clang-format dpkg-dev lintian desktop-file-utils)
qt6_packages=("${test_packages[@]}" qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
bench_packages=("${build_packages[@]}" xvfb libx11-dev libxtst-dev)
windows_packages=("${test_packages[@]}" g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine32:i386
                  fonts-dejavu-core xz-utils zip unzip locales nsis osslsigncode openssl python3)

case "${1:-build}" in
    build) wanted=("${build_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    test-qt6) wanted=("${qt6_packages[@]}") ;;
    bench) wanted=("${bench_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") ;;
    *) echo "usage: $0 [build|test|test-qt6|bench|windows]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Packages of another architecture (wine32:i386) need it added before the package lists are read.
for pkg in "${missing[@]}"; do
    if [[ $pkg == *:* ]] && ! dpkg --print-foreign-architectures | grep -qxF "${pkg#*:}"; then
        "${sudo[@]}" dpkg --add-architecture "${pkg#*:}"
    fi
done
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
