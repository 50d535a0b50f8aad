// kt9-cli run as a user runs it: the real program against a folder of simulated instruments,
// its output, exit status and what it leaves in the instruments. The controller and the file
// readers it calls are tested on their own; this is about what the program adds: targets,
// one instrument's failure not stopping the others, nothing written on a dry run or a bad
// input file, clean standard output, and the window's messages in the chosen language.

#include "CliSupport.h"

namespace {

const QString kFailedRead = QStringLiteral("Failed to read automatic shutdown time.");
const QString kLost = QStringLiteral("The connection with the measuring instrument was disconnected.");

const QByteArray kNetworkFile =
    "[Network]\r\nDHCPUse=0\r\nIPAddress=10.1.2.3\r\nSubnetMask=255.255.0.0\r\n"
    "DefaultGateway=10.1.0.1\r\nSSID=NewNet\r\nEncryptKey=newkey\r\nDNS=10.1.0.2\r\n"
    "APConnectUse=1\r\n";

// The refusal of one static address for several instruments.
const QString kRepeatedAddress = QStringLiteral("The static address ");

// A calibration value file of the given kind with serial line `serial`.
QByteArray calibrationFile(const QByteArray &serial, int values)
{
    QByteArrayList pieces;
    for (int i = 0; i < values; ++i)
        pieces.append(QByteArray::number(0.5 + i / 100.0));
    return "White\r\nvalues\r\n" + serial + "\r\n" + pieces.join(',') + "\r\n";
}

// An instrument on USB with a network and a power-off time of its own.
QJsonObject instrument(int serialNo)
{
    QJsonObject json = usbInstrument(serialNo);
    json.insert("shutdownMode", 1);
    json.insert("network", QJsonObject{{"APConnectUse", 0},
                                       {"DHCPUse", 1},
                                       {"IPAddress", "192.168.0.10"},
                                       {"SSID", QStringLiteral("Old%1").arg(serialNo)},
                                       {"EncryptKey", "oldkey"}});
    return json;
}

// The lines of standard output that report an instrument, without the indented details.
QStringList resultLines(const CliResult &result)
{
    QStringList lines;
    for (const QString &line : result.outText().split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('0')))
            lines.append(line);
    }
    return lines;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void healthyFailingAndPulled_data();
    void healthyFailingAndPulled();
    void writesNothing_data();
    void writesNothing();
    void targets_data();
    void targets();
    void applyTwice_data();
    void applyTwice();
    void applyHalfWritten();
    void oneInstrument_data();
    void oneInstrument();
    void debugLines_data();
    void debugLines();
    void language_data();
    void language();
    void saveThenLoad_data();
    void saveThenLoad();
    void fileOperandBytes_data();
    void fileOperandBytes();

private:
    QTemporaryDir m_files;
};

// Three instruments: the first healthy, the second refusing the write, the third pulled right
// after it was connected. The first is configured, the others are reported and left as they were.
void TestCli::healthyFailingAndPulled_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("refusedCall");
    QTest::addColumn<QString>("changedKey");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("power-off") << QStringList{"power-off", "60", "--all"} << "QLX_SetShutdownTime"
                               << "shutdownMode"
                               << QStringList{"Successful device writing.",
                                              "Failed to write automatic shutdown time.",
                                              kFailedRead + ' ' + kLost};
    QTest::newRow("network load, JSON")
        << QStringList{"network", "load", "network.ini", "--all", "--json"} << "QLX_SetNetworkInfo"
        << "network"
        << QStringList{
               "Write successful. To reflect, after [Disconnect], turn the power supply of the measuring "
               "instrument OFF -> ON.",
               "Failed to write Network Infomation data.",
               "Failed to read whether the wireless LAN module is enabled. " + kLost};
}

