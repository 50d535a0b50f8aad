#!/usr/bin/env bash
# What the tool does with text outside ASCII in the network settings file on Windows: the
# network page's file round trip (type an SSID, "Write To File...", "Read From File...", then
# "Write To File..." once more) of the Windows build under Wine, once in the Japanese code page
# (932) and once in an English one (1252), and each file read by the other builds. The files lie
# in a folder named "測定 Données", which no single 8-bit code page can name. Prints the bytes of
# the SSID in each file, what the page shows and the message boxes; checks and changes nothing
# (README.md, "Text and code pages", holds the findings).
#
# Wine takes its code page from LANG, so the locales ja_JP.UTF-8 and en_US.UTF-8 are generated
# when missing (with localedef; as root or with sudo). Builds what it runs: the Windows build
# (scripts/build-windows.sh) and the Linux probe in build/.
# usage: tools/windows-codepage.sh [<ssid>]   (default: 研究室のLAN)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ssid=${1:-研究室のLAN}

"$root/scripts/build-windows.sh" >/dev/null
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target e2e_probe >/dev/null

"$root/scripts/locales.sh" ja_JP en_US

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
work="$tmp/測定 Données"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen KT9_WINE_DLL_DIRS
KT9_WINE_DLL_DIRS=$(cat "$root/build-windows/wine-dll-dirs.txt")
unset LC_ALL LC_CTYPE LANGUAGE

# The Windows probe under Wine in a fresh prefix, with the code page of the locale $1.
windows_probe() {
    local locale=$1 status=0
    shift
    mkdir -p "$tmp/wine-$locale"
    LANG=$locale WINEPREFIX=$tmp/wine-$locale QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu \
        "$root/cmake/wine-run.sh" "$root/build-windows/bin/e2e_probe.exe" "$@" 2>"$tmp/$locale.log" |
        tr -d '\r' || status=$?
    WINEPREFIX=$tmp/wine-$locale /usr/lib/wine/wineserver -k 2>/dev/null || true
    return "$status"
}
linux_probe() {
    LANG=C.UTF-8 "$root/build/bin/e2e_probe" "$@" 2>/dev/null
}

echo "SSID typed: $ssid ($(printf '%s' "$ssid" | od -An -tx1 | tr -s ' ' | sed 's/^ //') in UTF-8)"
echo
echo "== Windows, Japanese code page (LANG=ja_JP.UTF-8): save, read back, save again"
windows_probe ja_JP.UTF-8 network-file "Z:$work/japanese.ini" "$ssid"
cp "$work/japanese.ini" "$work/japanese-1252.ini"
cp "$work/japanese.ini" "$work/japanese-linux.ini"
echo
echo "== Windows, English code page (LANG=en_US.UTF-8): save, read back, save again"
windows_probe en_US.UTF-8 network-file "Z:$work/english.ini" "$ssid"
echo
echo "== Windows, English code page reads the file saved in the Japanese code page, saves again"
windows_probe en_US.UTF-8 network-file "Z:$work/japanese-1252.ini"
echo
echo "== Linux (UTF-8) reads the file saved in the Japanese code page, saves again"
linux_probe network-file "$work/japanese-linux.ini"
echo
echo "== Linux (UTF-8): save, read back, save again"
linux_probe network-file "$work/linux.ini" "$ssid"
echo
echo "== Windows, Japanese code page reads the file the Linux build saved, saves again"
windows_probe ja_JP.UTF-8 network-file "Z:$work/linux.ini"
