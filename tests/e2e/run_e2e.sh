#!/usr/bin/env bash
# Drives the real kt9-config in a virtual X server (Xvfb with openbox as window manager) as a
# user would: xdotool clicks at the form's positions, typed text, Return on every message box.
# Three runs against a temporary folder of three simulated instruments:
#   English:  language, the second instrument (the device dialog ignores Escape and its title
#             bar's close button), network settings read from the instrument,
#             edited and written back, saved to an INI file and loaded again, the power-off
#             time, a white calibration plate file registered, Disconnect, Connect, the
#             instrument pulled, the lost-connection box, Close; exit code 0.
#   Japanese: language, the second instrument, the main window filled, Qt's own file dialog
#             opened and cancelled, closed from its title bar; exit code 0.
#   200 %:    the X server tells its clients 192 dpi (Xft.dpi, as a desktop at 200 % does), no
#             QT_* scaling variable: every window twice its size, and clicks at twice the form's
#             positions choose the language and the instrument, disconnect and close.
# It checks what a user would check: what the instrument stored (the simulator's file), the
# bytes of the saved INI file, the kind of every message box (information or critical, told by
# the colour of its icon) and the program's debug lines. On failure it prints the program's log
# and saves a screenshot into the artifacts folder.
#
# The shared machinery (display, instruments, clicks, boxes) is e2e_lib.sh.
#
# usage: run_e2e.sh --program <kt9-config> --probe <e2e_probe> --artifacts <dir> [--screenshots <dir>]
#   --screenshots <dir>  also saves the main window of each run, connected and filled, as
#                        main-window-en.png, main-window-ja.png and main-window-200.png, and the
#                        Japanese Save dialog as file-dialog-ja.png in <dir>
set -euo pipefail

RUNNER=() PROGRAM_PATH_PREFIX=
source "$(dirname "$0")/e2e_lib.sh" "$@"

# --- the runs ------------------------------------------------------------------------------

english_run() {
    MAIN_TITLE="Spectrophotometer Configuration Tool KT-9"
    write_instruments
    measure_layout en.qm
    start_program en
    choose_language english
    wait_line "select English:1"
    choose_second_device "Select Device" check-close
    wait_main_window
    wait_line "QLX_GetNetworkInfo -> 0"
    save_screenshot main-window-en.png

    step "network: read from the instrument"
    set_instrument_key network '{"APConnectUse": 1, "DHCPUse": 0, "IPAddress": "10.0.0.20",
        "SubnetMask": "255.255.0.0", "DefaultGateway": "10.0.0.1", "DNS": "10.0.0.53",
        "SSID": "Workshop", "EncryptKey": "workshop-key"}'
    click_page_widget "${NET_READ_BODY[@]}"
    answer_box information
    wait_line "QLX_GetNetworkInfo -> 0" 2

    step "network: edit and write to the instrument"
    fill_page_field "${SSID_EDIT[@]}" "E2E-Lab"
    fill_page_field "${KEY_EDIT[@]}" "pa55word"
    fill_ip_octet 1 10
    fill_ip_octet 2 1
    fill_ip_octet 3 2
    fill_ip_octet 4 3
    click_page_radio "${WLAN_DISABLE[@]}"
    click_page_widget "${NET_WRITE_BODY[@]}"
    answer_box information
    # Subnet mask, gateway and DNS come from the read above; the rest from the edits.
    check_instrument network.APConnectUse 0
    check_instrument network.DHCPUse 0
    check_instrument network.IPAddress 10.1.2.3
    check_instrument network.SubnetMask 255.255.0.0
    check_instrument network.DefaultGateway 10.0.0.1
    check_instrument network.DNS 10.0.0.53
    check_instrument network.SSID E2E-Lab
    check_instrument network.EncryptKey pa55word

    step "network: save to an INI file"
    local ini=$files/network.ini expected=$work/expected.ini
    printf '%s\r\n' "[Network]" "; 0:eDHCP_OFF, 1:eDHCP_ON" "DHCPUse=0" "IPAddress=10.1.2.3" \
        "SubnetMask=255.255.0.0" "DefaultGateway=10.0.0.1" "SSID=E2E-Lab" "EncryptKey=pa55word" \
        "DNS=10.0.0.53" "; 0:eAPConnect_OFF, 1:eAPConnect_ON" "APConnectUse=0" >"$expected"
    click_page_widget "${NET_WRITE_FILE[@]}"
    answer_file_dialog Save "$ini"
    answer_box information
    cmp "$expected" "$ini" || fail "the saved INI file differs: $(od -c "$ini")"

    step "network: change the page, load the INI file, save it again"
    fill_page_field "${SSID_EDIT[@]}" "Scratch"
    fill_ip_octet 1 99
    click_page_radio "${WLAN_ENABLE[@]}"
    click_page_widget "${NET_READ_FILE[@]}"
    answer_file_dialog Open "$ini"
    answer_box information
    click_page_widget "${NET_WRITE_FILE[@]}"
    answer_file_dialog Save "$files/reloaded.ini"
    answer_box information
    cmp "$expected" "$files/reloaded.ini" || fail "the page did not show the loaded file: $(od -c "$files/reloaded.ini")"

    step "auto power-off: 60 minutes"
    select_tab 1
    click_page_radio "${POWER_60_MIN[@]}"
    click_page_widget "${POWER_WRITE_BODY[@]}"
    answer_box information
    wait_line "QLX_SetShutdownTime() success[mode:3]."
    check_instrument shutdownMode 3

    step "white calibration plate: read a file, register it"
    local csv=$files/white-plate.csv values
    values=$(awk 'BEGIN { for (i = 0; i < 38; i++) printf "%s%g", (i ? "," : ""), 90 + i * 0.25 }')
    printf '%s\r\n' "White calibration plate reference values" "400nm-770nm, 10nm steps" \
        "20240101" "$values" >"$csv"
    select_tab 2
    click_page_widget "${WHITE_READ_FILE[@]}"
    answer_file_dialog Open "$csv"
    answer_box information
    wait_line "SerialNo: 20240101 "
    click_page_widget "${WHITE_WRITE_BODY[@]}"
    answer_box information
    check_instrument calibration.whiteSerial 20240101
    check_instrument calibration.ambientSerial 00012345
    local stored
    stored=$(run_probe json "$(program_path "$instrument_b")" calibration.whiteValues) || fail "no whiteValues stored"
    awk -v want="$values" -v got="$stored" 'BEGIN {
            gsub(/[][]/, "", got); n = split(want, w, ","); m = split(got, g, ",")
            if (n != m) exit 1
            for (i = 1; i <= n; i++) if (w[i] + 0 != g[i] + 0) exit 1 }' ||
        fail "stored white values $stored, expected [$values]"

    step "disconnect, connect again"
    click_widget "$main" "${DISCONNECT[@]}"
    wait_line "QLX_Disconnect -> 0"
    click_widget "$main" "${CONNECT[@]}"
    choose_second_device "Select Device"
    wait_line "QLX_Connect -> 0" 2
    # The new session reads the instrument again, with the power-off time written above.
    wait_line "QLX_GetShutdownTime() success[mode:3]."

    step "pull the instrument"
    set_instrument_key unplugged true
    wait_line "eEventCode_DisConnect true "
    answer_box critical

    step "close"
    click_widget "$main" "${CLOSE[@]}"
    expect_exit_code_0
    # The lost session is not disconnected again on Close.
    expect_line_count "QLX_Disconnect -> 0" 1
}