void TestCli::healthyFailingAndPulled()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, refusedCall);
    QFETCH(QString, changedKey);
    QFETCH(QStringList, messages);

    SimInstrumentDir sim;
    sim.write("a", instrument(1));
    QJsonObject refusing = instrument(2);
    refusing.insert("faults", QJsonObject{{refusedCall, QLX_ERROR_COMMUNICATION_SEND}});
    sim.write("b", refusing);
    QJsonObject pulled = instrument(3);
    pulled.insert("latencyMs", 300);
    sim.write("c", pulled);
    const QMap<QString, QByteArray> before = instrumentFiles(sim.path());
    // DHCP on: a static address would go to one instrument only.
    arguments.replaceInStrings(
        "network.ini",
        writeTextFile(m_files, "network.ini", QByteArray(kNetworkFile).replace("DHCPUse=0", "DHCPUse=1")));

    CliRunner cli(sim.path());
    bool pulledOut = false;
    const CliResult result = cli.run(arguments, cli.environment(), [&](const QByteArray &err, QProcess &) {
        if (!pulledOut && err.count("QLX_Connect -> 0") == 3) {
            sim.set("c", "unplugged", true);
            pulledOut = true;
        }
    });

    QVERIFY(pulledOut);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(sim.read("a").value(changedKey) != instrument(1).value(changedKey));
    QCOMPARE(instrumentFiles(sim.path()).value("b.json"), before.value("b.json"));
    QJsonObject pulledAfter = sim.read("c");
    pulledAfter.remove("unplugged");
    QCOMPARE(pulledAfter, pulled);
    // Every instrument was let go again, the pulled one included.
    QCOMPARE(result.err.count("QLX_Disconnect -> 0"), 3);

    if (arguments.contains("--json")) {
        const QJsonObject json = result.json();
        const QJsonArray instruments = json.value("instruments").toArray();
        QCOMPARE(instruments.size(), 3);
        const QStringList outcomes{"succeeded", "failed", "failed"};
        for (int i = 0; i < 3; ++i) {
            const QJsonObject one = instruments.at(i).toObject();
            QCOMPARE(one.value("serial").toString(), QStringLiteral("0000000%1").arg(i + 1));
            QCOMPARE(one.value("result").toString(), outcomes.at(i));
            QCOMPARE(one.value("message").toString(), messages.at(i));
        }
        QCOMPARE(json.value("summary").toObject().value("failed").toArray(),
                 (QJsonArray{"00000002", "00000003"}));
        QCOMPARE(json.value("exitStatus").toInt(), 1);
    } else {
        QCOMPARE(resultLines(result),
                 (QStringList{"00000001  KALDO-1(USB,Serial#00000001)  OK  " + messages.at(0),
                              "00000002  KALDO-1(USB,Serial#00000002)  FAILED  " + messages.at(1),
                              "00000003  KALDO-1(USB,Serial#00000003)  FAILED  " + messages.at(2)}));
        QVERIFY(result.outText().contains("    Auto Power Off: 15minutes -> 60minutes\n"));
        QVERIFY(result.outText().endsWith("Summary: 1 of 3 succeeded. Failed: 00000002, 00000003.\n"));
    }
}

