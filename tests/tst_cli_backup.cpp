// kt9-cli's backup and restore, the copy made before a calibration write and the change
// record, run as a user runs them against simulated instruments. What the instruments hold is
// compared through their files, whose calibration values carry every bit.

#include "ChangeRecord.h"
#include "CliSupport.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// 32-bit floats as the simulated instrument file writes them: a JSON number where it carries
// the value exactly, else the bits.
QJsonArray values(int count, int seed, const QJsonArray &odd = {})
{
    QJsonArray array = odd;
    while (array.size() < count)
        array.append(seed + array.size() * 0.25);
    return array;
}

// An instrument with every setting of its own, the rest of its calibration record included.
QJsonObject instrument(int serialNo, int seed, const QJsonArray &oddValues = {})
{
    QJsonObject json = usbInstrument(serialNo);
    json.insert("shutdownMode", 2);
    json.insert("network", QJsonObject{{"APConnectUse", 1},
                                       {"DHCPUse", 0},
                                       {"IPAddress", QStringLiteral("10.0.%1.5").arg(seed)},
                                       {"SubnetMask", "255.255.255.0"},
                                       {"DefaultGateway", "10.0.0.1"},
                                       {"DNS", "10.0.0.2"},
                                       {"SSID", QStringLiteral("Lab, \"%1\"").arg(seed)},
                                       {"EncryptKey", "k=1;2"}});
    QByteArray other(2048, char(seed));
    json.insert("calibration", QJsonObject{{"whiteSerial", QStringLiteral("1001234%1").arg(seed)},
                                           {"ambientSerial", QStringLiteral("0002345%1").arg(seed)},
                                           {"whiteValues", values(38, seed, oddValues)},
                                           {"ambientValues", values(75, seed * 2, oddValues)},
                                           {"otherCalibData", QString::fromLatin1(other.toBase64())}});
    return json;
}

// What restore --calibration puts back.
QJsonObject settings(const QJsonObject &instrument)
{
    return {{"network", instrument.value("network")},
            {"shutdownMode", instrument.value("shutdownMode")},
            {"calibration", instrument.value("calibration")}};
}

QString whiteFile(const QByteArray &serial)
{
    QByteArrayList pieces;
    for (int i = 0; i < 38; ++i)
        pieces.append("0.75");
    return QString::fromLatin1("White\r\nvalues\r\n" + serial + "\r\n" + pieces.join(',') + "\r\n");
}

const QByteArray kRecordHeader("\xEF\xBB\xBFtime,user,computer,command,serial,setting,old,new,result\r\n");

#ifndef _WIN32
// kt9-cli started by a shell whose file-size limit is 1024 bytes, SIGXFSZ at its default.
QStringList limitedToOneBlock(const QStringList &arguments)
{
    return QStringList{"-c", "ulimit -f 1; exec \"$0\" \"$@\"", KT9_CLI_PROGRAM} + arguments;
}
#endif

// kt9-cli under umask 000 (on POSIX systems), where what it creates would be anyone's.
CliResult runUnderUmask000(const CliRunner &cli, const QStringList &arguments, const QProcessEnvironment &env)
{
#ifdef _WIN32
    return cli.run(arguments, env);
#else
    return cli.run(QStringList{"-c", "umask 000; exec \"$0\" \"$@\"", KT9_CLI_PROGRAM} + arguments, env, {},
                   "/bin/sh");
#endif
}

} // namespace

class TestCliBackup : public QObject
{
    Q_OBJECT

private slots:
    void backupThenRestore();
    void refused_data();
    void refused();
    void backupRefused_data();
    void backupRefused();
    void openFolder_data();
    void openFolder();
    void concurrentBackups();
    void copyBeforeRegister_data();
    void copyBeforeRegister();
    void halfRestored_data();
    void halfRestored();
    void recordFile_data();
    void recordFile();
    void concurrentAppends();
    void csvField_data();
    void csvField();

private:
    QTemporaryDir m_files;
};

