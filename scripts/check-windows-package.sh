#!/usr/bin/env bash
# Builds the Windows packages (scripts/build-windows.sh --package) for 64-bit and 32-bit Windows
# and proves each complete and installable, with no path to the build tree:
#  - the zip holds one folder; every DLL that a program or DLL of it imports is in it or is one
#    of Windows' own (as Wine has them), and every DLL of it is imported by something in it; the
#    Qt plugins are exactly the three the program loads;
#  - the setup program is at most 12 MB and carries the version and product name;
#  - with a certificate (KT9_SIGN_PKCS12, or --sign), every program and DLL the project builds,
#    the setup program and the uninstaller it installs carry a valid signature by it;
#  - in a fresh Wine prefix: the setup program installs silently for the current user; the
#    installed folder holds exactly the zip's files and the uninstaller; the Start menu
#    shortcut points at the program, with its icon and the Documents folder to work in; the
#    uninstall entry holds its values. The installed program is driven under Wine in Xvfb
#    (tests/e2e/run_wine.sh: language, device and main window, "Write To Body", close, exit 0,
#    and kt9-cli.exe lists the instruments and writes to one); a second install keeps one
#    entry; the silent uninstall leaves the prefix's files and uninstall entries as they were
#    before the install, the user's own files in place;
#  - a setup program that cannot write its files (a read-only folder; needs root for the
#    read-only bind mount, skipped otherwise) or is given a file for /D= fails with a non-zero
#    exit code and leaves no entry or shortcut; with two folders installed, each uninstaller
#    removes its own folder, and the entry and shortcut only with the folder they name; /AllUsers gives the shortcut each user's
#    own Documents to work in, and its uninstaller removes the all-users entry and shortcut
#    without being told /AllUsers.
# The 32-bit setup program and program need a machine that runs 32-bit programs (a kernel with
# ia32 emulation and Wine's 32-bit half); on one that does not, their Wine checks are skipped
# and the script says so.
# usage: check-windows-package.sh [--arch x86_64|i686] [--sign] [--screenshots <dir>]
#   --arch         checks that architecture only (both by default)
#   --sign         signs with a throwaway self-signed certificate made here (openssl)
#   --screenshots  saves main-window-windows.png of the 64-bit program there
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
wine_run=$root/cmake/wine-run.sh
arches=(x86_64 i686) screenshots=() sign=false
usage() { echo "usage: $0 [--arch x86_64|i686] [--sign] [--screenshots <dir>]" >&2; exit 2; }
while [ $# -gt 0 ]; do
    case "$1" in
        --arch) [ $# -ge 2 ] || usage; arches=("$2"); shift ;;
        --sign) sign=true ;;
        --screenshots) [ $# -ge 2 ] || usage; screenshots=(--screenshots "$2"); shift ;;
        *) usage ;;
    esac
    shift
done

work=$(mktemp -d)
prefixes=() mounts=()
cleanup() {
    for mount in "${mounts[@]}"; do
        umount "$mount" 2>/dev/null || true
    done
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }
lower() { tr '[:upper:]' '[:lower:]'; }

if $sign; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=KT-9 throwaway test certificate" \
        -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
    head -c 24 /dev/urandom | base64 >"$work/password"
    openssl pkcs12 -export -in "$work/cert.pem" -inkey "$work/key.pem" -passout "file:$work/password" \
        -out "$work/cert.p12"
    export KT9_SIGN_PKCS12=$work/cert.p12 KT9_SIGN_PASSWORD_FILE=$work/password
fi
signer=
if [ -n "${KT9_SIGN_PKCS12:-}" ]; then
    password=(-passin pass:)
    [ -z "${KT9_SIGN_PASSWORD_FILE:-}" ] || password=(-passin "file:$KT9_SIGN_PASSWORD_FILE")
    openssl pkcs12 -in "$KT9_SIGN_PKCS12" "${password[@]}" -nokeys -clcerts -out "$work/signer.pem"
    signer=$work/signer.pem
fi
# A valid signature by the certificate; its root need not be trusted by the machine.
expect_signed() {
    local output
    output=$(osslsigncode verify -CAfile "$signer" -in "$1" 2>&1) ||
        fail "the signature of $2 does not verify: $output"
    grep -q "^Signature verification: ok" <<<"$output" || fail "the signature of $2 does not verify: $output"
}