// A dry run reads and checks but writes nothing; a bad input file stops the run before any
// instrument is touched. The instrument files are compared byte for byte.
void TestCli::writesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("expected"); ///< lines (or pieces) of standard output or error

    const QByteArray whiteFile = calibrationFile("10012345", 38);
    QTest::newRow("network load, dry run")
        << QStringList{"network", "load", "input", "--port", "1", "--dry-run", "--show-key"} << kNetworkFile
        << 0
        << QStringList{"00000001  KALDO-1(USB,Serial#00000001)  OK",
                       "    Wireless LAN: Disable -> Enable",
                       "    SSID: Old1 -> NewNet",
                       "    Security Key: oldkey -> newkey",
                       "    DHCP: ON -> OFF",
                       "    IP Address: 192.168.0.10 -> 10.1.2.3",
                       "Summary (dry run, nothing written): 1 of 1 passed the checks."};
    QTest::newRow("network load, one static address for all")
        << QStringList{"network", "load", "input", "--all", "--dry-run"} << kNetworkFile << 2
        << QStringList{kRepeatedAddress + "10.1.2.3 would be given to more than one instrument: 00000001, "
                                          "00000002. Nothing was written."};
    const QByteArray plan = "serial,ssid,dhcp,ip\r\n1,Lab,off,10.0.0.1\r\n";
    QTest::newRow("apply, dry run") << QStringList{"apply", "input", "--dry-run"} << plan << 0
                                    << QStringList{"00000001  KALDO-1(USB,Serial#00000001)  WOULD CHANGE",
                                                   "    SSID: Old1 -> Lab",
                                                   "    IP Address: 192.168.0.10 -> 10.0.0.1",
                                                   "Listed but not in the plan, not touched: 1."};
    QTest::newRow("apply, serial twice")
        << QStringList{"apply", "input"} << plan + "2,,,\r\n0001,X,,\r\n"
        << 2 << QStringList{"input: row 4, column serial: serial number 00000001 is also in row 2."};
    QTest::newRow("apply, static address twice, JSON")
        << QStringList{"apply", "input", "--json"} << plan + "2,Lab,off,10.0.0.1\r\n"
        << 2
        << QStringList{"input: row 3, column ip: " + kRepeatedAddress +
                       "10.0.0.1 would be given to more than one instrument: 00000001, 00000002."};
    QTest::newRow("apply, unknown column")
        << QStringList{"apply", "input"} << QByteArray("serial,colour\n1,red\n") << 2
        << QStringList{"input: row 1, column colour: unknown column"};
    QTest::newRow("apply, unknown value")
        << QStringList{"apply", "input"} << QByteArray("serial;wireless_lan\n1;yes\n") << 2
        << QStringList{"input: row 2, column wireless_lan: needs on or off, not yes."};
    QTest::newRow("apply, address with DHCP on")
        << QStringList{"apply", "input"} << QByteArray(plan).replace("off", "on") << 2
        << QStringList{"input: row 2, column ip: with dhcp on"};
    QTest::newRow("apply, address without DHCP")
        << QStringList{"apply", "input"} << QByteArray("serial,mask\n1,255.255.0.0\n") << 2
        << QStringList{"input: row 2, column mask: an address needs dhcp off in the same row."};
    QTest::newRow("apply, octet above 255")
        << QStringList{"apply", "input"} << QByteArray(plan).replace("10.0.0.1", "10.0.256.1") << 2
        << QStringList{"input: row 2, column ip: needs an address such as"};
    QTest::newRow("apply, SSID of 33 bytes")
        << QStringList{"apply", "input"} << "serial,ssid\n1," + QByteArray(33, 'S') + "\n"
        << 2 << QStringList{"input: row 2, column ssid: 33 bytes; the instrument takes at most 32."};
    QTest::newRow("apply, quoted cell not closed")
        << QStringList{"apply", "input"} << QByteArray("serial,ssid\n1,\"Lab\n2,X\n") << 2
        << QStringList{"input: row 2, column ssid: a quoted cell is not closed."};
    QTest::newRow("apply, line break in a quoted SSID")
        << QStringList{"apply", "input"} << QByteArray("serial;ssid\r\n1;\"Lab\r\nB\"\r\n") << 2
        << QStringList{"input: row 2, column ssid: a control character"};
    QTest::newRow("power-off, dry run")
        << QStringList{"power-off", "off", "--all", "--dry-run"} << QByteArray() << 0
        << QStringList{"    Auto Power Off: 15minutes -> Disabled"};
    QTest::newRow("register, dry run")
        << QStringList{"register", "white", "input", "--port", "2", "--dry-run"} << whiteFile << 0
        << QStringList{"00000002  KALDO-1(USB,Serial#00000002)  OK",
                       "    White calibration plate: 00000000 -> 10012345"};
    QTest::newRow("network file without a key")
        << QStringList{"network", "load", "input", "--all"}
        << QByteArray(kNetworkFile).replace("SSID=NewNet\r\n", "") << 2
        << QStringList{"input: Failed to read Network Infomation file data."};
    QTest::newRow("network file with DHCP 2")
        << QStringList{"network", "load", "input", "--all"}
        << QByteArray(kNetworkFile).replace("DHCPUse=0", "DHCPUse=2") << 2
        << QStringList{"input: Failed to read Network Infomation file data."};
    QTest::newRow("white plate serial out of range")
        << QStringList{"register", "white", "input", "--port", "1"} << calibrationFile("10000000", 38) << 2
        << QStringList{"input: Failed to read file data."};
    // The reader prints its note on the serial line to standard output; it must not reach ours.
    QTest::newRow("adapter serial of 9 digits, JSON")
        << QStringList{"register", "ambient", "input", "--port", "1", "--json"}
        << calibrationFile("100123456", 75) << 2 << QStringList{"incorrect data. 100123456"};
    // The reader's note echoes the rejected line: its escape sequence must not reach the terminal.
    QTest::newRow("adapter serial with an escape sequence")
        << QStringList{"register", "ambient", "input", "--port", "1"} << calibrationFile("\x1b[2J1234", 75)
        << 2 << QStringList{"incorrect data. \\x1B[2J1234\n"};
    QTest::newRow("no such file") << QStringList{"network", "load", "missing", "--all"} << QByteArray() << 2
                                  << QStringList{"missing: Failed to read Network Infomation file data."};
}

