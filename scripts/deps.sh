#!/usr/bin/env bash
# Installs the Debian packages a group of tasks needs, when any of them is missing.
#   scripts/deps.sh build   compiler, CMake, Qt 5, Qt's own Japanese texts and a font that
#                           covers Japanese
#   scripts/deps.sh test    the above plus what the checks drive (X server, xdotool, clang,
#                           clang-format, the Debian packaging tools and their checkers, Ansible)
#   scripts/deps.sh test-qt6 the test set plus Qt 6 (the suite built against Qt 6 as well)
#   scripts/deps.sh bench   the build set plus the X server and the X headers of bench/
#   scripts/deps.sh windows the test set plus MinGW-w64 (64-bit and 32-bit), Wine, zip tools,
#                           locales, NSIS and the signing tools (the Windows builds, their suites
#                           under Wine, the packages, setup programs and their checks); Wine's
#                           32-bit half (wine32, from Debian's i386 architecture) when it can be had
#
# A package index can be stale or in the middle of a mirror's sync: a failed `apt-get update` is
# tried again a few times and then the packages are installed from the lists there are. Only a
# needed package that cannot be installed fails the set-up, by name. An optional package that
# cannot be installed prints a "SKIPPED:" line; it is not tried again for a while (a stamp in the
# cache folder), and a foreign architecture added for it alone is removed again, so that later
# updates do not fail on its index.
set -euo pipefail

build_packages=(cmake make g++ qtbase5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
                fonts-ipafont-gothic)
test_packages=("${build_packages[@]}" xvfb xauth xdotool openbox wmctrl imagemagick x11-utils
               x11-xserver-utils clang libclang-rt-14-dev clang-format dpkg-dev lintian desktop-file-utils
               python3 ansible-core)
qt6_packages=("${test_packages[@]}" qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
bench_packages=("${build_packages[@]}" xvfb libx11-dev libxtst-dev)
windows_packages=("${test_packages[@]}" g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64
                  fonts-dejavu-core xz-utils zip unzip locales nsis osslsigncode openssl)
optional=()

case "${1:-build}" in
    build) wanted=("${build_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    test-qt6) wanted=("${qt6_packages[@]}") ;;
    bench) wanted=("${bench_packages[@]}") ;;
    windows) wanted=("${windows_packages[@]}") optional=(wine32:i386) ;;
    *) echo "usage: $0 [build|test|test-qt6|bench|windows]" >&2; exit 2 ;;
esac

update_tries=3 update_pause=10
# An optional package that could not be installed is tried again after this many seconds.
optional_retry_after=$((6 * 3600))
stamps=${XDG_CACHE_HOME:-$HOME/.cache}/kt9-config/deps

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'; }
stamp_of() { echo "$stamps/${1//[^A-Za-z0-9.+-]/_}.unavailable"; }
recently_unavailable() {
    local stamp
    stamp=$(stamp_of "$1")
    [ -f "$stamp" ] && [ $(($(date +%s) - $(stat -c %Y "$stamp"))) -lt $optional_retry_after ]
}

missing=() missing_optional=()
for pkg in "${wanted[@]}"; do
    installed "$pkg" || missing+=("$pkg")
done
for pkg in "${optional[@]}"; do
    if installed "$pkg"; then
        continue
    elif recently_unavailable "$pkg"; then
        echo "SKIPPED: $pkg (optional): it could not be installed at" \
            "$(date -r "$(stamp_of "$pkg")" '+%F %T'): $(cat "$(stamp_of "$pkg")")"
    else
        missing_optional+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
apt_install() { "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$@"; }

# Packages of another architecture (wine32:i386) need it added before the package lists are read.
added_arches=()
for pkg in "${missing_optional[@]}" "${missing[@]}"; do
    arch=${pkg#*:}
    if [ "$arch" != "$pkg" ] && ! dpkg --print-foreign-architectures | grep -qxF "$arch" &&
        ! printf '%s\n' "${added_arches[@]}" | grep -qxF "$arch"; then
        "${sudo[@]}" dpkg --add-architecture "$arch"
        added_arches+=("$arch")
    fi
done

for ((try = 1; ; try++)); do
    if "${sudo[@]}" apt-get update -qq; then
        break
    elif [ "$try" -ge "$update_tries" ]; then
        echo "apt-get update failed $update_tries times: installing from the package lists there are" >&2
        break
    fi
    echo "apt-get update failed (try $try of $update_tries): trying again in $update_pause s" >&2
    sleep "$update_pause"
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    if ! apt_install "${missing[@]}"; then
        # Together they failed: one by one, to name those that cannot be installed.
        failed=()
        for pkg in "${missing[@]}"; do
            installed "$pkg" || apt_install "$pkg" || failed+=("$pkg")
        done
        if [ ${#failed[@]} -gt 0 ]; then
            echo "These packages cannot be installed: ${failed[*]}" >&2
            exit 1
        fi
    fi
fi

for pkg in "${missing_optional[@]}"; do
    echo "Installing the optional package $pkg"
    if output=$(apt_install "$pkg" 2>&1); then
        rm -f "$(stamp_of "$pkg")"
    else
        mkdir -p "$stamps"
        reason=$(grep -E '^E: |Depends:' <<<"$output" | head -n 3 | tr -s ' \n' ' ')
        echo "${reason:-apt-get install failed}" >"$(stamp_of "$pkg")"
        echo "SKIPPED: $pkg (optional) cannot be installed: ${reason:-apt-get install failed}"
    fi
done

# A foreign architecture added here that none of the installed packages uses is removed again.
for arch in "${added_arches[@]}"; do
    if [ -z "$(dpkg-query -W -f='${Architecture}\n' 2>/dev/null | grep -xF "$arch")" ]; then
        "${sudo[@]}" dpkg --remove-architecture "$arch"
    fi
done