// Three instruments backed up, changed in every setting, then restored: each holds again what
// it held, its calibration record bit for bit (odd floats, and a NaN and -0 that the value file
// cannot carry, which go raw into instrument.json, as does a network without a key).
void TestCliBackup::backupThenRestore()
{
    SimInstrumentDir sim;
    const QJsonArray odd{1.401298464324817e-45, 3.4028234663852886e+38, 0.10000000149011612,
                         -1.4999999853326784e-10};
    const QJsonArray unwritable{"0x7FC00001", "0x80000000"};
    QList<QJsonObject> originals{instrument(1, 1, odd), instrument(2, 2), instrument(3, 3, unwritable)};
    // A network without a key, which the window's network settings file cannot carry.
    QJsonObject network = originals[1].value("network").toObject();
    network.insert("EncryptKey", "");
    originals[1].insert("network", network);
    // Outer blanks, quotes and a tab, which the file carries quoted.
    network = originals[0].value("network").toObject();
    network.insert("SSID", " \"q\" ");
    network.insert("EncryptKey", "\t\"k\"");
    originals[0].insert("network", network);
    for (int i = 0; i < originals.size(); ++i)
        sim.write(QString::number(i), originals[i]);
    const QString folder = m_files.filePath("backup");
    CliRunner cli(sim.path());
    QProcessEnvironment env = cli.environment();
    env.insert("KT9_RECORD", m_files.filePath("backup-record/changes.csv"));

    const CliResult backup = runUnderUmask000(cli, {"backup", folder, "--all"}, env);
    QCOMPARE(backup.exitCode, 0);
    // Only the NaN and the -0 of the third instrument and the second one's network need
    // instrument.json.
    QCOMPARE(
        backup.out.count("cannot be written as a calibration value file; they are kept in instrument.json."),
        2);
    QCOMPARE(
        backup.out.count("cannot be written as a network settings file; they are kept in instrument.json."),
        1);
#ifndef _WIN32
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(folder + "/00000001") & others, QFile::Permissions());
    for (const QFileInfo &file : QDir(folder + "/00000001").entryInfoList(QDir::Files))
        QCOMPARE(file.permissions() & (others | QFile::ExeOwner), QFile::Permissions());
#endif
    // A second backup does not replace the first unless asked to, nor when the new one cannot
    // be written whole (the third instrument's instrument.json exceeds the file-size limit).
    QCOMPARE(cli.run({"backup", folder, "--all"}, env).exitCode, 1);
#ifndef _WIN32
    QCOMPARE(cli.run(limitedToOneBlock({"backup", folder, "--all", "--force"}), env, {}, "/bin/sh").exitCode,
             1);
#endif

    // Every setting changed; the rest of the calibration record, which the tool never
    // changes, stays.
    for (int i = 0; i < originals.size(); ++i) {
        QJsonObject changed = instrument(i + 1, 7);
        QJsonObject calibration = changed.value("calibration").toObject();
        calibration.insert("otherCalibData",
                           originals[i].value("calibration").toObject().value("otherCalibData"));
        changed.insert("calibration", calibration);
        changed.insert("shutdownMode", 3);
        sim.write(QString::number(i), changed);
    }

    const CliResult restored = runUnderUmask000(cli, {"restore", folder, "--all", "--calibration"}, env);
#ifndef _WIN32
    // Others may read the record, which holds no key, but not write it or enter its folder.
    QCOMPARE(QFile::permissions(env.value("KT9_RECORD")) & (others | QFile::ExeOwner),
             QFile::ReadGroup | QFile::ReadOther);
    QCOMPARE(QFile::permissions(m_files.filePath("backup-record")) & others, QFile::Permissions());
#endif
    QCOMPARE(restored.exitCode, 0);
    for (int i = 0; i < originals.size(); ++i)
        QCOMPARE(settings(sim.read(QString::number(i))), settings(originals[i]));

    // Every change is in the record, the key hidden.
    QVector<ChangeEntry> entries;
    QString error;
    QVERIFY(ChangeRecord(env.value("KT9_RECORD")).read(entries, error));
    QStringList settingsChanged;
    for (const ChangeEntry &entry : entries) {
        if (entry.serial == "00000001")
            settingsChanged.append(entry.setting);
        QVERIFY(entry.setting != "securityKey" || (entry.oldValue == "***" && entry.newValue == "***"));
    }
    QCOMPARE(settingsChanged,
             (QStringList{"ssid", "securityKey", "ipAddress", "powerOff", "whitePlate", "ambientAdapter"}));
}