void TestCli::writesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QStringList, expected);

    SimInstrumentDir sim;
    sim.write("a", instrument(1));
    sim.write("b", instrument(2));
    const QMap<QString, QByteArray> before = instrumentFiles(sim.path());
    if (!input.isNull())
        writeTextFile(m_files, "input", input);
    // Relative names, as typed: the program resolves them in its working folder.
    CliRunner cli(sim.path());
    cli.workingDirectory = m_files.path();
    const CliResult result = cli.run(arguments);

    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(instrumentFiles(sim.path()), before);
    const QString output = exitCode == 0 ? result.outText() : result.errText();
    for (const QString &piece : expected)
        QVERIFY2(output.contains(piece), qPrintable(output));
    if (exitCode != 0) {
        // Checked before the first instrument was connected; an input file before the first
        // was even listed.
        if (!expected.first().startsWith(kRepeatedAddress))
            QVERIFY(!result.err.contains("QLX_GetDevicePortList"));
        QVERIFY(!result.err.contains("QLX_Connect"));
    }
    if (arguments.contains("--json"))
        QCOMPARE(result.json().value("exitStatus").toInt(), exitCode);
}

// A plan applied, then applied again: the second run writes nothing. The plan's bytes reach the
// instrument as they are, whatever the separator, quoting, byte order mark or encoding.
void TestCli::applyTwice_data()
{
    QTest::addColumn<QByteArray>("plan");
    QTest::addColumn<QJsonValue>("ssid");      ///< instrument 1's SSID afterwards
    QTest::addColumn<QStringList>("outcomes"); ///< of the first run, per plan row
    QTest::addColumn<int>("exitCode");

    QTest::newRow("comma, CR LF")
        << QByteArray("serial,ssid,key,dhcp,ip,mask,power_off\r\n1,Lab,k1,off,10.0.0.1,255.255.255.0,30\r\n"
                      "2,,,on,,,\r\n")
        << QJsonValue("Lab") << QStringList{"changed", "unchanged"} << 0;
    QTest::newRow("semicolon, quotes, byte order mark, empty row")
        << QByteArray("\xEF\xBB\xBFSerial;SSID;power_off\n\"1\";\" Lab;\"\"A\"\" \" ;60\n;;\n2;  B  ;\n")
        << QJsonValue(" Lab;\"A\" ") << QStringList{"changed", "changed"} << 0;
    QTest::newRow("Shift_JIS") << QByteArray("serial,ssid\r\n1,\x83\x89\x83\x75\r\n")
                               << QJsonValue(QJsonObject{{"hex", "83898375"}}) << QStringList{"changed"} << 0;
    QTest::newRow("not reachable") << QByteArray("serial,ssid\n9,X\n1,Lab\n") << QJsonValue("Lab")
                                   << QStringList{"not reachable", "changed"} << 1;
}

