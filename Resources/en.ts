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
        <source>Usage:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
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

Exit status: 0 all succeeded, 1 an instrument failed or was not reached,
2 usage error or unreadable input file (then nothing was written).
</source>
        <translation>Usage:
  kt9-cli list [--json]
  kt9-cli show [TARGET] [--json] [--show-key]
  kt9-cli network load FILE.ini [TARGET] [--dry-run] [--show-key]
  kt9-cli network save FILE.ini [TARGET]
  kt9-cli power-off (off|15|30|60) [TARGET] [--dry-run]
  kt9-cli register (white|ambient) FILE.csv [TARGET] [--dry-run]
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

Exit status: 0 all succeeded, 1 an instrument failed or was not reached,
2 usage error or unreadable input file (then nothing was written).
</translation>
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