// A backup that was changed, or that belongs to another instrument, writes nothing anywhere.
void TestCliBackup::refused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QStringList>("target");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("network.ini changed")
        << "edit" << QStringList{"--all"} << 2
        << "network.ini: the file does not match its SHA-256 in instrument.json.";
    QTest::newRow("A's folder named after B")
        << "rename" << QStringList{"--all"} << 2
        << "the backup of serial number 00000001 is in the folder of another instrument.";
    QTest::newRow("network.ini a pipe")
        << "fifo" << QStringList{"--all"} << 2 << "network.ini: not a regular file.";
    QTest::newRow("change record a pipe")
        << "record fifo" << QStringList{"--all"} << 2 << "not a regular file";
    QTest::newRow("network.ini without its SHA-256")
        << "files" << QStringList{"--all"} << 2 << "instrument.json lacks settings of the backup";
    QTest::newRow("powerOff contradicting powerOffMode")
        << "powerOff" << QStringList{"--all"} << 2 << "instrument.json lacks settings of the backup";
    QTest::newRow("white.csv of three lines, its SHA-256 matching")
        << "three lines" << QStringList{"--all"} << 2 << "white.csv: Failed to read file data.";
    QTest::newRow("white.csv of serial 1, its SHA-256 matching")
        << "serial 1" << QStringList{"--all"} << 2 << "white.csv: Failed to read file data.";
    QTest::newRow("B's instrument.json removed")
        << "no json" << QStringList{"--all"} << 2 << "instrument.json: not an instrument backup of kt9-cli.";
    QTest::newRow("change record named by no text")
        << "record not text" << QStringList{"--all"} << 2 << "the name is not text in the system's encoding.";
    QTest::newRow("A and B backed up with one static address")
        << "same address" << QStringList{"--all"} << 2
        << "The static address 10.0.1.5 would be given to more than one";
    // Nothing done is no success.
    QTest::newRow("B has no backup") << "only A" << QStringList{"--serial", "2"} << 1
                                     << "00000002  KALDO-1(USB,Serial#00000002)  SKIPPED";
}