void TestCli::applyTwice()
{
    QFETCH(QByteArray, plan);
    QFETCH(QJsonValue, ssid);
    QFETCH(QStringList, outcomes);
    QFETCH(int, exitCode);

    SimInstrumentDir sim;
    for (int serial = 1; serial <= 3; ++serial)
        sim.write(QStringLiteral("i%1").arg(serial), instrument(serial));
    const QByteArray notInPlan = instrumentFiles(sim.path()).value("i3.json");
    const QString file = writeTextFile(m_files, "plan.csv", plan);
    CliRunner cli(sim.path());

    const CliResult first = cli.run({"apply", file, "--json", "--no-record"});
    QCOMPARE(first.exitCode, exitCode);
#ifndef _WIN32
    // Bytes that are no text in the locale's encoding (UTF-8 here) are told as the bytes they are.
    if (plan.contains('\x83'))
        QVERIFY2(first.outText().contains(R"("new": "\\x83\\x89\\x83u")"), qPrintable(first.outText()));
#endif
    QCOMPARE(sim.read("i1").value("network").toObject().value("SSID"), ssid);
    QCOMPARE(instrumentFiles(sim.path()).value("i3.json"), notInPlan);
    const QJsonObject json = first.json();
    QCOMPARE(json.value("changed").toBool(), outcomes.contains("changed"));
    QCOMPARE(json.value("summary").toObject().value("notInPlan").toInt(),
             3 - outcomes.count() + outcomes.count("not reachable"));
    // Instruments in the plan's order, the unreachable ones after them.
    QStringList reported;
    for (const QJsonValue &value : json.value("instruments").toArray()) {
        const QJsonObject entry = value.toObject();
        const bool changed = entry.value("changed").toBool();
        const bool failed = entry.value("result") == QLatin1String("failed");
        QVERIFY(entry.value("changed").isBool());
        QCOMPARE(changed, !entry.value("changes").toArray().isEmpty());
        if (failed)
            QVERIFY(entry.value("message").toString().contains("Not reachable"));
        reported.append(failed ? "not reachable" : changed ? "changed" : "unchanged");
        for (const QJsonValue &change : entry.value("changes").toArray()) {
            const QString field = change.toObject().value("field").toString();
            if (field == QLatin1String("securityKey"))
                QCOMPARE(change.toObject().value("new").toString(), QStringLiteral("***"));
            if (field == QLatin1String("dhcp"))
                QVERIFY(change.toObject().value("new").isBool());
        }
    }
    QStringList expected = outcomes;
    std::stable_partition(expected.begin(), expected.end(),
                          [](const QString &o) { return o != "not reachable"; });
    QCOMPARE(reported, expected);

    const QMap<QString, QByteArray> applied = instrumentFiles(sim.path());
    const CliResult second = cli.run({"apply", file, "--no-record"});
    QCOMPARE(second.exitCode, exitCode);
    QCOMPARE(instrumentFiles(sim.path()), applied);
    QVERIFY(!second.err.contains("QLX_SetNetworkInfo") && !second.err.contains("QLX_SetShutdownTime"));
    for (const QString &line : resultLines(second))
        QVERIFY2(line.endsWith("  UNCHANGED") || line.contains("Not reachable"), qPrintable(line));
}

// An instrument whose power-off write fails after its network write: what it holds now is told
// as changed, in the output and in the record, and what it does not hold as not written.
void TestCli::applyHalfWritten()
{
    SimInstrumentDir sim;
    QJsonObject refusing = instrument(1);
    refusing.insert("faults", QJsonObject{{"QLX_SetShutdownTime", QLX_ERROR_COMMUNICATION_SEND}});
    sim.write("i1", refusing);
    const QString plan = writeTextFile(m_files, "half.csv", "serial,ssid,power_off\n1,Half,60\n");
    const QString record = QDir(m_files.path()).filePath("half-record.csv");
    const CliResult result = CliRunner(sim.path()).run({"apply", plan, "--json", "--record", record});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(sim.read("i1").value("network").toObject().value("SSID"), QJsonValue("Half"));
    const QJsonObject json = result.json();
    QVERIFY(json.value("changed").toBool());
    QStringList written;
    for (const QJsonValue &change :
         json.value("instruments").toArray().first().toObject().value("changes").toArray())
        written.append(change.toObject().value("field").toString() + "=" +
                       (change.toObject().value("written").toBool() ? "written" : "not written"));
    QCOMPARE(written, (QStringList{"ssid=written", "powerOff=not written"}));
    QVERIFY(json.value("summary").toObject().value("text").toString().contains("Changed: 1, unchanged: 0."));
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray lines = file.readAll();
    QVERIFY2(lines.contains(",ssid,") && lines.contains("Half,succeeded") && lines.contains(",powerOff,") &&
                 lines.contains("failed"),
             lines.constData());
}

