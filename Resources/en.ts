<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>CliText</name>
    <message>
        <source>network needs load or save.</source>
        <translation>network needs load or save.</translation>
    </message>
    <message>
        <source>network needs load or save, not %1.</source>
        <translation>network needs load or save, not %1.</translation>
    </message>
    <message>
        <source>%1 needs the name of a network settings file.</source>
        <translation>%1 needs the name of a network settings file.</translation>
    </message>
    <message>
        <source>power-off needs off, 15, 30 or 60.</source>
        <translation>power-off needs off, 15, 30 or 60.</translation>
    </message>
    <message>
        <source>register needs white or ambient.</source>
        <translation>register needs white or ambient.</translation>
    </message>
    <message>
        <source>register needs the name of a calibration value file.</source>
        <translation>register needs the name of a calibration value file.</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>No command given.</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>Give one target only: --port, --serial or --all.</source>
        <translation>Give one target only: --port, --serial or --all.</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 needs a value.</translation>
    </message>
    <message>
        <source>%1 takes no value.</source>
        <translation>%1 takes no value.</translation>
    </message>
    <message>
        <source>--port needs the number of an instrument as kt9-cli list shows it, not %1.</source>
        <translation>--port needs the number of an instrument as kt9-cli list shows it, not %1.</translation>
    </message>
    <message>
        <source>--serial needs a serial number of up to 8 digits, not %1.</source>
        <translation>--serial needs a serial number of up to 8 digits, not %1.</translation>
    </message>
    <message>
        <source>--lang needs en or ja, not %1.</source>
        <translation>--lang needs en or ja, not %1.</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>%1 does not take %2.</source>
        <translation>%1 does not take %2.</translation>
    </message>
    <message>
        <source>%1 works on exactly one instrument: choose it with --port or --serial.</source>
        <translation>%1 works on exactly one instrument: choose it with --port or --serial.</translation>
    </message>
    <message>
        <source>unknown mode %1</source>
        <translation>unknown mode %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>FAILED</source>
        <translation>FAILED</translation>
    </message>
    <message>
        <source>NOT DONE</source>
        <translation>NOT DONE</translation>
    </message>
    <message>
        <source>Instrument %1 of %2: %3</source>
        <translation>Instrument %1 of %2: %3</translation>
    </message>
    <message>
        <source>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN.</source>
        <translation>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN.</translation>
    </message>
    <message>
        <source>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN, or all of them with --all.</source>
        <translation>%1 instruments are listed: choose one with --port N or --serial NNNNNNNN, or all of them with --all.</translation>
    </message>
    <message>
        <source>--port %1: there is no such instrument; %2 are listed.</source>
        <translation>--port %1: there is no such instrument; %2 are listed.</translation>
    </message>
    <message>
        <source>--serial %1: no instrument with this serial number is listed.</source>
        <translation>--serial %1: no instrument with this serial number is listed.</translation>
    </message>
    <message>
        <source>--serial %1: %2 instruments have this serial number; choose one with --port.</source>
        <translation>--serial %1: %2 instruments have this serial number; choose one with --port.</translation>
    </message>
    <message>
        <source>Wireless LAN module</source>
        <translation>Wireless LAN module</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>enabled</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>disabled</translation>
    </message>
    <message>
        <source>No change.</source>
        <translation>No change.</translation>
    </message>
    <message>
        <source>Summary (dry run, nothing written): %1 of %2 passed the checks.</source>
        <translation>Summary (dry run, nothing written): %1 of %2 passed the checks.</translation>
    </message>
    <message>
        <source>Summary: %1 of %2 succeeded.</source>
        <translation>Summary: %1 of %2 succeeded.</translation>
    </message>
    <message>
        <source>Failed: %1.</source>
        <translation>Failed: %1.</translation>
    </message>
    <message>
        <source>Not done: %1.</source>
        <translation>Not done: %1.</translation>
    </message>
    <message>
        <source>Stopped by Ctrl+C after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>Stopped by Ctrl+C after the instrument in progress had finished and was disconnected. Done: %1.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Try kt9-cli --help for more information.</source>
        <translation>Try kt9-cli --help for more information.</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>Standard output is closed.</translation>
    </message>
    <message>
        <source>Standard output could not be written: %1</source>
        <translation>Standard output could not be written: %1</translation>
    </message>
    <message>
        <source>Stopped because standard output could not be written, after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>Stopped because standard output could not be written, after the instrument in progress had finished and was disconnected. Done: %1.</translation>
    </message>
    <message>
        <source>Not reached: instruments the instrument library reports but could not list: %1.</source>
        <translation>Not reached: instruments the instrument library reports but could not list: %1.</translation>
    </message>
    <message>
        <source>Failed to read whether the wireless LAN module is enabled.</source>
        <translation>Failed to read whether the wireless LAN module is enabled.</translation>
    </message>
    <message>
        <source>%1: not an instrument backup of kt9-cli.</source>
        <translation>%1: not an instrument backup of kt9-cli.</translation>
    </message>
    <message>
        <source>%1: the backup of serial number %2 is in the folder of another instrument.</source>
        <translation>%1: the backup of serial number %2 is in the folder of another instrument.</translation>
    </message>
    <message>
        <source>%1: the file does not match its SHA-256 in instrument.json.</source>
        <translation>%1: the file does not match its SHA-256 in instrument.json.</translation>
    </message>
    <message>
        <source>%1: the power-off time is not off, 15, 30 or 60.</source>
        <translation>%1: the power-off time is not off, 15, 30 or 60.</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>The network settings cannot be written as a network settings file; they are kept in instrument.json.</source>
        <translation>The network settings cannot be written as a network settings file; they are kept in instrument.json.</translation>
    </message>
    <message>
        <source>The white calibration plate values cannot be written as a calibration value file; they are kept in instrument.json.</source>
        <translation>The white calibration plate values cannot be written as a calibration value file; they are kept in instrument.json.</translation>
    </message>
    <message>
        <source>The ambient light adapter values cannot be written as a calibration value file; they are kept in instrument.json.</source>
        <translation>The ambient light adapter values cannot be written as a calibration value file; they are kept in instrument.json.</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>cannot write %1</translation>
    </message>
    <message>
        <source>%1: no such folder.</source>
        <translation>%1: no such folder.</translation>
    </message>
    <message>
        <source>cannot create a folder in %1</source>
        <translation>cannot create a folder in %1</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>cannot lock %1</translation>
    </message>
    <message>
        <source>not a change record of kt9-cli</source>
        <translation>not a change record of kt9-cli</translation>
    </message>
    <message>
        <source>%1 needs the name of a backup folder.</source>
        <translation>%1 needs the name of a backup folder.</translation>
    </message>
    <message>
        <source>Give --record FILE or --no-record, not both.</source>
        <translation>Give --record FILE or --no-record, not both.</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>Skipped: %1.</translation>
    </message>
    <message>
        <source>No backup of this instrument in %1.</source>
        <translation>No backup of this instrument in %1.</translation>
    </message>
    <message>
        <source>The change record %1 cannot be written: %2</source>
        <translation>The change record %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>The current calibration references could not be saved (%1); nothing was written.</source>
        <translation>The current calibration references could not be saved (%1); nothing was written.</translation>
    </message>
    <message>
        <source>Current calibration references saved in %1.</source>
        <translation>Current calibration references saved in %1.</translation>
    </message>
    <message>
        <source>%1 already exists; --force replaces it.</source>
        <translation>%1 already exists; --force replaces it.</translation>
    </message>
    <message>
        <source>Saved in %1.</source>
        <translation>Saved in %1.</translation>
    </message>
    <message>
        <source>(other values)</source>
        <translation>(other values)</translation>
    </message>
    <message>
        <source>The instrument reports serial number %1; the backup of %2 is not applied to it.</source>
        <translation>The instrument reports serial number %1; the backup of %2 is not applied to it.</translation>
    </message>
    <message>
        <source>SKIPPED</source>
        <translation>SKIPPED</translation>
    </message>
    <message>
        <source>No change recorded in %1.</source>
        <translation>No change recorded in %1.</translation>
    </message>
    <message>
        <source>%1: not a regular file.</source>
        <translation>%1: not a regular file.</translation>
    </message>
    <message>
        <source>%1: instrument.json lacks settings of the backup or contradicts itself.</source>
        <translation>%1: instrument.json lacks settings of the backup or contradicts itself.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>%1: the name is not text in the system&apos;s encoding.</source>
        <translation>%1: the name is not text in the system&apos;s encoding.</translation>
    </message>
    <message>
        <source>apply needs the name of a plan file (CSV).</source>
        <translation>apply needs the name of a plan file (CSV).</translation>
    </message>
    <message>
        <source>Usage:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
  kt9-cli backup DIR [TARGET] [--force]
  kt9-cli restore DIR [TARGET] [--calibration] [--dry-run] [--show-key]
  kt9-cli apply PLAN.csv [--dry-run] [--show-key]
  kt9-cli history [--serial NNNNNNNN] [--json]
  kt9-cli --help | --version