void TestCliBackup::refused()
{
    QFETCH(QString, damage);
    QFETCH(QStringList, target);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    SimInstrumentDir sim;
    sim.write("a", instrument(1, 1));
    sim.write("b", instrument(2, 2));
    QTemporaryDir folder;
    CliRunner cli(sim.path());
    QCOMPARE(cli.run({"backup", folder.path(), "--all"}).exitCode, 0);
    QDir dir(folder.path());
    if (damage.endsWith("fifo")) {
#ifdef _WIN32
        QSKIP("no named pipes in the file system");
#else
        const QString fifo =
            damage == "fifo" ? dir.filePath("00000002/network.ini") : dir.filePath("rec.fifo");
        QFile::remove(fifo);
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (damage == "record fifo")
            target << "--record" << fifo;
#endif
    } else if (damage == "files" || damage == "powerOff" || damage == "three lines" || damage == "serial 1") {
        QFile file(dir.filePath("00000002/instrument.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        if (damage == "files") {
            json.insert("files", QJsonObject{});
        } else if (damage == "powerOff") {
            json.insert("powerOff", "off");
        } else {
            // A serial number without its values, or one registration refuses, with the hash
            // made to match.
            const QByteArray white =
                "White calibration plate\r\nkt9-cli backup\r\n" +
                (damage == "serial 1" ? "00000001\r\n0.5" + QByteArray(",0.5").repeated(37) + "\r\n"
                                      : QByteArray("10099999\r\n"));
            QFile csv(dir.filePath("00000002/white.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly | QIODevice::Truncate) && csv.write(white) == white.size());
            QJsonObject hashes = json.value("files").toObject();
            hashes.insert(
                "white.csv",
                QString::fromLatin1(QCryptographicHash::hash(white, QCryptographicHash::Sha256).toHex()));
            json.insert("files", hashes);
        }
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write(QJsonDocument(json).toJson()) > 0);
    } else if (damage == "same address") {
        QJsonObject b = instrument(2, 2);
        b.insert("network", instrument(1, 1).value("network"));
        sim.write("b", b);
        QCOMPARE(cli.run({"backup", folder.path(), "--all", "--force"}).exitCode, 0);
    } else if (damage == "no json") {
        QVERIFY(QFile::remove(dir.filePath("00000002/instrument.json")));
    } else if (damage == "edit") {
        QFile ini(dir.filePath("00000002/network.ini"));
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("DNS=1.1.1.1\r\n");
    } else {
        QVERIFY(QDir(dir.filePath("00000002")).removeRecursively());
        if (damage == "rename")
            QVERIFY(dir.rename("00000001", "00000002"));
    }
    sim.write("a", instrument(1, 5));
    sim.write("b", instrument(2, 5));
    const QMap<QString, QByteArray> before = instrumentFiles(sim.path());

    const QStringList arguments = QStringList{"restore", folder.path(), "--calibration"} + target;
#ifdef _WIN32
    if (damage == "record not text")
        QSKIP("a Windows command line is UTF-16: every name is text");
    const CliResult result = cli.run(arguments);
#else
    // The name's bytes reach kt9-cli through the shell's printf.
    const CliResult result =
        damage == "record not text"
            ? cli.run(QStringList{"-c", "exec \"$0\" \"$@\" --record \"$(printf '\\377.csv')\"",
                                  KT9_CLI_PROGRAM} +
                          arguments,
                      cli.environment(), {}, "/bin/sh")
            : cli.run(arguments);
#endif

    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((result.errText() + result.outText()).contains(message), qPrintable(result.errText()));
    QCOMPARE(instrumentFiles(sim.path()), before);
}

// A backup that restore would refuse, or that meets a link where it works, fails with the
// reason and leaves DIR and the link's target as they were; links at the scratch names of
// earlier versions are passed by.
void TestCliBackup::backupRefused_data()
{
    QTest::addColumn<QStringList>("planted"); ///< links in DIR to someone else's folder
    QTest::addColumn<QJsonObject>("change");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QString refused = "FAILED  Restore would refuse this backup, so it was not saved: %1/";
    QJsonObject network = instrument(1, 1).value("network").toObject();
    network.insert("APConnectUse", 2);
    const QJsonObject none;
    QTest::newRow("9 digits") << QStringList{} << QJsonObject{{"serialNo", 123456789}} << 1
                              << refused + "123456789/instrument.json: not an instrument backup";
    QTest::newRow("power-off 7") << QStringList{} << QJsonObject{{"shutdownMode", 7}} << 1
                                 << refused + "00000001/instrument.json: the power-off time is not";
    QTest::newRow("APConnectUse 2") << QStringList{} << QJsonObject{{"network", network}} << 1 << refused;
    QTest::newRow("link: SERIAL") << QStringList{"00000001"} << none << 1 << "%1/00000001 is a link or not a";
    QTest::newRow("link: .SERIAL.lock")
        << QStringList{".00000001.lock"} << none << 0 << "OK  Saved in %1/00000001.";
    QTest::newRow("links: .SERIAL.new, .SERIAL.old")
        << QStringList{".00000001.new", ".00000001.old"} << none << 0 << "OK  Saved in %1/00000001.";
}

void TestCliBackup::backupRefused()
{
    QFETCH(QStringList, planted);
    QFETCH(QJsonObject, change);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
#ifdef _WIN32
    if (!planted.isEmpty())
        QSKIP("a symbolic link needs a privilege on Windows");
#endif
    SimInstrumentDir sim;
    QJsonObject json = instrument(1, 1);
    for (auto it = change.begin(); it != change.end(); ++it)
        json.insert(it.key(), it.value());
    sim.write("a", json);
    QTemporaryDir dir;
    QTemporaryDir victim;
    writeTextFile(victim, "mine.txt", "mine");
    for (const QString &name : planted)
        QVERIFY(QFile::link(victim.path(), QDir(dir.path()).filePath(name)));

    const CliResult result = CliRunner(sim.path()).run({"backup", dir.path(), "--force"});
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.outText().contains(QDir::toNativeSeparators(message.arg(dir.path()))),
             qPrintable(result.outText()));
    QCOMPARE(QDir(victim.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"mine.txt"});
    QStringList left =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.removeAll(exitCode == 0 ? "00000001" : QString());
    left.sort();
    QCOMPARE(left, planted);
    // Nor does restore follow a link named after the instrument.
    if (planted == QStringList{"00000001"})
        QVERIFY(CliRunner(sim.path())
                    .run({"restore", dir.path()})
                    .errText()
                    .contains("00000001 is a link; restore"));
}

// What others may change, or what a backup did not write, is neither replaced by backup (its
// files could be links by the time they are removed) nor, where others may change it, taken by
// restore (its settings could be anyone's).
void TestCliBackup::openFolder_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("restoreExitCode");

    QTest::newRow("folder open to others") << "open folder"
                                           << "belongs to another user or others may change it" << 2;
    // Removing one of its names is harmless: backup replaces the folder.
    QTest::newRow("network.ini with a second name") << "hard link"
                                                    << "OK  Saved in" << 2;
    QTest::newRow("a file backup did not write") << "extra file"
                                                 << "holds files that backup did not write" << 0;
    QTest::newRow("DIR open to others, no sticky bit") << "open dir"
                                                       << "lacks the sticky bit" << 0;
}