void TestCli::targets_data()
{
    QTest::addColumn<QVector<int>>("serials"); ///< the instruments listed
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); ///< the serials worked on, or a piece of the error

    const QVector<int> two{1, 2};
    QTest::newRow("the only one") << QVector<int>{1} << QStringList{"show"} << 0 << "00000001";
    QTest::newRow("two, none named")
        << two << QStringList{"show"} << 2
        << "2 instruments are listed: choose one with --port N or --serial NNNNNNNN, "
           "or all of them with --all.";
    QTest::newRow("--port 2") << two << QStringList{"show", "--port", "2"} << 0 << "00000002";
    QTest::newRow("--port=1") << two << QStringList{"show", "--port=1"} << 0 << "00000001";
    QTest::newRow("--port 3 of 2") << two << QStringList{"show", "--port", "3"} << 2
                                   << "--port 3: there is no such instrument; 2 are listed.";
    QTest::newRow("--serial without zeros")
        << two << QStringList{"power-off", "30", "--serial", "2"} << 0 << "00000002";
    QTest::newRow("--serial not listed")
        << two << QStringList{"show", "--serial", "00000009"} << 2
        << "--serial 00000009: no instrument with this serial number is listed.";
    QTest::newRow("--serial listed twice")
        << QVector<int>{5, 5} << QStringList{"power-off", "30", "--serial", "5"} << 2
        << "--serial 00000005: 2 instruments have this serial number; choose one with --port.";
    QTest::newRow("--all") << two << QStringList{"power-off", "30", "--all"} << 0 << "00000001 00000002";
    QTest::newRow("register with --all") << two << QStringList{"register", "white", "x.csv", "--all"} << 2
                                         << "register works on exactly one instrument";
    QTest::newRow("network save with --all") << two << QStringList{"network", "save", "x.ini", "--all"} << 2
                                             << "network save works on exactly one instrument";
    QTest::newRow("network save, none named") << two << QStringList{"network", "save", "x.ini"} << 2
                                              << "choose one with --port N or --serial NNNNNNNN.";
    QTest::newRow("two targets") << two << QStringList{"show", "--port", "1", "--all"} << 2
                                 << "Give one target only";
    QTest::newRow("none listed") << QVector<int>{} << QStringList{"power-off", "30", "--all"} << 1
                                 << "The measuring instruments is not connected.";
    QTest::newRow("list, none listed")
        << QVector<int>{} << QStringList{"list"} << 1 << "The measuring instruments is not connected.";
    // More than the window's device list holds: every one is reached.
    QVector<int> many;
    QStringList manySerials;
    for (int serial = 1; serial <= 150; ++serial) {
        many.append(serial);
        manySerials.append(QStringLiteral("%1").arg(serial, 8, 10, QLatin1Char('0')));
    }
    QTest::newRow("--all of 150") << many << QStringList{"power-off", "30", "--all"} << 0
                                  << manySerials.join(' ');
    QTest::newRow("list takes no target")
        << two << QStringList{"list", "--port", "1"} << 2 << "list does not take --port.";
    QTest::newRow("show has no dry run")
        << two << QStringList{"show", "--all", "--dry-run"} << 2 << "show does not take --dry-run.";
    QTest::newRow("45 minutes") << two << QStringList{"power-off", "45", "--all"} << 2
                                << "power-off needs off, 15, 30 or 60.";
    QTest::newRow("--port 0") << two << QStringList{"show", "--port", "0"} << 2 << "--port needs the number";
    QTest::newRow("unknown option") << two << QStringList{"show", "--everything"} << 2
                                    << "Unknown option: --everything";
}

void TestCli::targets()
{
    QFETCH(QVector<int>, serials);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);

    SimInstrumentDir sim;
    for (int i = 0; i < serials.size(); ++i) {
        QJsonObject json = instrument(serials[i]);
        // The second of two with one serial number is reached over the network.
        if (i > 0 && serials[i] == serials[i - 1])
            json.insert("portType", 2);
        sim.write(QStringLiteral("i%1").arg(i, 3, 10, QLatin1Char('0')), json);
    }
    const CliResult result = CliRunner(sim.path()).run(arguments);

    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0) {
        QStringList worked;
        for (const QString &line : resultLines(result))
            worked.append(line.left(8));
        QCOMPARE(worked.join(' '), expected);
        QCOMPARE(result.err.count("QLX_Connect -> 0"), worked.size());
    } else {
        QVERIFY2(result.errText().contains(expected), qPrintable(result.errText()));
        QVERIFY(!result.err.contains("QLX_Connect"));
        QVERIFY(result.out.isEmpty());
    }
}