japanese_run() {
    MAIN_TITLE="分光測色計 設定ツール KT-9"
    write_instruments
    measure_layout jp.qm
    start_program ja
    choose_language japanese
    wait_line "select japanese:2"
    choose_second_device "測定器の選択"
    wait_main_window
    wait_line "QLX_GetNetworkInfo -> 0"
    wait_line "QLX_GetShutdownTime -> 0"
    save_screenshot main-window-ja.png

    step "Qt's own file dialog in Japanese, cancelled"
    click_page_widget "${NET_WRITE_FILE[@]}"
    wait_window "保存"
    local dialog=$window
    save_screenshot file-dialog-ja.png "$dialog"
    timeout "$WAIT_S" xdotool windowactivate --sync "$dialog" || fail "cannot activate the Save dialog"
    xdotool key Escape
    wait_window_gone "$dialog" "保存"

    step "close from the title bar while connected"
    wmctrl -i -c "$(printf '0x%x' "$main")"
    expect_exit_code_0
    expect_line_count "QLX_Disconnect -> 0" 1
}

# A desktop at 200 %: the X server's resources say Xft.dpi 192, which Qt turns into a scale
# factor of 2; no QT_* variable is set. Every form position and size is doubled on the screen.
scaled_run() {
    MAIN_TITLE="Spectrophotometer Configuration Tool KT-9"
    write_instruments
    echo "Xft.dpi: 192" | xrdb -merge || fail "xrdb cannot set Xft.dpi"
    SCALE=2
    start_program 200
    choose_language english
    wait_line "select English:1"
    choose_second_device "Select Device"
    wait_main_window
    wait_line "QLX_GetShutdownTime -> 0"
    save_screenshot main-window-200.png

    step "disconnect and close at twice the buttons' positions"
    click_widget "$main" "${DISCONNECT[@]}"
    wait_line "QLX_Disconnect -> 0"
    click_widget "$main" "${CLOSE[@]}"
    expect_exit_code_0
    SCALE=1
    xrdb -remove
}

start_display
english_run
japanese_run
scaled_run
run=
step "all three runs passed"
