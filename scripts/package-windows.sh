#!/usr/bin/env bash
# Makes the Windows packages of a Windows build folder (scripts/build-windows.sh --package):
# installs the build's files (its install rules, stripped) into <build>/package/<name>/, and
# makes from that one folder <build>/<name>.zip (the portable form) and <build>/<name>-setup.exe
# (cmake/setup.nsi, LZMA), where <name> is kt9-config-<version>-<win64|win32>.
# With KT9_SIGN_PKCS12 set, signs the programs and DLLs the project builds before both are made,
# and the setup program and its uninstaller as makensis writes them (scripts/sign-windows.sh).
# usage: package-windows.sh <build folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 1 ] || { echo "usage: $0 <build folder>" >&2; exit 2; }
build=$(cd "$1" && pwd)
# package, package_arch, version, file_version, publisher, own_binaries
source "$build/windows-package.sh"

stage=$build/package
rm -rf "$stage" "$build/$package.zip" "$build/$package-setup.exe"
cmake --install "$build" --strip --prefix "$stage/$package" >/dev/null
sign=()
if [ -n "${KT9_SIGN_PKCS12:-}" ]; then
    sign=("$root/scripts/sign-windows.sh")
    for binary in $own_binaries; do
        "${sign[@]}" "$stage/$package/$binary"
    done
fi

(cd "$stage" && find "$package" -print0 | LC_ALL=C sort -z | xargs -0 zip -q -X -9 "$build/$package.zip")

# The uninstaller deletes the installed files one by one, then their folders from the deepest
# up, so that it never removes what it did not install.
windows_path() { tr / '\\'; }
{
    (cd "$stage/$package" && find . -type f | LC_ALL=C sort) | cut -c3- | windows_path |
        sed 's/^\(.*\)$/Delete "$INSTDIR\\\1"/'
    (cd "$stage/$package" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | cut -c3- | windows_path |
        sed 's/^\(.*\)$/RMDir "$INSTDIR\\\1"/'
} >"$stage/uninstall.nsh"
size_kb=$(du -sk --apparent-size "$stage/$package" | cut -f 1)
defines=(-DSTAGE="$stage/$package" -DUNINSTALL="$stage/uninstall.nsh" -DVERSION="$version"
         -DFILE_VERSION="$file_version" -DARCH="$package_arch" -DSIZE_KB="$size_kb"
         -DICON="$stage/$package/Resources/KT_9.ico" -DPUBLISHER="$publisher"
         -DOUTFILE="$build/$package-setup.exe")
[ ${#sign[@]} -eq 0 ] || defines+=(-DSIGN="${sign[0]}")
makensis -V2 -NOCD -INPUTCHARSET UTF8 "${defines[@]}" "$root/cmake/setup.nsi"
ls -l "$build/$package.zip" "$build/$package-setup.exe"