// What one instrument's report says when a read fails that the window would take for a "no",
// when its texts hold control characters, and when it cannot be let go after a write.
void TestCli::oneInstrument_data()
{
    QTest::addColumn<QJsonObject>("keys"); ///< added to the instrument's file
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("shutdownMode");  ///< in the instrument afterwards
    QTest::addColumn<QStringList>("lines"); ///< on standard output, among others

    const QString port = QStringLiteral("00000001  KALDO-1(USB,Serial#00000001)  ");
    QTest::newRow("module query fails")
        << QJsonObject{{"faults", QJsonObject{{"QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA",
                                               QLX_ERROR_COMMUNICATION_SEND}}}}
        << QStringList{"show"} << 1 << 1
        << QStringList{port + "FAILED  Failed to read whether the wireless LAN module is enabled.",
                       "    Firmware Ver: 1.00.0000"};
    QTest::newRow("control characters")
        << QJsonObject{{"portType", 2},
                       {"portName", "lab\x1b]0;x\x07"},
                       {"network", QJsonObject{{"SSID", "a\nb\x1b[31m"}}}}
        << QStringList{"show"} << 0 << 1
        << QStringList{"00000001  KALDO-1(lab\\x1B]0;x\\x07,Serial#00000001)  OK",
                       "    SSID: a\\nb\\x1B[31m"};
    QTest::newRow("disconnect fails after the write")
        << QJsonObject{{"faults", QJsonObject{{"QLX_Disconnect", QLX_ERROR_DISCONNECT}}}}
        << QStringList{"power-off", "60"} << 1 << 3
        << QStringList{port + "FAILED  Successful device writing. Failed to device disconnect.",
                       "    Auto Power Off: 15minutes -> 60minutes"};
}

void TestCli::oneInstrument()
{
    QFETCH(QJsonObject, keys);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(int, shutdownMode);
    QFETCH(QStringList, lines);

    SimInstrumentDir sim;
    QJsonObject json = instrument(1);
    for (auto key = keys.begin(); key != keys.end(); ++key)
        json.insert(key.key(), key.value());
    sim.write("a", json);
    const CliResult result = CliRunner(sim.path()).run(arguments);

    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(sim.read("a").value("shutdownMode").toInt(), shutdownMode);
    const QStringList output = result.outText().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        QVERIFY2(output.contains(line), qPrintable(result.outText()));
    QVERIFY(!result.out.contains('\x1b'));
}

// The controller's debug lines appear only when QT_LOGGING_RULES asks for them, and then on
// standard error: standard output stays one JSON document.
void TestCli::debugLines_data()
{
    QTest::addColumn<QString>("rules");
    QTest::addColumn<bool>("logged");

    QTest::newRow("default") << QString() << false;
    QTest::newRow("asked for") << "default.debug=true" << true;
}

void TestCli::debugLines()
{
    QFETCH(QString, rules);
    QFETCH(bool, logged);

    SimInstrumentDir sim;
    sim.write("a", instrument(1));
    CliRunner cli(sim.path());
    QProcessEnvironment env = cli.environment();
    if (!rules.isEmpty())
        env.insert("QT_LOGGING_RULES", rules);
    const CliResult result = cli.run({"power-off", "15", "--json"}, env);

    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.json().value("exitStatus").toInt(), 0);
    QCOMPARE(result.err.contains("QLX_SetShutdownTime() success[mode:1]."), logged);
}

void TestCli::language_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("line");

    const QString japanese =
        QStringLiteral("00000001  KALDO-1(USB,Serial#00000001)  成功  測定器への書き込みが完了しました。");
    const QString english =
        QStringLiteral("00000001  KALDO-1(USB,Serial#00000001)  OK  Successful device writing.");
    QTest::newRow("--lang ja") << QStringList{"--lang", "ja"} << "C.UTF-8" << japanese;
    QTest::newRow("Japanese locale") << QStringList() << "ja_JP.UTF-8" << japanese;
    QTest::newRow("--lang en in a Japanese locale") << QStringList{"--lang=en"} << "ja_JP.UTF-8" << english;
}

void TestCli::language()
{
    QFETCH(QStringList, options);
    QFETCH(QString, locale);
    QFETCH(QString, line);

    SimInstrumentDir sim;
    sim.write("a", instrument(1));
    CliRunner cli(sim.path());
    QProcessEnvironment env = cli.environment();
    setChildLocale(env, locale);
    const CliResult result = cli.run(QStringList{"power-off", "60"} + options, env);

    QCOMPARE(result.exitCode, 0);
    QCOMPARE(resultLines(result), QStringList{line});
}