Configures KT-9 instruments from the command line, one or many at once: each
instrument is connected, configured and disconnected in turn.

TARGET:
  --port N           the N-th instrument of kt9-cli list
  --serial NNNNNNNN  the instrument with this serial number
  --all              every instrument listed (not with network save or register)
  Without a target the only instrument listed; with several, name one.

Options:
  --dry-run     connect, read and check, show what would change, write nothing
  --json        print the result as one JSON document
  --show-key    show the security key instead of ***
  --lang en|ja  language of the messages (default: from the locale)

Backup and restore:
  backup writes DIR/SERIAL/ for each instrument (network.ini, white.csv,
  ambient.csv, instrument.json), readable by you alone: it holds the key.
  --force          replace an instrument&apos;s existing backup
  restore puts back the network settings and the power-off time of each
  instrument that has a folder with its own serial number in DIR.
  --calibration    also the calibration references (same serial only)
  register and restore --calibration first save the references they
  overwrite in DATA/kt9-config/backups/SERIAL/TIME/ (DATA: your data folder).

Fleet plan (apply):
  a CSV file, one row per instrument, a header row naming the columns:
  serial (required), wireless_lan (on/off), ssid, key, dhcp (on/off), ip,
  mask, gateway, dns, power_off (off/15/30/60); separator , or ;. An empty
  cell keeps the instrument&apos;s setting; an address needs dhcp off in its row.
  Every row is checked before any instrument is touched; each instrument is
  written only where it differs (changed / unchanged). Listed instruments
  without a row are not touched.

