#!/usr/bin/env bash
# Builds the Debian package and checks it with Debian's own tools: lintian must report no error
# and no warning (its information and pedantic notes are shown but pass), and
# desktop-file-validate must print nothing about the menu entry. Then installs the package on this
# machine and starts the installed program under a virtual X server with a window manager: the
# language window must come up, and closing it from its title bar must end the program with exit
# code 0. The installed kt9-cli must list the same instrument and set its power-off time. Needs
# root (or sudo) to install.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target kt9-config kt9-cli kt9_resources kt9_docs
(cd "$root/build" && cpack -G DEB >/dev/null)
package=$(ls -t "$root"/build/kt9-config_*.deb | head -n 1)

echo "lintian $(basename "$package"):"
if ! lintian --display-info --pedantic --fail-on error,warning "$package"; then
    echo "FAIL: lintian reports errors or warnings on $(basename "$package")" >&2
    exit 1
fi
unpacked=$(mktemp -d)
dpkg-deb -x "$package" "$unpacked"
desktop_check=$(desktop-file-validate "$unpacked/usr/share/applications/kt9-config.desktop" 2>&1) || true
rm -rf "$unpacked"
if [ -n "$desktop_check" ]; then
    echo "FAIL: desktop-file-validate on the menu entry: $desktop_check" >&2
    exit 1
fi
echo "lintian: no error, no warning; desktop-file-validate: nothing to report"

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
# --reinstall: a package of the same version may already be installed from an earlier build.
"${sudo[@]}" apt-get install -y -qq --no-install-recommends --reinstall "$package" >/dev/null
[ -x /usr/bin/kt9-config ] || { echo "FAIL: /usr/bin/kt9-config not installed" >&2; exit 1; }
[ -x /usr/bin/kt9-cli ] || { echo "FAIL: /usr/bin/kt9-cli not installed" >&2; exit 1; }
[ -f /usr/share/applications/kt9-config.desktop ] || { echo "FAIL: no menu entry" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1400x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
x_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!

mkdir "$work/instruments"
printf '{"portType": 1, "serialNo": 1234567}\n' >"$work/instruments/a.json"
QLXSDK_SIM_DIR="$work/instruments" /usr/bin/kt9-config >"$work/program.log" 2>&1 &
app_pid=$!

if ! timeout 60 xdotool search --sync --onlyvisible --name "Select Language" >/dev/null; then
    echo "FAIL: the installed program showed no language window" >&2
    if kill -0 "$app_pid" 2>/dev/null; then
        echo "The program is still running." >&2
    else
        wait "$app_pid" && echo "The program ended with exit code 0." >&2 ||
            echo "The program ended with exit code $?." >&2
        app_pid=
    fi
    echo "Windows on the screen:" >&2
    for window in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
        echo "  $(xdotool getwindowname "$window" 2>/dev/null)" >&2
    done
    import -window root "$root/build/check-package-failure.png" 2>/dev/null &&
        echo "Screenshot: $root/build/check-package-failure.png" >&2
    cat "$work/program.log" >&2
    exit 1
fi
wmctrl -c "Select Language"
status=0
timeout 20 tail --pid="$app_pid" -f /dev/null || { echo "FAIL: the program did not end" >&2; exit 1; }
wait "$app_pid" || status=$?
app_pid=
if [ "$status" -ne 0 ]; then
    echo "FAIL: the program ended with exit code $status" >&2
    cat "$work/program.log" >&2
    exit 1
fi

cli_list=$(QLXSDK_SIM_DIR="$work/instruments" /usr/bin/kt9-cli list --lang en) || {
    echo "FAIL: the installed kt9-cli list ended with exit code $?" >&2; exit 1; }
case "$cli_list" in
    *"01234567  KALDO-1(USB,Serial#01234567)"*) ;;
    *) echo "FAIL: the installed kt9-cli listed: $cli_list" >&2; exit 1 ;;
esac
QLXSDK_SIM_DIR="$work/instruments" /usr/bin/kt9-cli power-off 60 --lang en >"$work/cli.log" 2>&1 || {
    echo "FAIL: the installed kt9-cli power-off ended with exit code $?" >&2; cat "$work/cli.log" >&2; exit 1; }
grep -q '"shutdownMode": 3' "$work/instruments/a.json" || {
    echo "FAIL: kt9-cli power-off 60 did not reach the instrument" >&2; cat "$work/cli.log" >&2; exit 1; }
echo "Package $(basename "$package") installs and runs: language window shown, closed, exit code 0; kt9-cli lists and writes"