// One instrument's settings saved as the window's Write To File saves them, then loaded into
// another: both end up with the same network record.
// The SSID and key go from instrument to file and from file to instrument as the bytes they are,
// text or not.
void TestCli::saveThenLoad_data()
{
    QTest::addColumn<QJsonValue>("ssid");
    QTest::addColumn<QJsonValue>("key");
    QTest::addColumn<QByteArray>("ssidBytes"); ///< in the file
    QTest::newRow("text") << QJsonValue("Shop floor") << QJsonValue("k3y=x;y") << QByteArray("Shop floor");
    QTest::newRow("bytes of no text")
        << QJsonValue(QJsonObject{{"hex", "FFFE80C0AF"}}) << QJsonValue(QJsonObject{{"hex", "636166E9"}})
        << QByteArray::fromHex("fffe80c0af");
    // The reader drops outer blanks and quotes: the file holds such a text quoted once more.
    QTest::newRow("outer blanks") << QJsonValue(" Shop floor ") << QJsonValue("'k'")
                                  << QByteArray("\" Shop floor \"");
}

void TestCli::saveThenLoad()
{
    QFETCH(QJsonValue, ssid);
    QFETCH(QJsonValue, key);
    QFETCH(QByteArray, ssidBytes);
    SimInstrumentDir sim;
    QJsonObject source = instrument(1);
    source.insert("network", QJsonObject{{"APConnectUse", 1},
                                         {"DHCPUse", 0},
                                         {"IPAddress", "172.16.0.5"},
                                         {"SubnetMask", "255.255.0.0"},
                                         {"DefaultGateway", "172.16.0.1"},
                                         {"DNS", "172.16.0.2"},
                                         {"SSID", ssid},
                                         {"EncryptKey", key}});
    sim.write("a", source);
    sim.write("b", instrument(2));
    const QString file = m_files.filePath("saved.ini");
    CliRunner cli(sim.path());

    const CliResult saved = cli.run({"network", "save", file, "--serial", "1"});
    QCOMPARE(saved.exitCode, 0);
    QCOMPARE(resultLines(saved),
             QStringList{"00000001  KALDO-1(USB,Serial#00000001)  OK  Successful file writing."});
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().contains("\r\nSSID=" + ssidBytes + "\r\n"));
    const CliResult loaded = cli.run({"network", "load", file, "--port", "2"});
    QCOMPARE(loaded.exitCode, 0);
    QCOMPARE(sim.read("b").value("network"), sim.read("a").value("network"));
}

// A file operand is the file its bytes name. A name that is not text in the locale's encoding
// decodes to U+FFFD: the file that text names, lying beside, is neither read nor overwritten.
void TestCli::fileOperandBytes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("done"); ///< the instrument (load) or the file (save) was written
    QTest::newRow("load, UTF-8 name") << "load" << QByteArray("\xE6\xB8\xAC.ini") << 0 << true;
    QTest::newRow("save, UTF-8 name") << "save" << QByteArray("\xE6\xB8\xAC.ini") << 0 << true;
    QTest::newRow("load, name not UTF-8") << "load" << QByteArray("\xFF.ini") << 2 << false;
    QTest::newRow("save, name not UTF-8") << "save" << QByteArray("\xFF.ini") << 1 << false;
}

void TestCli::fileOperandBytes()
{
#ifdef Q_OS_WIN
    QSKIP("a Windows command line is UTF-16: every name is text");
#else
    QFETCH(QString, action);
    QFETCH(QByteArray, name);
    QFETCH(int, exitCode);
    QFETCH(bool, done);
    SimInstrumentDir sim;
    sim.write("a", instrument(1));
    QTemporaryDir folder;
    const QString decoded = writeTextFile(folder, QString::fromUtf8(name), kNetworkFile);
    // The name's bytes reach kt9-cli through the shell's printf, as octal escapes.
    QByteArray escaped;
    for (const char byte : name)
        escaped += '\\' + QByteArray::number(uchar(byte), 8);
    CliRunner cli(sim.path());
    cli.workingDirectory = folder.path();
    const CliResult result = cli.run({"-c", "exec \"$0\" network \"$1\" \"$(printf \"$2\")\"",
                                      KT9_CLI_PROGRAM, action, QString::fromLatin1(escaped)},
                                     cli.environment(), {}, QStringLiteral("/bin/sh"));
    QCOMPARE(result.exitCode, exitCode);
    const bool loaded = sim.read("a").value("network").toObject().value("SSID") == QJsonValue("NewNet");
    QFile file(decoded);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const bool saved = file.readAll() != kNetworkFile;
    QCOMPARE(loaded, done && action == QLatin1String("load"));
    QCOMPARE(saved, done && action == QLatin1String("save"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
#endif
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