check_zip() {
    local zip=$1 folder=$2 system=$3 objdump=$4
    local top shipped imported binary dll plugins
    mkdir "$work/unzipped-$arch"
    unzip -q "$zip" -d "$work/unzipped-$arch"
    top=("$work/unzipped-$arch"/*)
    [ ${#top[@]} -eq 1 ] && [ -d "${top[0]}" ] || fail "$(basename "$zip") does not hold exactly one folder"
    mv "${top[0]}" "$folder"
    for binary in kt9-config.exe kt9-cli.exe QLXSDK.dll README.txt; do
        [ -f "$folder/$binary" ] || fail "no $binary in $(basename "$zip")"
    done
    [ -d "$system" ] || fail "no $system: is Wine ($arch) installed?"
    mapfile -t shipped < <(cd "$folder" && find . -maxdepth 1 -iname '*.dll' -printf '%f\n' | lower)
    imported=()
    while IFS= read -r -d '' binary; do
        while read -r dll; do
            imported+=("$dll")
            # (Here-strings: with pipefail, grep -q ending early would fail the writer of a pipe.)
            if ! grep -qxF "$dll" <<<"$(printf '%s\n' "${shipped[@]}")" && [ -z "$(find "$system" -maxdepth 1 -iname "$dll")" ]; then
                fail "${binary#"$folder"/} imports $dll, which is neither in the package nor Windows' own"
            fi
        done < <("$objdump" -p "$binary" | awk '/DLL Name:/ { print $3 }' | lower)
    done < <(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
    for dll in "${shipped[@]}"; do
        grep -qxF "$dll" <<<"$(printf '%s\n' "${imported[@]}")" || fail "$dll is in the package but nothing imports it"
    done
    plugins=$(cd "$folder" && find . -mindepth 2 -iname '*.dll' | sort | tr '\n' ' ')
    [ "$plugins" = "./imageformats/qico.dll ./platforms/qwindows.dll ./styles/qwindowsvistastyle.dll " ] ||
        fail "the package's Qt plugins are $plugins"
    echo "$(basename "$zip"): $(stat -c %s "$zip") bytes, ${#shipped[@]} DLLs beside the program, complete"
}

# The values of one registry key, as "name<TAB>data" lines.
reg_values() {
    "$wine_run" reg query "$1" 2>/dev/null | tr -d '\r' |
        sed -n 's/^    \([^ ].*\)    REG_[A-Z_]*    \(.*\)$/\1\t\2/p'
}
reg_value() { reg_values "$1" | awk -F '\t' -v name="$2" '$1 == name { print $2 }'; }
# The prefix as a user's files see it: every file and folder of drive C, but Wine's own
# folders and the temporary files.
prefix_files() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o \
        -path './users/*/AppData/Local/Temp' -prune -o -print | LC_ALL=C sort)
}

check_setup() {
    local setup=$1 folder=$2 product=$3
    local user documents programs installed instdir shortcut key uninstaller
    export WINEPREFIX=$work/wine-$arch
    prefixes+=("$WINEPREFIX")
    # No menu entries or file associations on the build machine from what is installed.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    step "$arch: a fresh Wine prefix"
    "$wine_run" cmd /c exit
    user=$(cd "$WINEPREFIX/drive_c/users" && ls | grep -vx Public | head -n 1)
    documents=$WINEPREFIX/drive_c/users/$user/Documents
    programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs
    installed=$programs/$product
    instdir="C:\\users\\$user\\AppData\\Local\\Programs\\$product"
    shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$product.lnk"
    key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
    # Windows has the per-user program folder and the uninstall key already; a fresh Wine prefix
    # does not, and the setup program makes them.
    mkdir -p "$programs"
    "$wine_run" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /f >/dev/null
    prefix_files >"$work/before-$arch.txt"
    "$wine_run" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' >"$work/reg-before-$arch.txt" || true

    step "$arch: silent install for the current user"
    "$wine_run" "$setup" /S || fail "$(basename "$setup") /S ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ -f "$installed/kt9-config.exe" ] || fail "nothing installed into $installed"
    diff <(cd "$folder" && find . | LC_ALL=C sort) <(cd "$installed" && find . ! -name uninstall.exe | LC_ALL=C sort) ||
        fail "the installed files differ from the zip's"
    diff -r -x uninstall.exe "$folder" "$installed" >/dev/null || fail "an installed file differs from the zip's"
    [ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe installed"
    if [ -n "$signer" ]; then
        expect_signed "$installed/uninstall.exe" "the uninstaller"
        echo "the installed uninstall.exe is signed"
    fi

    step "$arch: the Start menu shortcut"
    [ -f "$shortcut" ] || fail "no Start menu shortcut $product.lnk"
    python3 "$root/tools/read-lnk.py" "$shortcut" >"$work/lnk-$arch.txt"
    grep -qxF "target=$instdir\\kt9-config.exe" "$work/lnk-$arch.txt" || fail "the shortcut: $(cat "$work/lnk-$arch.txt")"
    grep -qxF "icon=$instdir\\kt9-config.exe" "$work/lnk-$arch.txt" || fail "the shortcut's icon: $(cat "$work/lnk-$arch.txt")"
    grep -qxF "working_dir=C:\\users\\$user\\Documents" "$work/lnk-$arch.txt" ||
        fail "the shortcut's working folder: $(cat "$work/lnk-$arch.txt")"

    step "$arch: the uninstall entry"
    reg_values "$key" >"$work/entry-$arch.txt"
    local expected size
    size=$(du -sk --apparent-size "$folder" | cut -f 1)
    expected=$(printf '%s\t%s\n' DisplayName "$product" DisplayVersion "$file_version" \
        Publisher "$publisher" DisplayIcon "$instdir\\kt9-config.exe,0" InstallLocation "$instdir" \
        EstimatedSize "$(printf '0x%x' "$size")" \
        UninstallString "\"$instdir\\uninstall.exe\" /CurrentUser" \
        QuietUninstallString "\"$instdir\\uninstall.exe\" /CurrentUser /S" NoModify 0x1 NoRepair 0x1 | sort)
    diff <(echo "$expected") <(sort "$work/entry-$arch.txt") || fail "the uninstall entry's values differ"

    step "$arch: the installed program under Wine in Xvfb"
    local shots=()
    [ "$arch" != x86_64 ] || shots=("${screenshots[@]}")
    (unset WINEPREFIX WINEDLLOVERRIDES
     KT9_WINE_DLL_DIRS=$(cat "$build/wine-dll-dirs.txt") "$root/tests/e2e/run_wine.sh" \
        --program "$installed/kt9-config.exe" --probe "$build/bin/e2e_probe.exe" \
        --artifacts "$build/e2e" "${shots[@]}")

    step "$arch: installing again keeps one entry"
    "$wine_run" "$setup" /S || fail "the second install ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ "$("$wine_run" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
        grep -cxF "    DisplayName    REG_SZ    $product")" -eq 1 ] || fail "not one uninstall entry after a second install"
    diff <(sort "$work/entry-$arch.txt") <(reg_values "$key" | sort) || fail "the second install changed the entry"

    step "$arch: silent uninstall"
    # The user's own files beside and in the program's folders stay.
    echo "saved by the user" >"$documents/network.ini"
    mkdir -p "$WINEPREFIX/drive_c/users/$user/AppData/Local/qlxsdk-sim"
    echo "{}" >"$WINEPREFIX/drive_c/users/$user/AppData/Local/qlxsdk-sim/instrument.json"
    uninstaller=$(reg_value "$key" QuietUninstallString)
    [[ $uninstaller == '"'*'" /CurrentUser /S' ]] || fail "QuietUninstallString is $uninstaller"
    uninstaller=${uninstaller#\"}
    "$wine_run" "${uninstaller%%\"*}" /CurrentUser /S || fail "the uninstaller ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ -f "$documents/network.ini" ] && [ -f "$WINEPREFIX/drive_c/users/$user/AppData/Local/qlxsdk-sim/instrument.json" ] ||
        fail "the uninstaller removed the user's files"
    rm -r "$documents/network.ini" "$WINEPREFIX/drive_c/users/$user/AppData/Local/qlxsdk-sim"
    diff "$work/before-$arch.txt" <(prefix_files) || fail "the uninstaller left files behind (> above)"
    diff "$work/reg-before-$arch.txt" <("$wine_run" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
        tr -d '\r' || true) || fail "the uninstaller left registry values behind (> above)"
    echo "$(basename "$setup"): installs, runs, reinstalls and uninstalls under Wine"
}

# Runs after check_setup, in its prefix, which the uninstall has left as it was.
check_setup_faults() {
    local setup=$1 product=$2
    local user drive_c shortcut all_shortcut key all_key
    user=$(cd "$WINEPREFIX/drive_c/users" && ls | grep -vx Public | head -n 1)
    drive_c=$WINEPREFIX/drive_c
    shortcut="$drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$product.lnk"
    all_shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
    key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
    all_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
    setup_in() { "$wine_run" "$setup" "$@"; local status=$?; "$(dirname "$wine")/wineserver" -w; return $status; }

    step "$arch: a folder the setup program cannot write to"
    mkdir "$drive_c/ro"
    if [ "$(id -u)" -eq 0 ] && mount --bind -o ro "$drive_c/ro" "$drive_c/ro" 2>/dev/null; then
        mounts+=("$drive_c/ro")
        ! setup_in /S '/D=C:\ro' || fail "installing into a read-only folder ended with exit code 0"
        [ -z "$(reg_values "$key")" ] && [ ! -e "$shortcut" ] ||
            fail "a failed installation left an uninstall entry or a shortcut"
        umount "$drive_c/ro"
        echo "installing into a read-only folder fails and leaves no entry or shortcut"
    else
        echo "SKIPPED: the read-only folder needs root (a read-only bind mount)"
    fi
    rmdir "$drive_c/ro"
    touch "$drive_c/file"
    ! setup_in /S '/D=C:\file' || fail "installing into a file's path ended with exit code 0"
    [ -z "$(reg_values "$key")" ] || fail "/D= naming a file installed elsewhere"
    rm "$drive_c/file"
    echo "/D= naming a file is refused"

    step "$arch: each uninstaller removes its own folder"
    setup_in /S '/D=C:\A' && setup_in /S '/D=C:\B' || fail "installing into C:\\A and C:\\B failed"
    "$wine_run" 'C:\A\uninstall.exe' /CurrentUser /S || fail "A's uninstaller ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ ! -e "$drive_c/A" ] && [ -f "$drive_c/B/kt9-config.exe" ] || fail "A's uninstaller did not remove A alone"
    [ "$(reg_value "$key" InstallLocation)" = 'C:\B' ] && [ -f "$shortcut" ] ||
        fail "A's uninstaller removed B's entry or shortcut"
    "$wine_run" 'C:\B\uninstall.exe' /CurrentUser /S || fail "B's uninstaller ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ ! -e "$drive_c/B" ] && [ -z "$(reg_values "$key")" ] && [ ! -e "$shortcut" ] ||
        fail "B's uninstaller left its folder, entry or shortcut"
    echo "with C:\\A and C:\\B installed, each uninstaller removes its own"

    step "$arch: for all users"
    setup_in /AllUsers /S || fail "the /AllUsers installation ended with exit code $?"
    python3 "$root/tools/read-lnk.py" "$all_shortcut" | grep -qxF 'working_dir=%USERPROFILE%\Documents' ||
        fail "the all-users shortcut's working folder: $(python3 "$root/tools/read-lnk.py" "$all_shortcut")"
    local all_instdir
    all_instdir=$(reg_value "$all_key" InstallLocation)
    [ -n "$all_instdir" ] || fail "no all-users uninstall entry"
    # Started as a double click does: no /AllUsers.
    "$wine_run" "$all_instdir\\uninstall.exe" /S || fail "the all-users uninstaller ended with exit code $?"
    "$(dirname "$wine")/wineserver" -w
    [ -z "$(reg_values "$all_key")" ] && [ ! -e "$all_shortcut" ] ||
        fail "the all-users uninstaller left the all-users entry or shortcut"
    echo "for all users: each user's Documents to work in; the uninstaller finds the all-users entry"
}

for arch in "${arches[@]}"; do
    case "$arch" in
        x86_64) build=$root/build-windows system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
                wine=/usr/lib/wine/wine64 product="KT-9 Configuration Tool" ;;
        i686) build=$root/build-windows-i686 system=/usr/lib/i386-linux-gnu/wine/i386-windows
              wine=/usr/lib/wine/wine product="KT-9 Configuration Tool (32-bit)"
              # Without Wine's 32-bit half, Windows' own DLLs are named by the 64-bit ones.
              if [ ! -d "$system" ]; then
                  system=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
                  echo "No 32-bit Wine: the 32-bit package's imports are checked against the names of the 64-bit Wine's DLLs"
              fi ;;
        *) usage ;;
    esac
    step "$arch: building the packages"
    "$root/scripts/build-windows.sh" --arch "$arch" --package >/dev/null
    # package, package_arch, version, file_version, publisher, own_binaries
    source "$build/windows-package.sh"
    zip=$build/$package.zip setup=$build/$package-setup.exe folder=$work/$package
    check_zip "$zip" "$folder" "$system" "$arch-w64-mingw32-objdump"
    [ "$(stat -c %s "$setup")" -le $((12 * 1024 * 1024)) ] || fail "$(basename "$setup") is larger than 12 MB"
    # Its version information, as Windows shows it in the file's properties.
    strings -el "$setup" >"$work/strings-$arch.txt"
    grep -A1 -xF FileVersion "$work/strings-$arch.txt" | grep -xF "$file_version" >/dev/null ||
        fail "$(basename "$setup") carries no file version $file_version"
    grep -A1 -xF ProductName "$work/strings-$arch.txt" | grep -xF "$product" >/dev/null ||
        fail "$(basename "$setup") carries no product name $product"
    echo "$(basename "$setup"): $(stat -c %s "$setup") bytes"
    if [ -n "$signer" ]; then
        step "$arch: signatures"
        for binary in $own_binaries; do
            expect_signed "$folder/$binary" "$binary"
        done
        expect_signed "$setup" "$(basename "$setup")"
        echo "$own_binaries and $(basename "$setup") are signed by $(openssl x509 -in "$signer" -noout -subject)"
    fi
    if [ "$arch" = i686 ] && ! reason=$("$root/scripts/runs-32-bit.sh"); then
        echo "SKIPPED: $(basename "$setup") installed and run under Wine: $reason"
        continue
    fi
    export KT9_WINE=$wine
    check_setup "$setup" "$folder" "$product"
    check_setup_faults "$setup" "$product"
done
echo "The Windows packages are complete and install under Wine"
