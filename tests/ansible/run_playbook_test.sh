#!/usr/bin/env bash
# The kt9.config collection (ansible/) driven by the real ansible-playbook on localhost against
# three simulated instruments, with the real kt9-cli: the first run changes them, the second
# changes nothing, --check writes nothing, --check --diff shows the change, refused plans and
# values fail with kt9-cli's own message and write nothing, and the key is never printed.
#   run_playbook_test.sh --kt9-cli PATH --source DIR
# Exit status 77 (skipped) without ansible-playbook. Ansible's own state stays in a temporary
# folder; nothing is written to the user's home.
set -euo pipefail

SKIPPED=77
SERIALS=(10012345 10012346 10012347)

kt9_cli=
source_dir=
while [ $# -gt 0 ]; do
    case "$1" in
        --kt9-cli) kt9_cli=$2; shift 2 ;;
        --source) source_dir=$2; shift 2 ;;
        *) echo "usage: $0 --kt9-cli PATH --source DIR" >&2; exit 2 ;;
    esac
done

if ! command -v ansible-playbook > /dev/null; then
    echo "SKIPPED: ansible-playbook is not installed (scripts/deps.sh test installs ansible-core)"
    exit $SKIPPED
fi

here="$source_dir/tests/ansible"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Ansible runs the module with the Python it runs on itself.
python=$(ansible --version | sed -n 's/^ *python version = .*(\(.*\))$/\1/p')

# Three instruments on USB with the factory's settings, which the simulated library rewrites.
export QLXSDK_SIM_DIR="$work/instruments"
mkdir -p "$QLXSDK_SIM_DIR"
for serial in "${SERIALS[@]}"; do
    printf '{"portType": 1, "serialNo": %s, "wifiModuleEnable": 1, "shutdownMode": 1,
  "network": {"APConnectUse": 0, "DHCPUse": 1, "SSID": "Lab", "EncryptKey": "lab-key"}}\n' \
        "$serial" > "$QLXSDK_SIM_DIR/$serial.json"
done

mkdir -p "$work/home" "$work/tmp" "$work/collections/ansible_collections/kt9"
ln -s "$source_dir/ansible" "$work/collections/ansible_collections/kt9/config"
: > "$work/ansible.cfg"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_HOME="$work/ansible-home"
export ANSIBLE_LOCAL_TEMP="$work/ansible-local" ANSIBLE_REMOTE_TEMP="$work/ansible-remote"
export ANSIBLE_COLLECTIONS_PATH="$work/collections" ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0
kt9_cli_dir=$(dirname "$kt9_cli")
export TMPDIR="$work/tmp" LC_ALL=C.UTF-8 PATH="$kt9_cli_dir:$PATH"
record="$work/changes.csv"
key=$(sed -n 's/^vault_kt9_key: //p' "$here/site_vars.yml")