Change record (every run that writes to instruments, one line per change):
  --record FILE    append to FILE (default: KT9_RECORD, else
                   DATA/kt9-config/changes.csv)
  --no-record      record nothing
  history prints the record; --serial shows one instrument&apos;s changes.

Exit status: 0 all succeeded, 1 an instrument failed or was not reached,
2 usage error, unreadable input file, a backup or plan that fails its check, or
one static address for several instruments (then nothing was written).
</source>
        <translation>Usage:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
  kt9-cli backup DIR [TARGET] [--force]
  kt9-cli restore DIR [TARGET] [--calibration] [--dry-run] [--show-key]
  kt9-cli apply PLAN.csv [--dry-run] [--show-key]
  kt9-cli history [--serial NNNNNNNN] [--json]
  kt9-cli --help | --version

Configures KT-9 instruments from the command line, one or many at once: each
instrument is connected, configured and disconnected in turn.

TARGET:
  --port N           the N-th instrument of kt9-cli list
  --serial NNNNNNNN  the instrument with this serial number
  --all              every instrument listed (not with network save or register)
  Without a target the only instrument listed; with several, name one.

Options:
  --dry-run     connect, read and check, show what would change, write nothing
  --json        print the result as one JSON document
  --show-key    show the security key instead of ***
  --lang en|ja  language of the messages (default: from the locale)