void TestCliBackup::openFolder()
{
#ifdef _WIN32
    QSKIP("Windows files keep the access rights of their parent folder");
#else
    QFETCH(QString, change);
    QFETCH(QString, message);
    QFETCH(int, restoreExitCode);
    SimInstrumentDir sim;
    sim.write("a", instrument(1, 1));
    QTemporaryDir dir;
    CliRunner cli(sim.path());
    QCOMPARE(cli.run({"backup", dir.path()}).exitCode, 0);
    const QString folder = QDir(dir.path()).filePath("00000001");
    const QString network = QDir(folder).filePath("network.ini");
    if (change == "open folder")
        QVERIFY(
            QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOther | QFile::ExeOther));
    else if (change == "hard link")
        QCOMPARE(::link(QFile::encodeName(network).constData(),
                        QFile::encodeName(dir.filePath("copy")).constData()),
                 0);
    else if (change == "extra file")
        QVERIFY(QFile(QDir(folder).filePath("notes.txt")).open(QIODevice::WriteOnly));
    else
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::permissions(dir.path()) | QFile::WriteOther | QFile::ExeOther));
    QFile file(network);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const CliResult restore = cli.run({"restore", dir.path(), "--dry-run"});
    QCOMPARE(restore.exitCode, restoreExitCode);
    if (restoreExitCode != 0)
        QVERIFY2(restore.errText().contains("restore does not take it"), qPrintable(restore.errText()));
    const CliResult backup = cli.run({"backup", dir.path(), "--force"});
    QCOMPARE(backup.exitCode, message.startsWith("OK") ? 0 : 1);
    QVERIFY2(backup.outText().contains(message), qPrintable(backup.outText()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
#endif
}

// Two kt9-cli processes backing up the same instruments into one folder at once take turns on
// each instrument; every folder they report saved passes restore's checks.
void TestCliBackup::concurrentBackups()
{
    SimInstrumentDir sim;
    for (int i = 1; i <= 30; ++i) {
        // Each its own static address, which restore requires of several instruments.
        QJsonObject json = instrument(i, i % 10);
        QJsonObject network = json.value("network").toObject();
        network.insert("IPAddress", QStringLiteral("10.1.%1.5").arg(i));
        json.insert("network", network);
        sim.write(QString::number(i), json);
    }
    QTemporaryDir dir;
    CliRunner cli(sim.path());
    for (int round = 0; round < 5; ++round) {
        QProcess backups[2];
        for (QProcess &backup : backups) {
            backup.setProcessEnvironment(cli.environment());
            backup.start(KT9_CLI_PROGRAM, {"backup", dir.path(), "--all", "--force"});
        }
        for (QProcess &backup : backups)
            QVERIFY2(backup.waitForFinished(120000) && backup.exitCode() == 0,
                     backup.readAllStandardOutput().constData());
        QCOMPARE(cli.run({"restore", dir.path(), "--all", "--dry-run"}).exitCode, 0);
    }
}

// register first saves what it overwrites; when that copy cannot be saved it writes nothing.
void TestCliBackup::copyBeforeRegister_data()
{
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("copy saved") << "writable" << 0;
    QTest::newRow("data location is a file") << "file" << 1;
    QTest::newRow("data location read-only") << "read-only" << 1;
    QTest::newRow("data location full") << "full" << 1;
}

void TestCliBackup::copyBeforeRegister()
{
    QFETCH(QString, dataFolder);
    QFETCH(int, exitCode);
#ifdef _WIN32
    QSKIP("a Windows program's data location is its profile's, which no environment variable moves");
#endif

    SimInstrumentDir sim;
    // A NaN goes raw into instrument.json, which then exceeds a file-size limit of 1024 bytes.
    const QJsonObject original =
        instrument(1, 1, dataFolder == "full" ? QJsonArray{"0x7FC00001"} : QJsonArray{});
    sim.write("a", original);
    QTemporaryDir data;
    QString dataHome = data.path();
    if (dataFolder == "file") {
        dataHome = writeTextFile(m_files, "not-a-folder", "x") + "/data";
    } else if (dataFolder == "read-only") {
#ifndef _WIN32
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the row above fails the copy for root too");
#endif
        QVERIFY(QFile::setPermissions(data.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    CliRunner cli(sim.path());
    QProcessEnvironment env = cli.environment();
    env.insert("XDG_DATA_HOME", dataHome);
    env.insert("KT9_RECORD", m_files.filePath("register-record.csv"));
    const QString file = writeTextFile(m_files, "white.csv", whiteFile("10099999").toLatin1());

    const QStringList arguments{"register", "white", file};
#ifndef _WIN32
    const CliResult result = dataFolder == "full" ? cli.run(limitedToOneBlock(arguments), env, {}, "/bin/sh")
                                                  : cli.run(arguments, env);
#else
    const CliResult result = cli.run(arguments, env);
#endif
    QFile::setPermissions(data.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(result.exitCode, exitCode);
    const QString serial = sim.read("a").value("calibration").toObject().value("whiteSerial").toString();
    if (exitCode != 0) {
        QCOMPARE(serial, QStringLiteral("10012341"));
        QVERIFY2(result.outText().contains("could not be saved"), qPrintable(result.outText()));
        QVERIFY(!result.err.contains("QLX_JIG_SetFactoryCalib_CALREFDATA"));
        if (dataFolder == "full")
            return;
        // Neither does restore --calibration, its other settings included.
        const QString folder = m_files.filePath("backup-" + dataFolder);
        // (Backed up with a data location of its own: a backup's lock file lies in it.)
        QCOMPARE(cli.run({"backup", folder}).exitCode, 0);
        sim.write("a", instrument(1, 5));
        const QMap<QString, QByteArray> before = instrumentFiles(sim.path());
        QCOMPARE(cli.run({"restore", folder, "--calibration"}, env).exitCode, 1);
        QCOMPARE(instrumentFiles(sim.path()), before);
        return;
    }
    QCOMPARE(serial, QStringLiteral("10099999"));
    const QRegularExpressionMatch saved =
        QRegularExpression("Current calibration references saved in (\\S+)\\. ").match(result.outText());
    QVERIFY2(saved.hasMatch(), qPrintable(result.outText()));
    QVERIFY(saved.captured(1).startsWith(data.path() + "/kt9-config/backups/00000001/"));
    // The copy undoes the registration.
    QCOMPARE(cli.run({"restore", saved.captured(1), "--calibration"}, env).exitCode, 0);
    QCOMPARE(sim.read("a").value("calibration"), original.value("calibration"));
}

// A restore whose later write fails records and reports each change with its own outcome, and
// a switch value other than 0 and 1 is listed as the change it is.
void TestCliBackup::halfRestored_data()
{
    QTest::addColumn<QString>("fault"); ///< the function that fails
    QTest::addColumn<int>("apConnectUse");
    QTest::addColumn<QString>("recorded"); ///< setting:result
    QTest::addColumn<QString>("line");     ///< on standard output

    QTest::newRow("power-off write fails")
        << "QLX_SetShutdownTime" << 1
        << "ssid:succeeded ipAddress:succeeded powerOff:failed whitePlate:failed ambientAdapter:failed"
        << "    Auto Power Off: 60minutes -> 30minutes (not written)";
    QTest::newRow("calibration write fails")
        << "QLX_JIG_SetFactoryCalib_CALREFDATA" << 1
        << "ssid:succeeded ipAddress:succeeded powerOff:succeeded whitePlate:failed ambientAdapter:failed"
        << "    Auto Power Off: 60minutes -> 30minutes";
    QTest::newRow("wireless LAN switch 2")
        << QString() << 2
        << "wirelessLan:succeeded ssid:succeeded ipAddress:succeeded "
           "powerOff:succeeded whitePlate:succeeded ambientAdapter:succeeded"
        << "    Wireless LAN: Enable (2) -> Enable";
}

void TestCliBackup::halfRestored()
{
    QFETCH(QString, fault);
    QFETCH(int, apConnectUse);
    QFETCH(QString, recorded);
    QFETCH(QString, line);

    SimInstrumentDir sim;
    sim.write("a", instrument(1, 1));
    QTemporaryDir folder;
    CliRunner cli(sim.path());
    QCOMPARE(cli.run({"backup", folder.path()}).exitCode, 0);
    QJsonObject changed = instrument(1, 4);
    changed.insert("shutdownMode", 3);
    QJsonObject network = changed.value("network").toObject();
    network.insert("APConnectUse", apConnectUse);
    changed.insert("network", network);
    if (!fault.isEmpty())
        changed.insert("faults", QJsonObject{{fault, QLX_ERROR_COMMUNICATION_SEND}});
    sim.write("a", changed);
    QProcessEnvironment env = cli.environment();
    const QString record = m_files.filePath(QStringLiteral("half-%1.csv").arg(QTest::currentDataTag()));
    env.insert("KT9_RECORD", record);
    env.insert("XDG_DATA_HOME", m_files.filePath("half-restored-data"));

    const CliResult result = cli.run({"restore", folder.path(), "--calibration"}, env);
    QCOMPARE(result.exitCode, fault.isEmpty() ? 0 : 1);
    QStringList results;
    QString error;
    QVERIFY(ChangeRecord(record).read(
        [&](const ChangeEntry &e) { results.append(e.setting + ':' + e.result); }, error));
    QCOMPARE(results.join(' '), recorded);
    QVERIFY2(result.outText().split('\n').contains(line), qPrintable(result.outText()));
}

// The record and the folders it creates are the user's, whatever the umask; an append that a
// file-size limit cuts short fails the instrument and is taken back; a last line without its
// line end (a hand edit) gets it first; history names a record's first damaged line and fails.
void TestCliBackup::recordFile_data()
{
    QTest::addColumn<QString>("shell");    ///< what the shell does before power-off (%1: the record)
    QTest::addColumn<QByteArray>("lines"); ///< of the record, after its header; empty: no record
    QTest::addColumn<int>("exitCode");     ///< of power-off
    QTest::addColumn<int>("historyExitCode");
    QTest::addColumn<QString>("pattern"); ///< in what power-off and history print

    const QByteArray line("t,u,c,power-off,00000001,powerOff,15,60,succeeded\r\n");
#ifndef _WIN32
    // The user is the account's, whatever USER says.
    QTest::newRow("umask 000") << "umask 000; export USER=mallory" << QByteArray() << 0 << 0
                               << "powerOff: 15 -> 60  succeeded  " +
                                      QRegularExpression::escape(
                                          QString::fromLocal8Bit(getpwuid(geteuid())->pw_name)) +
                                      '@';
#endif
    // With the limit of 1024 bytes, the next line exceeds it.
    QTest::newRow("file-size limit")
        << "ulimit -f 1" << line.repeated(18) << 1 << 0
        << "FAILED  Successful device writing\\. Written, but not recorded\\. The "
           "change record \\S+ cannot be written: File too large(.|\\n)*NOT DONE(.|\\n)*Stopped because the "
           "change record could not be written";
    // A damaged record is not appended to: the lines added would be read as part of it.
    QTest::newRow("quote not closed") << ":" << line + "t,u,c,power-off,00000001,\"powerOff,15,60,x\r\n"
                                      << 2 << 1 << "line 3: a quoted value is not closed";
    QTest::newRow("eight fields") << ":"
                                  << QByteArray("t,u,c,\"power\r\noff\",00000001,powerOff,15,60,x\r\n"
                                                "t,u,c,power-off,00000001,powerOff,15,60\r\n")
                                  << 2 << 1 << "line 4: 8 fields instead of 9";
    QTest::newRow("a pipe as its lock file")
        << "mkfifo %1.lock" << line << 2 << 0 << "cannot be written: cannot lock \\S+: not a regular file";
    // A shell profile, which must not receive a line whose SSID the shell would run.
    QTest::newRow("a link") << "echo 'export PATH' >%1.sh; ln -s %1.sh %1" << QByteArray() << 2 << 1
                            << "cannot be written: a link, not a file of its own";
    QTest::newRow("another file") << "echo 'export PATH' >%1" << QByteArray() << 2 << 1
                                  << "cannot be written: not a change record of kt9-cli";
    QTest::newRow("no last line end")
        << ":" << QByteArray("t,u,c,power-off,00000001,powerOff,15,60,edited") << 0 << 0
        << "edited  u@c\\n\\S+  00000001  power-off  powerOff: 15 -> 60  succeeded";
}

void TestCliBackup::recordFile()
{
#ifdef _WIN32
    QSKIP("file modes and file-size limits are POSIX matters");
#else
    QFETCH(QString, shell);
    QFETCH(QByteArray, lines);
    QFETCH(int, exitCode);
    QFETCH(int, historyExitCode);
    QFETCH(QString, pattern);
    // An instrument whose file stays below the limit.
    SimInstrumentDir sim;
    sim.write("a", usbInstrument(1));
    sim.write("b", usbInstrument(2));
    CliRunner cli(sim.path());
    QTemporaryDir dir;
    const QString record = dir.filePath("new/folder/changes.csv");
    if (!lines.isEmpty() || exitCode == 2)
        QVERIFY(QDir().mkpath(dir.filePath("new/folder")));
    if (!lines.isEmpty())
        writeTextFile(dir, "new/folder/changes.csv", kRecordHeader + lines);
    const CliResult result =
        cli.run(QStringList{"-c", (shell.contains("%1") ? shell.arg(record) : shell) + "; exec \"$0\" \"$@\"",
                            KT9_CLI_PROGRAM, "power-off", "60", "--all", "--record", record},
                cli.environment(), {}, "/bin/sh");
    const CliResult history = cli.run({"history", "--record", record});

    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(history.exitCode, historyExitCode);
    const QString printed = result.outText() + result.errText() + history.outText() + history.errText();
    QVERIFY2(QRegularExpression(pattern).match(printed).hasMatch(), qPrintable(printed));
    // Refused before anything was written, else written whatever became of the record.
    QCOMPARE(sim.read("a").value("shutdownMode").toInt() == 3, exitCode != 2);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (exitCode != 0)
        QCOMPARE(file.readAll(),
                 exitCode == 2 && lines.isEmpty() ? QByteArray("export PATH\n") : kRecordHeader + lines);
    if (!lines.isEmpty() || exitCode != 0)
        return;
    const auto mode = [](const QString &path) {
        return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    };
    QCOMPARE(mode(record), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QCOMPARE(mode(dir.filePath("new")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(mode(dir.filePath("new/folder")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
}

// Two processes appending 500 lines each at once: 1000 whole lines, none lost.
void TestCliBackup::concurrentAppends()
{
    const QString path = m_files.filePath("shared-record.csv");
    QProcess first;
    QProcess second;
    first.start(RECORD_WRITER_PROGRAM, {path, "first", "500"});
    second.start(RECORD_WRITER_PROGRAM, {path, "second", "500"});
    QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);

    QVector<ChangeEntry> entries;
    QString error;
    QVERIFY(ChangeRecord(path).read(entries, error));
    QCOMPARE(entries.size(), 1000);
    QMap<QString, QSet<QString>> seen;
    for (const ChangeEntry &entry : entries) {
        QCOMPARE(entry.oldValue, QStringLiteral("a,\"b\"\nc"));
        QCOMPARE(entry.newValue, QString(200, QLatin1Char('x')));
        QCOMPARE(entry.result, QStringLiteral("succeeded"));
        seen[entry.user].insert(entry.serial);
    }
    QCOMPARE(seen.value("first").size(), 500);
    QCOMPARE(seen.value("second").size(), 500);
}

void TestCliBackup::csvField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("field");

    QTest::newRow("plain") << "Lab 1"
                           << "Lab 1";
    QTest::newRow("comma, quote, line break") << "a,\"b\"\r\nc"
                                              << "\"a,\"\"b\"\"\r\nc\"";
    QTest::newRow("formula") << "=1+2"
                             << "'=1+2";
    QTest::newRow("apostrophe first") << "'=x"
                                      << "''=x";
    QTest::newRow("Japanese") << QStringLiteral("研究室のLAN") << QStringLiteral("研究室のLAN");
    QTest::newRow("empty") << ""
                           << "";
}

// A value written as a field and read back from a line among others is the same value.
void TestCliBackup::csvField()
{
    QFETCH(QString, value);
    QFETCH(QString, field);

    QCOMPARE(ChangeRecord::csvField(value), field);
    const QString text = "a," + field + ",b\r\nnext,line\r\n";
    const QVector<QStringList> lines = ChangeRecord::parseCsv(text);
    QCOMPARE(lines, (QVector<QStringList>{{"a", value, "b"}, {"next", "line"}}));
}

QTEST_GUILESS_MAIN(TestCliBackup)
#include "tst_cli_backup.moc"
