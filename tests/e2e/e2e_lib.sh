# Shared part of the end-to-end drivers run_e2e.sh (the Linux program) and run_wine.sh (the
# Windows package under Wine): a virtual X server (Xvfb) with openbox as window manager,
# simulated instruments in a temporary folder, the program started and watched through its
# debug output, xdotool clicks at the form's positions, typed text, message boxes told apart
# by the colour of their icon and answered with Return, screenshots.
#
# Sourced by a driver with the driver's arguments, which it reads into
#   program, probe        the program and the helper e2e_probe (e2e_probe.cpp): --program, --probe
#   artifacts             the folder for the program's output and a screenshot on failure: --artifacts
#   screenshots           empty, or the folder for the screenshots of save_screenshot: --screenshots
# after the driver has set:
#   RUNNER                the command that runs program and probe (an array; empty: run them)
#   PROGRAM_PATH_PREFIX   what turns this machine's absolute paths into the programs' own
#                         (empty; "Z:" under Wine, where this machine's root is drive Z:)
# A driver may define cleanup_more, run when the driver ends, after the program and before the
# display.

program= probe= artifacts= screenshots=
while [ $# -gt 0 ]; do
    case "$1" in
        --program) program=$(realpath "$2"); shift 2 ;;
        --probe) probe=$(realpath "$2"); shift 2 ;;
        --artifacts) artifacts=$2; shift 2 ;;
        --screenshots) screenshots=$(realpath "$2"); shift 2 ;;
        *) echo "usage: $0 --program <program> --probe <e2e_probe> --artifacts <dir> [--screenshots <dir>]" >&2
           exit 2 ;;
    esac
done
[ -f "$program" ] && [ -f "$probe" ] && [ -n "$artifacts" ] || { echo "$0: missing argument" >&2; exit 2; }

for tool in Xvfb openbox wmctrl xdotool xrdb import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/deps.sh test)" >&2; exit 1; }
done
mkdir -p "$artifacts"
artifacts=$(realpath "$artifacts")

readonly WAIT_S=20              # the longest wait for one window, box or log line
readonly POLL_S=0.05
readonly SCREEN=2560x1600x24    # room for the main window at twice 1171 x 720 and its title bar
readonly RADIO_INDICATOR_X=10   # radio buttons are clicked on their indicator, left of the label
readonly NOTHING_HAPPENS_S=0.5  # how long a window is watched for a reaction that must not come
readonly ICON_AREA=64x64+0+0    # a message box's icon lies in its top left corner
readonly ICON_PIXELS=30         # coloured pixels in that corner that make an icon

work=$(mktemp -d)
files=$work/files               # the program's working folder: its file dialogs start here
instruments=$work/instruments
mkdir -p "$files" "$instruments" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
export LC_ALL=C.UTF-8
export QT_LOGGING_RULES="default.debug=true"
# The tool draws no OpenGL: no GL driver is loaded into it or into the probe.
export QT_XCB_GL_INTEGRATION=none
# Qt's own widget dialogs, style and scale whatever desktop the caller runs in: the clicks are
# computed for them.
unset QT_MESSAGE_PATTERN QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
    QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY \
    QT_USE_PHYSICAL_DPI QT_FONT_DPI XDG_CURRENT_DESKTOP DESKTOP_SESSION GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION

x_pid= wm_pid= app_pid= run= program_log= main= MAIN_TITLE=
SCALE=1                         # device pixels per pixel of the forms: 2 on the 192 dpi run
# Ends what the driver started, by process id, and keeps the driver's own exit status.
cleanup() {
    local status=$?
    set +e
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    declare -F cleanup_more >/dev/null && cleanup_more
    for pid in "$wm_pid" "$x_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

step() { echo "[e2e ${run:-setup} ${SECONDS}s] $*"; }

fail() {
    echo "FAIL (${run:-setup} run): $*" >&2
    if [ -n "${DISPLAY:-}" ] && import -window root "$artifacts/e2e-failure.png" 2>/dev/null; then
        echo "screenshot: $artifacts/e2e-failure.png" >&2
    fi
    if [ -n "$program_log" ] && [ -f "$program_log" ]; then
        cp "$program_log" "$artifacts/"
        echo "----- program output ($program_log) -----" >&2
        cat "$program_log" >&2
        echo "----- end of program output -----" >&2
    fi
    exit 1
}

# A path of this machine as the programs see it.
program_path() { echo "${PROGRAM_PATH_PREFIX}$1"; }

# Runs the probe; its output's line ends are LF whatever its C runtime writes.
run_probe() { "${RUNNER[@]}" "$probe" "$@" | tr -d '\r'; }

# --- the X server and the window manager -------------------------------------------------

start_display() {
    # Xvfb picks a free display and writes its number to file descriptor 3.
    Xvfb -displayfd 3 -screen 0 "$SCREEN" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    x_pid=$!
    local deadline=$((SECONDS + WAIT_S))
    until [ -s "$work/display" ]; do
        [ $SECONDS -lt $deadline ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep "$POLL_S"
    done
    export DISPLAY=":$(head -n 1 "$work/display")"
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    until wmctrl -m >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "openbox did not start: $(cat "$work/openbox.log")"
        sleep "$POLL_S"
    done
}

# --- the simulated instruments -----------------------------------------------------------

instrument_b=$instruments/b.json

# Three instruments (or as many as the argument says, two or three), listed in file-name order;
# the runs pick the second one, b.
write_instruments() {
    rm -f "$instruments"/*.json
    printf '{"portType": 1, "serialNo": 1111111}\n' >"$instruments/a.json"
    cat >"$instrument_b" <<'EOF'
{
    "portType": 1,
    "serialNo": 2222222,
    "firmware": {"major": 1, "minor": 2, "build": 3},
    "macAddress": "0A:B0:00:01:FF:10",
    "shutdownMode": 2,
    "network": {"APConnectUse": 1, "DHCPUse": 0, "IPAddress": "192.168.10.25",
                "SubnetMask": "255.255.255.0", "DefaultGateway": "192.168.10.1",
                "DNS": "192.168.10.1", "SSID": "Lab-WLAN", "EncryptKey": "kt9-secret"},
    "calibration": {"whiteSerial": "10012345", "ambientSerial": "00012345"}
}
EOF
    [ "${1:-3}" -lt 3 ] ||
        printf '{"portType": 2, "portName": "192.168.0.20", "serialNo": 3333333}\n' >"$instruments/c.json"
}

# Sets one top-level key of instrument b's file, as someone editing the instrument would.
set_instrument_key() {
    run_probe json-set "$(program_path "$instrument_b")" "$1" "$2" || fail "cannot set $1 in $instrument_b"
}

check_instrument() {
    local key=$1 want=$2 got
    got=$(run_probe json "$(program_path "$instrument_b")" "$key") || fail "the instrument's file has no $key"
    [ "$got" = "$want" ] || fail "instrument stored $key = '$got', expected '$want'"
}

# --- the program ---------------------------------------------------------------------------

start_program() {
    run=$1
    program_log=$work/program-$run.log
    # The library's trace adds one line per SDK call ("QLX_Connect -> 0") to the debug output.
    (cd "$files" && QLXSDK_SIM_DIR="$(program_path "$instruments")" QLXSDK_SIM_TRACE=1 \
        exec "${RUNNER[@]}" "$program") >"$program_log" 2>&1 &
    app_pid=$!
    step "started $(basename "$program") (pid $app_pid)"
}

expect_exit_code_0() {
    timeout "$WAIT_S" tail --pid="$app_pid" -f /dev/null || fail "the program did not end"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
    cp "$program_log" "$artifacts/"
    step "program ended with exit code 0"
}

# Lines of the program's output, whether its C runtime ends them with LF or CR LF.
count_lines() { tr -d '\r' <"$program_log" | grep -cFx -- "$1" || true; }

# Waits until the program's output holds the exact line at least n times (default 1).
wait_line() {
    local line=$1 n=${2:-1} deadline=$((SECONDS + WAIT_S))
    until [ "$(count_lines "$line")" -ge "$n" ]; do
        [ $SECONDS -lt $deadline ] || fail "no line \"$line\" (wanted $n) in the program's output"
        kill -0 "$app_pid" 2>/dev/null || fail "the program ended while waiting for \"$line\""
        sleep "$POLL_S"
    done
}

# Checks a line of the output of a program that has ended.
expect_line_count() {
    local got
    got=$(count_lines "$1")
    [ "$got" -eq "$2" ] || fail "the line \"$1\" came $got times, expected $2"
}

# --- windows, clicks and keys --------------------------------------------------------------

# Waits for a visible window with the exact title and puts its id in $window.
wait_window() {
    local ids
    ids=$(timeout "$WAIT_S" xdotool search --sync --onlyvisible --name "^$1\$") ||
        fail "no window \"$1\" within ${WAIT_S}s"
    window=${ids%%$'\n'*}
}

# True while the window with this id and title is visible.
window_visible() {
    local ids
    ids=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null) || return 1
    grep -qx "$1" <<<"$ids"
}

wait_window_gone() {
    local id=$1 deadline=$((SECONDS + WAIT_S))
    while window_visible "$id" "$2"; do
        [ $SECONDS -lt $deadline ] || fail "window \"$2\" did not close"
        sleep "$POLL_S"
    done
}

# True when the window's client area is width x height of the form, times the run's scale.
has_form_size() {
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$1")
    grep -qx "WIDTH=$(($2 * SCALE))" <<<"$geometry" && grep -qx "HEIGHT=$(($3 * SCALE))" <<<"$geometry"
}

expect_form_size() {
    has_form_size "$1" "$2" "$3" ||
        fail "window \"$4\" is not $2 x $3 times $SCALE: $(xdotool getwindowgeometry --shell "$1" | tr '\n' ' ')"
    step "window \"$4\" is $(($2 * SCALE)) x $(($3 * SCALE))"
}

wait_main_window() {
    wait_window "$MAIN_TITLE"
    main=$window
    has_form_size "$main" 1171 720 ||
        fail "the first \"$MAIN_TITLE\" window is not the main window: $(xdotool getwindowgeometry --shell "$main" | tr '\n' ' ')"
    step "main window $main is up, $((1171 * SCALE)) x $((720 * SCALE))"
}

# Clicks at x, y of a window's client area, given in the form's pixels.
click() { xdotool mousemove --window "$1" $(($2 * SCALE)) $(($3 * SCALE)) click 1; }
# Clicks the centre of a widget at x, y, width, height of the window.
click_widget() { click "$1" $(($2 + $4 / 2)) $(($3 + $5 / 2)); }
# Clicks a radio button at x, y, width, height on its indicator.
click_radio() { click "$1" $(($2 + RADIO_INDICATOR_X)) $(($3 + $5 / 2)); }

# The same on a tab page of the main window; the page's origin comes from the layout probe.
click_page_widget() { click_widget "$main" $((PAGE_X + $1)) $((PAGE_Y + $2)) "$3" "$4"; }
click_page_radio() { click_radio "$main" $((PAGE_X + $1)) $((PAGE_Y + $2)) "$3" "$4"; }
# Replaces the text of a line edit on a page.
fill_page_field() {
    click_page_widget "$1" "$2" "$3" "$4"
    xdotool key ctrl+a type --delay 20 "$5"
}

select_tab() {
    local x_var=TAB$1_X y_var=TAB$1_Y
    click "$main" "${!x_var}" "${!y_var}"
    wait_line "select tab:$1"
}

# Answers Qt's own file dialog: the path typed into its file name field, then Return. Return
# may first close the name completer's popup; it is pressed again only while the dialog stays.
answer_file_dialog() {
    local title=$1 path=$2 dialog tries
    wait_window "$title"
    dialog=$window
    timeout "$WAIT_S" xdotool windowactivate --sync "$dialog" || fail "cannot activate the \"$title\" dialog"
    xdotool key ctrl+a type --delay 20 "$path"
    for tries in 1 2 3; do
        xdotool key Return
        local deadline=$((SECONDS + 2))
        while window_visible "$dialog" "$title"; do
            [ $SECONDS -lt $deadline ] || continue 2
            sleep "$POLL_S"
        done
        return 0
    done
    fail "the \"$title\" dialog did not take $path"
}

# The kind of a message box from its icon's colour: critical (red), information (blue), or
# none while the box is not painted yet. Only the icon's corner counts: the focus frame of the
# OK button is blue too.
box_kind() {
    import -window "$1" "$work/box.png" 2>/dev/null || { echo none; return; }
    convert "$work/box.png" -crop "$ICON_AREA" -depth 8 txt:- | awk -F'[(),]' -v min="$ICON_PIXELS" '
        NR > 1 { r = $3; g = $4; b = $5
                 if (r > 150 && g < 90 && b < 90) red++
                 if (b > 150 && r < 90 && g < 120) blue++ }
        END { if (red >= min) print "critical"; else if (blue >= min) print "information"; else print "none" }'
}

# Waits for a message box (a window with the main window's title other than the main window),
# checks its kind, answers it with Return and waits until it is gone.
answer_box() {
    local want=$1 box= kind=none deadline=$((SECONDS + WAIT_S)) id
    while [ -z "$box" ]; do
        for id in $(xdotool search --onlyvisible --name "^$MAIN_TITLE\$" 2>/dev/null || true); do
            [ "$id" != "$main" ] && box=$id
        done
        [ -n "$box" ] && break
        [ $SECONDS -lt $deadline ] || fail "no $want message box within ${WAIT_S}s"
        sleep "$POLL_S"
    done
    while [ "$kind" = none ]; do
        kind=$(box_kind "$box")
        [ "$kind" != none ] && break
        [ $SECONDS -lt $deadline ] || fail "the message box $box was never painted"
        sleep "$POLL_S"
    done
    if [ "$kind" != "$want" ]; then
        cp "$work/box.png" "$artifacts/unexpected-box.png"
        fail "expected the $want message box, got a $kind one (saved as $artifacts/unexpected-box.png)"
    fi
    timeout "$WAIT_S" xdotool windowactivate --sync "$box" || fail "cannot activate the message box"
    xdotool key Return
    wait_window_gone "$box" "$MAIN_TITLE"
    step "answered the $want box"
}

# Saves the main window as it looks now into the screenshots folder, without the pointer's
# hover marks: the pointer leaves first, and one tick of the window's disconnect watch (a
# debug line every second) shows that the window has processed events since.
# The main window unless another window is given.
save_screenshot() {
    [ -n "$screenshots" ] || return 0
    local ticks
    xdotool mousemove 0 0
    ticks=$(count_lines "eEventCode_DisConnect check ")
    wait_line "eEventCode_DisConnect check " $((ticks + 1))
    mkdir -p "$screenshots"
    import -window "${2:-$main}" +set date:create +set date:modify -define png:exclude-chunk=time \
        "$screenshots/$1" || fail "cannot save $1"
    step "saved $screenshots/$1"
}

# --- the form's fixed positions (x, y, width, height relative to the window) ---------------

# Language dialog: group box at 10,10 holds the two buttons.
readonly LANG_ENGLISH=(30 40 181 41) LANG_JAPANESE=(30 100 181 31) LANG_OK=(240 70 91 41)
# Device selection dialog: the list, and its first row near the list's top edge.
readonly DEVICE_FIRST_ROW=(70 20) DEVICE_OK=(410 90 91 41)
# Main window header buttons.
readonly CONNECT=(1000 10 151 41) DISCONNECT=(1000 60 151 41) CLOSE=(1000 110 151 41)

# Positions on the tab pages, relative to the page: the parent group box's origin plus the
# widget's own position.
# Network page: WLanGroupBox at 10,10; AccessPointgroupBox at 20,50 inside it; tcpIPGroupBox
# at 20,185 inside it; the File box at 870,10 and the Body box at 870,320.
readonly WLAN_DISABLE=(310 35 121 31) WLAN_ENABLE=(180 35 111 31)
readonly SSID_EDIT=(230 90 591 31) KEY_EDIT=(230 130 591 31)
readonly OCTET_X0=270 OCTET_DX=80 OCTET_Y_IP=285 OCTET_W=51 OCTET_H=31
readonly NET_READ_FILE=(880 40 241 51) NET_WRITE_FILE=(880 100 241 51)
readonly NET_READ_BODY=(880 350 231 51) NET_WRITE_BODY=(880 410 231 51)
# Auto power-off page: setPWOffTimeGroupBox at 10,40; Body box at 870,320.
readonly POWER_60_MIN=(440 160 151 51) POWER_WRITE_BODY=(880 410 231 51)
# White calibration plate page: File box at 870,10; Body box at 870,320.
readonly WHITE_READ_FILE=(880 40 241 51) WHITE_WRITE_BODY=(880 410 231 51)

fill_ip_octet() {
    fill_page_field $((OCTET_X0 + ($1 - 1) * OCTET_DX)) "$OCTET_Y_IP" "$OCTET_W" "$OCTET_H" "$2"
}

# Where the tab pages and the tab labels lie depends on the style and the fonts: the probe
# lays the window out as the program does, in the run's language, and prints them.
measure_layout() {
    local layout
    layout=$(run_probe layout "$(program_path "$(dirname "$program")/Resources/$1")" 2>"$work/probe.log") ||
        fail "the layout probe failed: $(cat "$work/probe.log")"
    eval "$layout"
    step "tab page origin $PAGE_X,$PAGE_Y"
}

choose_language() {
    wait_window "Select Language"
    local dialog=$window
    expect_form_size "$dialog" 351 170 "Select Language"
    if [ "$1" = english ]; then click_radio "$dialog" "${LANG_ENGLISH[@]}"; else click_radio "$dialog" "${LANG_JAPANESE[@]}"; fi
    click_widget "$dialog" "${LANG_OK[@]}"
}

# The device selection dialog can be left only through OK: neither Escape nor the close button
# that the window manager draws in its title bar may close it (its caller would wait forever).
# Nothing reports that the program ignored them, so the dialog is watched for a moment.
check_device_dialog_stays() {
    local dialog=$1
    click "$dialog" "${DEVICE_FIRST_ROW[@]}"
    xdotool key Escape
    wmctrl -i -c "$(printf '0x%x' "$dialog")"
    sleep "$NOTHING_HAPPENS_S"
    window_visible "$dialog" "$2" || fail "the device selection dialog closed without OK"
}

# Picks the second row in the device selection dialog: a click on the first row gives the
# list the focus, the Down key moves to the second.
choose_second_device() {
    local title=$1 dialog before
    wait_window "$title"
    dialog=$window
    expect_form_size "$dialog" 520 213 "$title"
    [ "${2:-}" = check-close ] && check_device_dialog_stays "$dialog" "$title"
    click "$dialog" "${DEVICE_FIRST_ROW[@]}"
    before=$(count_lines "select portNum[ConnectSelectDialog]:1")
    xdotool key Down
    wait_line "select portNum[ConnectSelectDialog]:1" $((before + 1))
    before=$(count_lines "select portNum[main]:1")
    click_widget "$dialog" "${DEVICE_OK[@]}"
    wait_line "select portNum[main]:1" $((before + 1))
}