Backup and restore:
  backup writes DIR/SERIAL/ for each instrument (network.ini, white.csv,
  ambient.csv, instrument.json), readable by you alone: it holds the key.
  --force          replace an instrument&apos;s existing backup
  restore puts back the network settings and the power-off time of each
  instrument that has a folder with its own serial number in DIR.
  --calibration    also the calibration references (same serial only)
  register and restore --calibration first save the references they
  overwrite in DATA/kt9-config/backups/SERIAL/TIME/ (DATA: your data folder).

Fleet plan (apply):
  a CSV file, one row per instrument, a header row naming the columns:
  serial (required), wireless_lan (on/off), ssid, key, dhcp (on/off), ip,
  mask, gateway, dns, power_off (off/15/30/60); separator , or ;. An empty
  cell keeps the instrument&apos;s setting; an address needs dhcp off in its row.
  Every row is checked before any instrument is touched; each instrument is
  written only where it differs (changed / unchanged). Listed instruments
  without a row are not touched.

Change record (every run that writes to instruments, one line per change):
  --record FILE    append to FILE (default: KT9_RECORD, else
                   DATA/kt9-config/changes.csv)
  --no-record      record nothing
  history prints the record; --serial shows one instrument&apos;s changes.

Exit status: 0 all succeeded, 1 an instrument failed or was not reached,
2 usage error, unreadable input file, a backup or plan that fails its check, or
one static address for several instruments (then nothing was written).
</translation>
    </message>
    <message>
        <source>Changed: %1, unchanged: %2.</source>
        <translation>Changed: %1, unchanged: %2.</translation>
    </message>
    <message>
        <source>Listed but not in the plan, not touched: %1.</source>
        <translation>Listed but not in the plan, not touched: %1.</translation>
    </message>
    <message>
        <source>Not reachable: no instrument with this serial number is listed.</source>
        <translation>Not reachable: no instrument with this serial number is listed.</translation>
    </message>
    <message>
        <source>%1 instruments with this serial number are listed; none of them is written.</source>
        <translation>%1 instruments with this serial number are listed; none of them is written.</translation>
    </message>
    <message>
        <source>UNCHANGED</source>
        <translation>UNCHANGED</translation>
    </message>
    <message>
        <source>WOULD CHANGE</source>
        <translation>WOULD CHANGE</translation>
    </message>
    <message>
        <source>CHANGED</source>
        <translation>CHANGED</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>row %1: %2</translation>
    </message>
    <message>
        <source>row %1, column %2: %3</source>
        <translation>row %1, column %2: %3</translation>
    </message>
    <message>
        <source>%1 bytes; the instrument takes at most %2.</source>
        <translation>%1 bytes; the instrument takes at most %2.</translation>
    </message>
    <message>
        <source>a control character, which the instrument cannot take.</source>
        <translation>a control character, which the instrument cannot take.</translation>
    </message>
    <message>
        <source>needs a serial number of up to 8 digits, not %1.</source>
        <translation>needs a serial number of up to 8 digits, not %1.</translation>
    </message>
    <message>
        <source>needs on or off, not %1.</source>
        <translation>needs on or off, not %1.</translation>
    </message>
    <message>
        <source>needs an address such as 192.168.0.10 (four numbers from 0 to 255), not %1.</source>
        <translation>needs an address such as 192.168.0.10 (four numbers from 0 to 255), not %1.</translation>
    </message>
    <message>
        <source>needs off, 15, 30 or 60, not %1.</source>
        <translation>needs off, 15, 30 or 60, not %1.</translation>
    </message>
    <message>
        <source>unknown column; the columns are %1.</source>
        <translation>unknown column; the columns are %1.</translation>
    </message>
    <message>
        <source>the column is named twice.</source>
        <translation>the column is named twice.</translation>
    </message>
    <message>
        <source>the header row has no column serial.</source>
        <translation>the header row has no column serial.</translation>
    </message>
    <message>
        <source>serial number %1 is also in row %2.</source>
        <translation>serial number %1 is also in row %2.</translation>
    </message>
    <message>
        <source>an address needs dhcp off in the same row.</source>
        <translation>an address needs dhcp off in the same row.</translation>
    </message>
    <message>
        <source>with dhcp on the instrument takes its addresses from the network: leave the addresses empty.</source>
        <translation>with dhcp on the instrument takes its addresses from the network: leave the addresses empty.</translation>
    </message>
    <message>
        <source>a value in a column that the header row does not name.</source>
        <translation>a value in a column that the header row does not name.</translation>
    </message>
    <message>
        <source>needs the instrument&apos;s serial number.</source>
        <translation>needs the instrument&apos;s serial number.</translation>
    </message>
    <message>
        <source>the plan cannot be read: %1</source>
        <translation>the plan cannot be read: %1</translation>
    </message>
    <message>
        <source>the plan is larger than %1 MB.</source>
        <translation>the plan is larger than %1 MB.</translation>
    </message>
    <message>
        <source>a quoted cell is not closed.</source>
        <translation>a quoted cell is not closed.</translation>
    </message>
    <message>
        <source>text after the closing quotation mark.</source>
        <translation>text after the closing quotation mark.</translation>
    </message>
    <message>
        <source>the plan has no instrument rows.</source>
        <translation>the plan has no instrument rows.</translation>
    </message>
    <message>
        <source>The static address %1 would be given to more than one instrument: %2. Nothing was written.</source>
        <translation>The static address %1 would be given to more than one instrument: %2. Nothing was written.</translation>
    </message>
    <message>
        <source>%1 is a link; restore does not follow it.</source>
        <translation>%1 is a link; restore does not follow it.</translation>
    </message>
    <message>
        <source>Restore would refuse this backup, so it was not saved: %1</source>
        <translation>Restore would refuse this backup, so it was not saved: %1</translation>
    </message>
    <message>
        <source>%1 is a link or not a folder; backup neither follows nor replaces it.</source>
        <translation>%1 is a link or not a folder; backup neither follows nor replaces it.</translation>
    </message>
    <message>
        <source>Another backup of this instrument into %1 is still running (lock file %2).</source>
        <translation>Another backup of this instrument into %1 is still running (lock file %2).</translation>
    </message>
    <message>
        <source>a link, not a file of its own</source>
        <translation>a link, not a file of its own</translation>
    </message>
    <message>
        <source>line %1: %2 fields instead of %3</source>
        <translation>line %1: %2 fields instead of %3</translation>
    </message>
    <message>
        <source>line %1: a quoted value is not closed</source>
        <translation>line %1: a quoted value is not closed</translation>
    </message>
    <message>
        <source>Backups of instruments that are not reachable: %1.</source>
        <translation>Backups of instruments that are not reachable: %1.</translation>
    </message>
    <message>
        <source>None of the instruments has a backup in %1.</source>
        <translation>None of the instruments has a backup in %1.</translation>
    </message>
    <message>
        <source>Stopped by a request to end the program after the instrument in progress had finished and was disconnected. Done: %1.</source>
        <translation>Stopped by a request to end the program after the instrument in progress had finished and was disconnected. Done: %1.</translation>
    </message>
    <message>
        <source>Written, but not recorded.</source>
        <translation>Written, but not recorded.</translation>
    </message>
    <message>
        <source>(not written)</source>
        <translation>(not written)</translation>
    </message>
    <message>
        <source>%1 belongs to another user or others may change it; restore does not take it.</source>
        <translation>%1 belongs to another user or others may change it; restore does not take it.</translation>
    </message>
    <message>
        <source>%1 belongs to another user or others may change it; backup does not replace it.</source>
        <translation>%1 belongs to another user or others may change it; backup does not replace it.</translation>
    </message>
    <message>
        <source>%1 holds files that backup did not write; backup does not replace it.</source>
        <translation>%1 holds files that backup did not write; backup does not replace it.</translation>
    </message>
    <message>
        <source>Others may rename or remove what is put into %1 (it belongs to another user, or others may write to it and it lacks the sticky bit); backup does not write into it.</source>
        <translation>Others may rename or remove what is put into %1 (it belongs to another user, or others may write to it and it lacks the sticky bit); backup does not write into it.</translation>
    </message>
    <message>
        <source>%1 is a link or not a regular file; backup neither follows nor replaces it.</source>
        <translation>%1 is a link or not a regular file; backup neither follows nor replaces it.</translation>
    </message>
    <message>
        <source>Stopped because the change record could not be written: no instrument is written that it cannot record. Done: %1.</source>
        <translation>Stopped because the change record could not be written: no instrument is written that it cannot record. Done: %1.</translation>
    </message>