instrument_sums() { sha256sum "$QLXSDK_SIM_DIR"/*.json; }

# Runs a playbook of the collection or of this folder; the output goes to $work/NAME.log.
play() {
    local name=$1 playbook=$2
    shift 2
    local status=0
    ansible-playbook -i localhost, -e "ansible_python_interpreter=$python" -e "@$here/site_vars.yml" \
        -e "kt9_record=$record" "$playbook" "$@" > "$work/$name.log" 2>&1 || status=$?
    [ "${ANSIBLE_STDOUT_CALLBACK:-}" = json ] ||
        echo "$name: $(grep -E '^localhost +:' "$work/$name.log" || echo 'no PLAY RECAP')"
    if grep -qF -- "$key" "$work/$name.log"; then
        fail "$name: the key is in the output"
    fi
    return $status
}

expect_recap() {
    local name=$1 wanted=$2
    grep -E '^localhost +:' "$work/$name.log" | grep -qE "$wanted" ||
        { fail "$name: PLAY RECAP without $wanted"; cat "$work/$name.log"; }
}

# Every instrument's settings as the sim holds them, one line each.
instrument_settings() {
    "$python" - "$QLXSDK_SIM_DIR" <<'EOF'
import glob, json, sys
for path in sorted(glob.glob(sys.argv[1] + '/*.json')):
    i = json.load(open(path))
    n = i['network']
    print(i['serialNo'], n['APConnectUse'], n['SSID'], n['EncryptKey'], n['DHCPUse'],
          n['IPAddress'], n['SubnetMask'], n['DefaultGateway'], n['DNS'], i['shutdownMode'])
EOF
}

settings_after() {
    local ssid=$1 key=$2 n=3
    for serial in "${SERIALS[@]}"; do
        echo "$serial 1 $ssid $key 0 10.1.2.$n 255.255.0.0 10.1.0.1 10.1.0.2 2"
        n=$((n + 1))
    done
}

if ! "$kt9_cli" --help 2>&1 | grep 'apply' > /dev/null; then
    echo "FAIL: $kt9_cli has no apply command"
    exit 1
fi

# The collection's list form, as an administrator runs it.
play first "$source_dir/ansible/playbooks/linux_usb.yml" -v || fail "first: exit status $?"
expect_recap first 'changed=1 .*failed=0'
[ "$(instrument_settings)" = "$(settings_after Site "$key")" ] ||
    fail "first: the instruments hold $(instrument_settings)"
[ -s "$record" ] || fail "first: nothing in the change record"
grep -qF -- "$key" "$record" && fail "first: the key is in the change record"
after_first=$(instrument_sums)

play second "$source_dir/ansible/playbooks/linux_usb.yml" -v || fail "second: exit status $?"
expect_recap second 'changed=0 .*failed=0'
[ "$(instrument_sums)" = "$after_first" ] || fail "second: instrument files rewritten"

# The single form: check mode reports the change and writes nothing; the diff shows it.
records_before=$(wc -l < "$record")
play check "$here/one_each.yml" -e test_ssid=Other -e test_key=Other-Key-9151 --check --diff -v ||
    fail "check: exit status $?"
expect_recap check 'changed=1 .*failed=0'
grep -q 'changed: \[localhost\] => (item=10012347)' "$work/check.log" || fail "check: no change reported"
grep -qF -- '-    "ssid": "Site"' "$work/check.log" && grep -qF -- '+    "ssid": "Other"' "$work/check.log" &&
    grep -qF -- '"key": "***"' "$work/check.log" || { fail "check: no diff"; cat "$work/check.log"; }
grep -qF -- 'Other-Key-9151' "$work/check.log" && fail "check: the new key is in the output"
[ "$(instrument_sums)" = "$after_first" ] || fail "check: instrument files written"
[ "$(wc -l < "$record")" = "$records_before" ] || fail "check: lines added to the change record"

play single "$here/one_each.yml" -e test_ssid=Other -v || fail "single: exit status $?"
expect_recap single 'changed=1 .*failed=0'
[ "$(instrument_settings)" = "$(settings_after Other "$key")" ] || fail "single: instruments not changed"
after_single=$(instrument_sums)
play single_again "$here/one_each.yml" -e test_ssid=Other -v || fail "single_again: exit status $?"
expect_recap single_again 'changed=0 .*failed=0'

# Failures: each task's message is kt9-cli's own for the same plan, and nothing is written.
# kt9-cli names the plan in its messages; the module's is kt9-plan.csv in a folder of its own.
mkdir "$work/expected"
kt9_error() {
    # shellcheck disable=SC2059 # the plan is the format, the key its one %s
    printf "$1" "$key" > "$work/expected/kt9-plan.csv"
    (cd "$work/expected" && "$kt9_cli" apply kt9-plan.csv --dry-run --json --lang en) \
        > "$work/refusal.json" 2> /dev/null || true
    "$python" -c 'import json, sys; print(json.load(sys.stdin).get("error", ""))' < "$work/refusal.json"
}
expected_duplicate=$(kt9_error 'serial,key,dhcp,ip\r\n10012345,%s,off,10.1.2.50\r\n10012346,,off,10.1.2.50\r\n')
expected_address=$(kt9_error 'serial,key,dhcp,ip\r\n10012345,%s,off,10.1.2.300\r\n')
ANSIBLE_STDOUT_CALLBACK=json play refused "$here/refused.yml" || true
# Each task as "name=message", one a line.
"$python" -c 'import json, sys
log = sys.stdin.read()
for task in json.loads(log[log.index("{"):])["plays"][0]["tasks"]:
    result = task["hosts"]["localhost"]
    print("%s=%s" % (task["task"]["name"], result["msg"] if result.get("failed") else "(passed)"))
' < "$work/refused.log" > "$work/refused.txt"
grep -q 'Traceback' "$work/refused.log" && fail "refused: a traceback"
for wanted in "duplicate address=$expected_duplicate" "wrong address=$expected_address"; do
    grep -qxF -- "$wanted" "$work/refused.txt" || fail "refused: no '$wanted' in $(cat "$work/refused.txt")"
done
grep -qiE '^not reachable=.*not reachable' "$work/refused.txt" || fail "refused: reachable"
grep -qE '^no kt9-cli=kt9-cli not found' "$work/refused.txt" || fail "refused: kt9-cli found"
[ "$(instrument_sums)" = "$after_single" ] || fail "refused: instrument files written"
[ -z "$(find "$TMPDIR" -name 'kt9-plan-*')" ] || fail "plans left in $TMPDIR"

# The plan as another process finds it while kt9-cli works on a slow instrument: in a folder
# of mode 700, itself of mode 600.
"$python" -c 'import json, sys
instrument = json.load(open(sys.argv[1]))
json.dump(dict(instrument, latencyMs=500), open(sys.argv[1], "w"))' "$QLXSDK_SIM_DIR/10012347.json"
play slow "$here/one_each.yml" --check -e '{"kt9_instruments": [{"serial": "10012347", "ip": "10.1.2.5"}]}' &
slow=$!
modes=
for _ in $(seq 400); do
    plan=$(find "$TMPDIR" -path '*kt9-plan-*' -name '*.csv' | head -n1)
    [ -n "$plan" ] && modes=$(stat -c %a "$(dirname "$plan")" "$plan" 2> /dev/null | xargs) && [ -n "$modes" ] && break
    sleep 0.05
done
wait $slow || fail "slow: exit status $?"
[ "$modes" = "700 600" ] || fail "the plan and its folder have the modes '$modes'"

# The module's documentation, the collection's archive, the Windows playbook's syntax.
ansible-doc kt9.config.kt9_instrument > "$work/doc.txt" 2> "$work/doc.err" || fail "ansible-doc: exit status $?"
[ -s "$work/doc.err" ] && { fail "ansible-doc: $(cat "$work/doc.err")"; }
grep -q 'EXAMPLES' "$work/doc.txt" && grep -q 'RETURN VALUES' "$work/doc.txt" || fail "ansible-doc: incomplete"
ansible-galaxy collection build "$source_dir/ansible" --output-path "$work/dist" > /dev/null ||
    fail "ansible-galaxy collection build: exit status $?"
tar -tzf "$work/dist"/kt9-config-*.tar.gz | grep -qx 'plugins/modules/kt9_instrument.py' ||
    fail "the collection's archive has no module"
if ansible-galaxy collection list ansible.windows 2> /dev/null | grep -q '^ansible\.windows '; then
    ansible-playbook --syntax-check -i localhost, "$source_dir/ansible/playbooks/windows_pcs.yml" \
        > "$work/windows.log" 2>&1 || { fail "windows_pcs.yml: syntax check"; cat "$work/windows.log"; }
else
    echo "SKIPPED: the syntax check of windows_pcs.yml (the ansible.windows collection is not installed)"
fi

if [ $failures -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "PASS"
