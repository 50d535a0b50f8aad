#!/usr/bin/env bash
# Builds the Windows package (scripts/build-windows.sh --package), unzips it into an empty
# temporary folder and proves it complete there, with no path to the build tree:
#  - the zip holds one folder;
#  - every DLL that a program or DLL of the folder imports is in the folder or is one of
#    Windows' own (as Wine has them), and every DLL of the folder is imported by something in it;
#  - the Qt plugins are exactly the three the program loads;
#  - the program runs under Wine in Xvfb with a window manager and is driven as a user would
#    (tests/e2e/run_wine.sh): language, device and main window, "Write To Body", close, exit 0;
#    and kt9-cli.exe of the folder lists the instruments and writes to one.
# usage: check-windows-package.sh [--screenshots <dir>]   (saves main-window-windows.png there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
screenshots=()
case "${1:-}" in
    --screenshots) screenshots=(--screenshots "$2") ;;
    "") ;;
    *) echo "usage: $0 [--screenshots <dir>]" >&2; exit 2 ;;
esac
"$root/scripts/build-windows.sh" --package >/dev/null
build=$root/build-windows
package=$(ls -t "$build"/kt9-config-*-win64.zip | head -n 1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/unzipped"
unzip -q "$package" -d "$work/unzipped"
top=("$work/unzipped"/*)
[ ${#top[@]} -eq 1 ] && [ -d "${top[0]}" ] || fail "$(basename "$package") does not hold exactly one folder"
folder=${top[0]}
for program in kt9-config.exe kt9-cli.exe QLXSDK.dll README.txt; do
    [ -f "$folder/$program" ] || fail "no $program in the package"
done

# Windows' own DLLs, as Debian's Wine provides them.
system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[ -d "$system" ] || fail "no $system: is wine64 installed?"
lower() { tr '[:upper:]' '[:lower:]'; }
mapfile -t shipped < <(cd "$folder" && find . -maxdepth 1 -iname '*.dll' -printf '%f\n' | lower)
imported=()
while IFS= read -r -d '' binary; do
    while read -r dll; do
        imported+=("$dll")
        if ! printf '%s\n' "${shipped[@]}" | grep -qxF "$dll" && [ -z "$(find "$system" -maxdepth 1 -iname "$dll")" ]; then
            fail "${binary#"$folder"/} imports $dll, which is neither in the package nor Windows' own"
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/ { print $3 }' | lower)
done < <(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
for dll in "${shipped[@]}"; do
    printf '%s\n' "${imported[@]}" | grep -qxF "$dll" || fail "$dll is in the package but nothing imports it"
done
plugins=$(cd "$folder" && find . -mindepth 2 -iname '*.dll' | sort | tr '\n' ' ')
[ "$plugins" = "./imageformats/qico.dll ./platforms/qwindows.dll ./styles/qwindowsvistastyle.dll " ] ||
    fail "the package's Qt plugins are $plugins"

KT9_WINE_DLL_DIRS=$(cat "$build/wine-dll-dirs.txt") "$root/tests/e2e/run_wine.sh" \
    --program "$folder/kt9-config.exe" --probe "$build/bin/e2e_probe.exe" --artifacts "$build/e2e" \
    "${screenshots[@]}"
echo "Package $(basename "$package") ($(stat -c %s "$package") bytes, ${#shipped[@]} DLLs beside the program) is complete and runs under Wine"