</context>
<context>
    <name>ConnectSelectDialog</name>
    <message>
        <source>Select Device</source>
        <translation>Select Device</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>InitSettingDialog</name>
    <message>
        <source>Successful read body data.</source>
        <translation>Successful read body data.</translation>
    </message>
    <message>
        <source>Failed to read automatic shutdown time.</source>
        <translation>Failed to read automatic shutdown time.</translation>
    </message>
    <message>
        <source>Failed to write automatic shutdown time.</source>
        <translation>Failed to write automatic shutdown time.</translation>
    </message>
    <message>
        <source>Successful device writing.</source>
        <translation>Successful device writing.</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate data.</source>
        <translation>Failed to write WhiteCalibPlate data.</translation>
    </message>
    <message>
        <source>Failed to write WhiteCalibPlate file.</source>
        <translation>Failed to write WhiteCalibPlate file.</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter data.</source>
        <translation>Failed to write AmbientLightAdapter data.</translation>
    </message>
    <message>
        <source>Failed to write AmbientLightAdapter file.</source>
        <translation>Failed to write AmbientLightAdapter file.</translation>
    </message>
    <message>
        <source>csv(*.csv)</source>
        <translation>csv(*.csv)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Successful read file data.</source>
        <translation>Successful read file data.</translation>
    </message>
    <message>
        <source>Failed to read file data.</source>
        <translation>Failed to read file data.</translation>
    </message>
    <message>
        <source>Failed to connect device.</source>
        <translation>Failed to connect device.</translation>
    </message>
    <message>
        <source>Failed to read device data.</source>
        <translation>Failed to read device data.</translation>
    </message>
    <message>
        <source>Wireless LAN is invalid.</source>
        <translation>Wireless LAN is invalid.</translation>
    </message>
    <message>
        <source>Failed to device WhiteCalibPlateSerialNo.</source>
        <translation>Failed to device WhiteCalibPlateSerialNo.</translation>
    </message>
    <message>
        <source>Failed to device AmbientLightAdapterSerialNo.</source>
        <translation>Failed to device AmbientLightAdapterSerialNo.</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>The measuring instruments is not connected.</translation>
    </message>
    <message>
        <source>Failed to device disconnect.</source>
        <translation>Failed to device disconnect.</translation>
    </message>
    <message>
        <source>Failed to disconnect device.</source>
        <translation>Failed to disconnect device.</translation>
    </message>
    <message>
        <source>The connection with the measuring instrument was disconnected.</source>
        <translation>The connection with the measuring instrument was disconnected.</translation>
    </message>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>Spectrophotometer Configuration Tool KT-9</translation>
    </message>
    <message>
        <source>*(*.*)</source>
        <translation>*(*.*)</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation file data.</source>
        <translation>Failed to read Network Infomation file data.</translation>
    </message>
    <message>
        <source>ini(*.ini)</source>
        <translation>ini(*.ini)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>The input value is invalid.</source>
        <translation>The input value is invalid.</translation>
    </message>
    <message>
        <source>Successful file writing.</source>
        <translation>Successful file writing.</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation file data.</source>
        <translation>Failed to write Network Infomation file data.</translation>
    </message>
    <message>
        <source>Failed to read Network Infomation data.</source>
        <translation>Failed to read Network Infomation data.</translation>
    </message>
    <message>
        <source>Write successful. To reflect, after [Disconnect], turn the power supply of the measuring instrument OFF -&gt; ON.</source>
        <translation>Write successful. To reflect, after [Disconnect], turn the power supply of the measuring instrument OFF -&gt; ON.</translation>
    </message>
    <message>
        <source>Failed to write Network Infomation data.</source>
        <translation>Failed to write Network Infomation data.</translation>
    </message>
    <message>
        <source>Wireless LAN</source>
        <translation>Wireless LAN</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Access Point</source>
        <translation>Access Point</translation>
    </message>
    <message>
        <source>SSID:</source>
        <translation>SSID:</translation>
    </message>
    <message>
        <source>Security Key:</source>
        <translation>Security Key:</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>DHCP:</source>
        <translation>DHCP:</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP Address:</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Subnet Mask:</source>
        <translation>Subnet Mask:</translation>
    </message>
    <message>
        <source>Default Gateway:</source>
        <translation>Default Gateway:</translation>
    </message>
    <message>
        <source>DNS Server:</source>
        <translation>DNS Server:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Read From File...</source>
        <translation>Read From File...</translation>
    </message>
    <message>
        <source>Write To File...</source>
        <translation>Write To File...</translation>
    </message>
    <message>
        <source>Body</source>
        <translation>Body</translation>
    </message>
    <message>
        <source>Read From Body</source>
        <translation>Read From Body</translation>
    </message>
    <message>
        <source>Write To Body</source>
        <translation>Write To Body</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Configure auto power off time</source>
        <translation>Configure auto power off time</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>15minutes</source>
        <translation>15minutes</translation>
    </message>
    <message>
        <source>30minutes</source>
        <translation>30minutes</translation>
    </message>
    <message>
        <source>60minutes</source>
        <translation>60minutes</translation>
    </message>
    <message>
        <source>Auto Power Off</source>
        <translation>Auto Power Off</translation>
    </message>
    <message>
        <source>Current Serial No:</source>
        <translation>Current Serial No:</translation>
    </message>
    <message>
        <source>Select White Calibration Plate To Register</source>
        <translation>Select White Calibration Plate To Register</translation>
    </message>
    <message>
        <source>White Calibration Plate Values File(.csv)</source>
        <translation>White Calibration Plate Values File(.csv)</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>Serial No:</translation>
    </message>
    <message>
        <source>White calibration plate</source>
        <translation>White calibration plate</translation>
    </message>
    <message>
        <source>Select Ambient Light Adapter To Register</source>
        <translation>Select Ambient Light Adapter To Register</translation>
    </message>
    <message>
        <source>Ambient Light Adapter Value File(.csv)</source>
        <translation>Ambient Light Adapter Value File(.csv)</translation>
    </message>
    <message>
        <source>Ambient light adapter</source>
        <translation>Ambient light adapter</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Firmware Ver:</source>
        <translation>Firmware Ver:</translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation>MAC Address:</translation>
    </message>
    <message>
        <source>Tool Ver.1.10.0008</source>
        <translation>Tool Ver.1.10.0008</translation>
    </message>
</context>
<context>
    <name>LangSelectDialog</name>
    <message>
        <source>LanguageType</source>
        <translation>LanguageType</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Select Language</source>
        <translation>Select Language</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Spectrophotometer Configuration Tool KT-9</source>
        <translation>Spectrophotometer Configuration Tool KT-9</translation>
    </message>
    <message>
        <source>Failed to set default language.</source>
        <translation>Failed to set default language.</translation>
    </message>
    <message>
        <source>Failed to set select(English) language.</source>
        <translation>Failed to set select(English) language.</translation>
    </message>
    <message>
        <source>Failed to set select(japanese) language.</source>
        <translation>Failed to set select(japanese) language.</translation>
    </message>
    <message>
        <source>The measuring instruments is not connected.</source>
        <translation>The measuring instruments is not connected.</translation>
    </message>
</context>
</TS>
