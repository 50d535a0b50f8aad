#!/usr/bin/env bash
# Drives the Windows kt9-config.exe under Wine in a virtual X server (Xvfb with openbox as window
# manager) as a user would, with the machinery of run_e2e.sh (e2e_lib.sh): against a temporary
# folder of two simulated instruments, the language dialog (English), the device dialog (the
# second instrument), the main window filled from it under Windows' own style, the network
# page edited and written to the instrument with "Write To Body" (the instrument's file must
# hold the new settings), and the title bar's close button, after which the program must end
# with exit code 0. Then kt9-cli.exe of the same folder, from a console of its own: it lists the
# two instruments and sets the second one's power-off time, with exit code 0. On failure it
# prints the program's log and saves a screenshot into the artifacts folder.
#
# The program runs in a fresh Wine prefix of its own, with nothing on Wine's DLL search path: it
# must find its DLLs and plugins beside itself. The probe (a Windows build of e2e_probe) gets
# the build's DLL folders from KT9_WINE_DLL_DIRS, as the tests do.
#
# usage: run_wine.sh --program <kt9-config.exe> --probe <e2e_probe.exe> --artifacts <dir>
#                    [--screenshots <dir>]
#   --screenshots <dir>  also saves the main window, connected and filled, as
#                        main-window-windows.png in <dir>
set -euo pipefail

wine_run=$(realpath "$(dirname "$0")/../../cmake/wine-run.sh")
RUNNER=("$wine_run") PROGRAM_PATH_PREFIX=Z:
source "$(dirname "$0")/e2e_lib.sh" "$@"

export WINEPREFIX=$work/wine
# Qt's messages of a Windows program without a console go to the debugger unless forced to
# standard error, where the driver reads them. Qt also says there which plugins it loads.
export QT_FORCE_STDERR_LOGGING=1 QT_DEBUG_PLUGINS=1
cleanup_more() { /usr/lib/wine/wineserver -k 2>/dev/null; }

# The program alone, without the probe's DLL folders.
start_program_alone() {
    local probe_dirs=${KT9_WINE_DLL_DIRS:-}
    unset KT9_WINE_DLL_DIRS
    start_program "$1"
    [ -z "$probe_dirs" ] || export KT9_WINE_DLL_DIRS=$probe_dirs
}

# Checks that the program loaded a plugin from its own folder, e.g. styles/qwindowsvistastyle.dll.
expect_plugin_loaded() {
    local path
    path="$(program_path "$(dirname "$program")")/$1"
    tr -d '\r' <"$program_log" | grep -qiF "loaded library \"$path\"" ||
        fail "the program did not load $path"
}

windows_run() {
    MAIN_TITLE="Spectrophotometer Configuration Tool KT-9"
    write_instruments 2
    measure_layout en.qm
    start_program_alone windows
    choose_language english
    wait_line "select English:1"
    choose_second_device "Select Device"
    wait_main_window
    wait_line "QLX_GetNetworkInfo -> 0"
    wait_line "QLX_GetShutdownTime -> 0"
    save_screenshot main-window-windows.png
    expect_plugin_loaded platforms/qwindows.dll
    expect_plugin_loaded styles/qwindowsvistastyle.dll
    expect_plugin_loaded imageformats/qico.dll

    step "network: edit and write to the instrument"
    fill_page_field "${SSID_EDIT[@]}" "Wine-Lab"
    fill_page_field "${KEY_EDIT[@]}" "w1ne-key"
    fill_ip_octet 1 10
    fill_ip_octet 2 4
    fill_ip_octet 3 5
    fill_ip_octet 4 6
    click_page_radio "${WLAN_DISABLE[@]}"
    click_page_widget "${NET_WRITE_BODY[@]}"
    answer_box information
    # The other addresses and DHCP come from the instrument as it was read.
    check_instrument network.APConnectUse 0
    check_instrument network.DHCPUse 0
    check_instrument network.IPAddress 10.4.5.6
    check_instrument network.SubnetMask 255.255.255.0
    check_instrument network.DefaultGateway 192.168.10.1
    check_instrument network.SSID Wine-Lab
    check_instrument network.EncryptKey w1ne-key

    step "close from the title bar while connected"
    wmctrl -i -c "$(printf '0x%x' "$main")"
    expect_exit_code_0
    expect_line_count "QLX_Disconnect -> 0" 1
}

# kt9-cli.exe beside the window's program, with its DLLs from the same folder only.
cli_run() {
    run=cli
    local cli listed
    cli=$(dirname "$program")/kt9-cli.exe
    [ -f "$cli" ] || fail "no kt9-cli.exe beside $(basename "$program")"
    step "kt9-cli.exe lists the instruments"
    listed=$(QLXSDK_SIM_DIR="$(program_path "$instruments")" KT9_WINE_DLL_DIRS= "$wine_run" "$cli" list --lang en |
        tr -d '\r') || fail "kt9-cli.exe list ended with exit code $?"
    [ "$listed" = "$(printf '1  01111111  KALDO-1(USB,Serial#01111111)\n2  02222222  KALDO-1(USB,Serial#02222222)')" ] ||
        fail "kt9-cli.exe listed: $listed"
    step "kt9-cli.exe sets the power-off time of the second instrument"
    QLXSDK_SIM_DIR="$(program_path "$instruments")" KT9_WINE_DLL_DIRS= "$wine_run" "$cli" power-off 60 --port 2 \
        --lang en >"$work/cli.log" 2>&1 || fail "kt9-cli.exe power-off ended with exit code $?: $(cat "$work/cli.log")"
    check_instrument shutdownMode 3
}

start_display
# Wine makes its prefix before the first program runs: done here, so that it does not count
# against the waits for windows. Wine's desktop process, started with the prefix, must find
# the display.
step "creating the Wine prefix"
"$wine_run" cmd /c exit
# Wine has no "Segoe UI", the program's font: a sans-serif stand-in rather than Wine's pick.
"$wine_run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Segoe UI" /d "DejaVu Sans" /f >/dev/null
windows_run
cli_run
run=
step "the Windows runs passed"
