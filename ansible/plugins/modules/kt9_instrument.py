#!/usr/bin/python
# -*- coding: utf-8 -*-
# Sets the network and power-off settings of KT-9 instruments through kt9-cli apply.

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
---
module: kt9_instrument
short_description: Set the network and power-off settings of KT-9 instruments
description:
  - Sets the wireless LAN, network and automatic power-off settings of one KT-9 instrument
    (I(serial) and the settings beside it), or of several at once (I(instruments)).
  - Runs C(kt9-cli apply) (C(man kt9-cli)) on the host on a plan written to a private
    temporary file, which is removed afterwards. The security key goes into that file only,
    never onto a command line.
  - A setting left out stays as the instrument has it. Only settings that differ are written,
    so a second run with the same options reports no change.
  - In check mode kt9-cli checks the plan and reports what would change (C(--dry-run)); nothing
    is written, neither to the instruments nor to the change record.
  - Runs on Linux hosts (Python). Windows hosts run PowerShell modules only; for them run
    C(kt9-cli.exe apply) with M(ansible.windows.win_command) (see the collection's
    C(playbooks/windows_pcs.yml)).
version_added: "1.10.8"
author:
  - KT-9 tool team (team@kt9.invalid)
options:
  serial:
    description:
      - Serial number of the instrument, 8 digits as C(kt9-cli list) shows it.
      - Quote it in YAML when it starts with C(0).
      - Required unless I(instruments) is given.
    type: str
  wireless_lan:
    description: Whether the wireless LAN module is enabled.
    type: bool
  ssid:
    description: SSID of the access point.
    type: str
  key:
    description:
      - Security key of the access point. It is never shown; results and diffs show C(***).
    type: str
  dhcp:
    description: Whether the instrument takes its address from DHCP.
    type: bool
  ip:
    description: IP address, used when I(dhcp) is off.
    type: str
  mask:
    description: Subnet mask.
    type: str
  gateway:
    description: Default gateway.
    type: str
  dns:
    description: DNS server.
    type: str
  power_off:
    description:
      - Automatic power-off after that many minutes without use, or C(off).
      - One of C(off), C(15), C(30), C(60); an unquoted YAML C(off) is taken as C(off) too.
    type: raw
  instruments:
    description:
      - Several instruments in one plan, instead of I(serial) and the settings beside it.
      - kt9-cli checks the plan as a whole before it writes anything, so two instruments given
        the same static address fail the task and leave every instrument as it was.
    type: list
    elements: dict
    suboptions:
      serial:
        description: Serial number of the instrument.
        type: str
        required: true
      wireless_lan:
        description: Whether the wireless LAN module is enabled.
        type: bool
      ssid:
        description: SSID of the access point.
        type: str
      key:
        description: Security key of the access point, never shown.
        type: str
      dhcp:
        description: Whether the instrument takes its address from DHCP.
        type: bool
      ip:
        description: IP address.
        type: str
      mask:
        description: Subnet mask.
        type: str
      gateway:
        description: Default gateway.
        type: str
      dns:
        description: DNS server.
        type: str
      power_off:
        description: C(off), C(15), C(30) or C(60).
        type: raw
  kt9_cli:
    description:
      - Path of the kt9-cli program. By default it is looked for on the C(PATH) of the host.
    type: path
  record:
    description:
      - The change record kt9-cli appends its lines to. By default kt9-cli's own
        (C($KT9_RECORD), else C(changes.csv) in the user's data folder).
    type: path
  lang:
    description: Language of kt9-cli's messages in the results.
    type: str
    choices: [en, ja]
    default: en
requirements:
  - kt9-cli with its C(apply) command on the host
notes:
  - Supports check mode and diff mode. The diff shows the settings that change, before and after;
    the key appears as C(***).
  - An instrument that is not reachable, a refused value or a plan that kt9-cli refuses (the same
    static address twice) fails the task with kt9-cli's message.
'''

EXAMPLES = r'''
- name: Put an instrument on the site's wireless LAN
  kt9.config.kt9_instrument:
    serial: "10012345"
    wireless_lan: true
    ssid: Site
    key: "{{ vault_site_key }}"
    dhcp: false
    ip: 10.1.2.3
    mask: 255.255.0.0
    gateway: 10.1.0.1
    dns: 10.1.0.2

- name: Power off after 30 minutes, everything else as it is
  kt9.config.kt9_instrument:
    serial: "10012345"
    power_off: 30

- name: Three instruments in one plan (a duplicate address fails before anything is written)
  kt9.config.kt9_instrument:
    instruments:
      - {serial: "10012345", ip: 10.1.2.3}
      - {serial: "10012346", ip: 10.1.2.4}
      - {serial: "10012347", ip: 10.1.2.5}
    record: /srv/kt9/changes.csv
'''

RETURN = r'''
instruments:
  description: What kt9-cli did on each instrument of the plan.
  returned: when kt9-cli accepted the plan
  type: list
  elements: dict
  contains:
    serial:
      description: Serial number.
      type: str
      sample: "10012345"
    label:
      description: The instrument as kt9-cli names it.
      type: str
      sample: KALDO-1(USB,Serial#10012345)
    result:
      description: C(succeeded), C(failed) or C(not-done).
      type: str
      sample: succeeded
    changed:
      description: Whether a setting of this instrument was (in check mode, would be) changed.
      type: bool
    message:
      description: kt9-cli's message for this instrument.
      type: str
    changes:
      description: The settings that changed, by option name, with their old and new values.
      type: list
      elements: dict
      sample: [{"field": "ssid", "old": "Lab", "new": "Site"}]
summary:
  description: kt9-cli's summary line.
  returned: when kt9-cli accepted the plan
  type: str
  sample: "Summary: 3 succeeded"
rc:
  description: kt9-cli's exit status.
  returned: always
  type: int
  sample: 0
'''

import csv
import io
import json
import os
import shutil
import tempfile

from ansible.module_utils.basic import AnsibleModule
from ansible.module_utils.common.text.converters import to_native

# Plan columns in the order they are written; the option of the same name fills each.
SETTINGS = ('wireless_lan', 'ssid', 'key', 'dhcp', 'ip', 'mask', 'gateway', 'dns', 'power_off')
PLAN_COLUMNS = ('serial',) + SETTINGS

# kt9-cli's JSON field names and the options they come from.
FIELD_OPTIONS = {
    'wirelessLan': 'wireless_lan',
    'ssid': 'ssid',
    'securityKey': 'key',
    'dhcp': 'dhcp',
    'ipAddress': 'ip',
    'subnetMask': 'mask',
    'defaultGateway': 'gateway',
    'dns': 'dns',
    'powerOff': 'power_off',
}

# The plan: PLAN_NAME in a new folder (mkdtemp: mode 0700) whose name starts with PLAN_PREFIX.
PLAN_PREFIX = 'kt9-plan-'
PLAN_NAME = 'kt9-plan.csv'
PLAN_MODE = 0o600


def instrument_options():
    """The options that describe one instrument (the single form and each list entry)."""
    return dict(
        serial=dict(type='str'),
        wireless_lan=dict(type='bool'),
        ssid=dict(type='str'),
        key=dict(type='str', no_log=True),
        dhcp=dict(type='bool'),
        ip=dict(type='str'),
        mask=dict(type='str'),
        gateway=dict(type='str'),
        dns=dict(type='str'),
        power_off=dict(type='raw'),
    )


def module_options():
    entry = instrument_options()
    entry['serial']['required'] = True
    options = instrument_options()
    options.update(
        instruments=dict(type='list', elements='dict', options=entry),
        kt9_cli=dict(type='path'),
        record=dict(type='path'),
        lang=dict(type='str', choices=['en', 'ja'], default='en'),
    )
    return options


def cell(value):
    """A plan cell: booleans (and YAML's unquoted off) as on/off, numbers as text, unset empty."""
    if value is None:
        return ''
    if isinstance(value, bool):
        return 'on' if value else 'off'
    return to_native(value)


def plan_rows(params):
    """The instruments of the task, each a dict of the options it sets."""
    if params['instruments']:
        return params['instruments']
    return [dict((name, params[name]) for name in PLAN_COLUMNS)]


def plan_text(rows):
    """The plan as CSV: the serial and every column that any row sets."""
    columns = [name for name in PLAN_COLUMNS
               if name == 'serial' or any(row.get(name) is not None for row in rows)]
    out = io.StringIO()
    writer = csv.writer(out, lineterminator='\r\n')
    writer.writerow(columns)
    for row in rows:
        writer.writerow([cell(row.get(name)) for name in columns])
    return out.getvalue()


def write_plan(folder, text):
    """Writes the plan to a new file that only this user can read (mode 0600)."""
    path = os.path.join(folder, PLAN_NAME)
    handle = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, PLAN_MODE)
    with os.fdopen(handle, 'w', encoding='utf-8', newline='') as plan:
        plan.write(text)


def command_line(program, params, check_mode):
    # kt9-cli names the plan in its messages: by its own name, not the temporary folder's.
    args = [program, 'apply', PLAN_NAME, '--json', '--lang', params['lang']]
    if check_mode:
        args.append('--dry-run')
    if params['record']:
        args += ['--record', os.path.abspath(params['record'])]
    return args


def find_program(module):
    program = module.params['kt9_cli']
    if program:
        if not os.access(program, os.X_OK) or os.path.isdir(program):
            module.fail_json(msg='kt9-cli not found: %s is not an executable program' % program)
        return os.path.abspath(program)
    found = module.get_bin_path('kt9-cli')
    if not found:
        module.fail_json(msg='kt9-cli not found on PATH; give its path in the kt9_cli option')
    return found


def plan_folder(module):
    try:
        return tempfile.mkdtemp(prefix=PLAN_PREFIX)
    except OSError as error:
        module.fail_json(msg='cannot make a folder for the plan: %s' % to_native(error))


def run_plan(module, program, text):
    """Runs kt9-cli apply on the plan; the plan and its folder are gone when this returns."""
    folder = plan_folder(module)
    try:
        write_plan(folder, text)
        # run_command turns a program that cannot be started into a failed task itself.
        return module.run_command(command_line(program, module.params, module.check_mode),
                                  cwd=folder)
    except OSError as error:
        module.fail_json(msg='cannot write the plan: %s' % to_native(error))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def parse_report(module, rc, out, err):
    try:
        report = json.loads(out)
    except (ValueError, RecursionError):
        report = None
    if not isinstance(report, dict):
        module.fail_json(msg='kt9-cli did not report in JSON: %s' % (err.strip() or out.strip()),
                         rc=rc, stderr=err)
    if 'error' in report:
        module.fail_json(msg=to_native(report['error']), rc=rc)
    if not report_shape_ok(report):
        module.fail_json(msg='kt9-cli reported a JSON document of another form than apply --json '
                             'gives: %s' % out.strip()[:200], rc=rc, stderr=err)
    return report


def report_shape_ok(report):
    """Whether the document has the lists and objects that apply --json gives."""
    instruments = report.get('instruments', [])
    if not isinstance(instruments, list) or not isinstance(report.get('summary', {}), dict):
        return False
    for entry in instruments:
        if not isinstance(entry, dict) or not isinstance(entry.get('changes', []), list):
            return False
        for change in entry.get('changes', []):
            if not isinstance(change, dict) or not isinstance(change.get('field'), str):
                return False
    return True


def option_changes(changes):
    return [dict(field=FIELD_OPTIONS.get(c.get('field'), c.get('field')),
                 old=c.get('old'), new=c.get('new')) for c in changes or []]


def instrument_result(entry):
    return dict(port=entry.get('port'), serial=entry.get('serial'), label=entry.get('label'),
                result=entry.get('result'), changed=bool(entry.get('changed')),
                message=entry.get('message', ''), changes=option_changes(entry.get('changes')))


def instrument_diff(entry):
    header = '%s %s' % (entry['serial'], entry['label'] or '')
    return dict(before_header=header.strip(), after_header=header.strip(),
                before=dict((c['field'], c['old']) for c in entry['changes']),
                after=dict((c['field'], c['new']) for c in entry['changes']))


def failure_message(instruments, report, rc):
    failed = ['%s: %s' % (i['serial'], i['message']) for i in instruments
              if i['result'] != 'succeeded']
    if failed:
        return '; '.join(failed)
    summary = report.get('summary') or {}
    return summary.get('text') or 'kt9-cli ended with exit status %d' % rc


def main():
    module = AnsibleModule(
        argument_spec=module_options(),
        mutually_exclusive=[('instruments', name) for name in PLAN_COLUMNS],
        required_one_of=[('serial', 'instruments')],
        supports_check_mode=True,
    )
    program = find_program(module)
    rc, out, err = run_plan(module, program, plan_text(plan_rows(module.params)))
    report = parse_report(module, rc, out, err)

    instruments = [instrument_result(entry) for entry in report.get('instruments', [])]
    # A dry run's changes are the ones it would make.
    changed = bool(report.get('changed')) or any(
        i['changed'] or (module.check_mode and i['changes']) for i in instruments)
    summary = (report.get('summary') or {}).get('text', '')
    result = dict(changed=changed, instruments=instruments, summary=summary, rc=rc)
    if module._diff:
        result['diff'] = [instrument_diff(i) for i in instruments if i['changes']]
    if rc != 0 or report.get('interrupted'):
        module.fail_json(msg=failure_message(instruments, report, rc), **result)
    module.exit_json(**result)


if __name__ == '__main__':
    main()
