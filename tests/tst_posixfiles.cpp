// Faults of the file system that only a POSIX system makes for real: a device that fills up (a
// file-size limit), pipes and symbolic links where files are expected, and a folder the user may
// not write. This program alone uses them; a Windows build leaves it out as a whole.

#include "CliSupport.h"
#include "StderrCapture.h"
#include "files/CFileIO.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <future>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray BEFORE = "[Network]\r\nkept\r\n";
// Longer than the file the tool writes (about 230 bytes).
const QByteArray LONG_BEFORE = BEFORE + "; " + QByteArray(1000, 'x') + "\r\n";

// Writes into any file beyond `bytes` fail (EFBIG, with SIGXFSZ ignored) while the object lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
};

// Takes the right to create files in folder away while the object lives. Root may create files
// anywhere, so a process run as root acts as the user nobody meanwhile.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder) : m_folder(folder)
    {
        constexpr uid_t NOBODY = 65534;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        m_switched = geteuid() == 0 && seteuid(NOBODY) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_switched && seteuid(0) != 0)
            qFatal("cannot become root again");
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_folder;
    bool m_switched = false;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A folder that another user may enter, with net.ini that anyone may write. (Root acting as the
// user nobody keeps its group, so the group needs the same rights as the others.)
QString preparedFolder(const QTemporaryDir &dir, const QByteArray &before = BEFORE)
{
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::ExeOther);
    const QString path = dir.filePath(QStringLiteral("net.ini"));
    writeFile(path, before);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                    QFile::ReadOther | QFile::WriteOther);
    return path;
}

QlxNetworkInfo record()
{
    QlxNetworkInfo network{};
    std::strcpy(network.SSID, "LabNet");
    std::strcpy(network.EncryptKey, "key");
    return network;
}

bool save(const QString &path)
{
    return CFileIO().SetNetworkInfoToFile(QFile::encodeName(path).constData(), record());
}

QVector<int32_t> listedSerials()
{
    QlxPortInfo table[QLX_PORT_TABLE_CAPACITY] = {};
    uint32_t count = 0;
    QVector<int32_t> serials;
    if (qlxSucceeded(QLX_GetDevicePortList(table, &count, QLX_PORT_TABLE_CAPACITY))) {
        for (uint32_t i = 0; i < count; ++i)
            serials.append(table[i].serialNo);
    }
    return serials;
}

} // namespace

class TestPosixFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    // A device that fails in the middle of a write: every writer says so, and the file stays as
    // it was, byte for byte. Written in place, a longer content fails while room is made at the
    // file's end; a shorter one while the old bytes are overwritten (the limit lies below the
    // file's old size), so they are written back.
    void fullDevice_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("network file") << "network" << BEFORE;
        QTest::newRow("network file written in place, longer") << "in place" << BEFORE;
        QTest::newRow("network file written in place, shorter") << "in place" << LONG_BEFORE;
        QTest::newRow("instrument file") << "instrument" << QByteArray();
        // kt9-cli as a shell starts it: SIGXFSZ at its default, which would end the program.
        QTest::newRow("kt9-cli network save") << "kt9-cli" << BEFORE;
    }
    void fullDevice()
    {
        QFETCH(QString, writer);
        QFETCH(QByteArray, before);
        if (writer == QLatin1String("instrument")) {
            SimInstrumentDir sim;
            QJsonObject instrument = usbInstrument(5);
            instrument.insert(QStringLiteral("comment"), QString(4096, QLatin1Char('x')));
            sim.write(QStringLiteral("a"), instrument);
            QlxPortInfo port{};
            uint32_t count = 0;
            QVERIFY(qlxSucceeded(QLX_GetDevicePortList(&port, &count, 1)) && count == 1);
            QCOMPARE(QLX_Connect(&port, 10), int32_t(QLX_SUCCESS));
            const QString path = sim.filePath(QStringLiteral("a"));
            const QByteArray before = contentOf(path);
            QlxNetworkInfo network = record();
            StderrCapture capture;
            int32_t status = QLX_SUCCESS;
            {
                const FileSizeLimit limit(1024); // room for the lock file, not for the instrument
                status = QLX_SetNetworkInfo(&network);
            }
            QCOMPARE(status, int32_t(QLX_ERROR));
            QVERIFY2(capture.text().contains(QLatin1String("cannot be written")), qPrintable(capture.text()));
            QCOMPARE(contentOf(path), before);
            QCOMPARE(QDir(sim.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.json")});
            return;
        }
        QTemporaryDir dir;
        const QString path = preparedFolder(dir, before);
        if (writer == QLatin1String("kt9-cli")) {
            SimInstrumentDir sim;
            QJsonObject instrument = usbInstrument(1);
            instrument.insert(QStringLiteral("network"),
                              QJsonObject{{"SSID", "LabNet"}, {"EncryptKey", "key"}});
            sim.write(QStringLiteral("a"), instrument);
            const CliRunner cli(sim.path());
            // A shell cannot reset a signal ignored when it started: the child inherits the default.
            std::signal(SIGXFSZ, SIG_DFL);
            const CliResult result = cli.run({"-c", "ulimit -f 0; exec \"$0\" \"$@\"", KT9_CLI_PROGRAM,
                                              "network", "save", path, "--serial", "1"},
                                             cli.environment(), {}, QStringLiteral("/bin/sh"));
            std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(!result.crashed);
            QCOMPARE(result.exitCode, 1);
            QVERIFY2(result.out.contains("FAILED  Failed to write Network Infomation file data."),
                     result.out);
        }
        bool written = true;
        {
            std::optional<ReadOnlyFolder> readOnly;
            if (writer == QLatin1String("in place"))
                readOnly.emplace(dir.path());
            const FileSizeLimit limit(64);
            written = writer != QLatin1String("kt9-cli") && save(path);
        }
        QVERIFY(!written);
        QCOMPARE(contentOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("net.ini")});
    }

    // The default folder is filled again later when filling it failed.
    void defaultFolderOnFullDevice()
    {
        QTemporaryDir home;
        const QByteArray savedDir = qgetenv("QLXSDK_SIM_DIR");
        const QByteArray savedData = qgetenv("XDG_DATA_HOME");
        qunsetenv("QLXSDK_SIM_DIR");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QLXSIM_SetDirectory(nullptr);
        uint32_t countOnFullDevice = 1;
        QString report;
        {
            StderrCapture capture;
            const FileSizeLimit limit(512);
            QLX_GetDevicePortList(nullptr, &countOnFullDevice, 0);
            report = capture.text();
        }
        const bool folderLeft = QFileInfo::exists(home.filePath(QStringLiteral("qlxsdk-sim")));
        uint32_t countLater = 0;
        QLX_GetDevicePortList(nullptr, &countLater, 0);
        qputenv("QLXSDK_SIM_DIR", savedDir);
        qputenv("XDG_DATA_HOME", savedData);
        QLXSIM_SetDirectory(nullptr);

        QCOMPARE(countOnFullDevice, 0u);
        QVERIFY2(report.contains(QLatin1String("cannot be written")), qPrintable(report));
        QVERIFY(!folderLeft);
        QCOMPARE(countLater, 2u);
    }

    // Only a regular file, or a link to one, is replaced; a writable file in a folder the user may
    // not write is written in place.
    void unusualTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("written");
        QTest::newRow("pipe") << "pipe" << false;
        QTest::newRow("link to a pipe") << "link to a pipe" << false;
        QTest::newRow("link to a file") << "link to a file" << true;
        QTest::newRow("file in a read-only folder") << "read-only folder" << true;
        QTest::newRow("longer file in a read-only folder") << "read-only folder, longer file" << true;
    }
    void unusualTargets()
    {
        QFETCH(QString, target);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("net.ini"));
        const QString pipe = dir.filePath(QStringLiteral("pipe"));
        const QString real = dir.filePath(QStringLiteral("real.ini"));
        if (target == QLatin1String("pipe"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (target == QLatin1String("link to a pipe"))
            QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, path));
        if (target == QLatin1String("link to a file")) {
            writeFile(real, BEFORE);
            QVERIFY(QFile::link(real, path));
        }
        const QStringList entries =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        bool result = false;
        if (target.startsWith(QLatin1String("read-only folder"))) {
            preparedFolder(dir, target.endsWith(QLatin1String("longer file")) ? LONG_BEFORE : BEFORE);
            const ReadOnlyFolder readOnly(dir.path());
            result = save(path);
        } else {
            result = save(path);
        }

        QCOMPARE(result, written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 entries.isEmpty() ? QStringList{QStringLiteral("net.ini")} : entries);
        struct stat node = {};
        QCOMPARE(lstat(QFile::encodeName(path).constData(), &node), 0);
        if (target == QLatin1String("pipe"))
            QVERIFY(S_ISFIFO(node.st_mode));
        else if (target.startsWith(QLatin1String("link")))
            QVERIFY(S_ISLNK(node.st_mode));
        if (written) {
            QTemporaryDir other;
            QVERIFY(save(other.filePath(QStringLiteral("net.ini"))));
            QCOMPARE(contentOf(path), contentOf(other.filePath(QStringLiteral("net.ini"))));
        }
    }

    // An instrument file that links to a pipe, a device or a folder is skipped without being
    // opened: opening the pipe would wait for a writer for ever.
    void simulatorSkipsSpecialEntries()
    {
        SimInstrumentDir sim;
        sim.write(QStringLiteral("a"), usbInstrument(5));
        const QString pipe = QDir(sim.path()).filePath(QStringLiteral("pipe"));
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::link(pipe, sim.filePath(QStringLiteral("b-pipe"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), sim.filePath(QStringLiteral("c-device"))));
        QVERIFY(QDir(sim.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(QDir(sim.path()).filePath(QStringLiteral("folder")),
                            sim.filePath(QStringLiteral("d-folder"))));

        StderrCapture capture;
        auto listing = std::async(std::launch::async, listedSerials);
        const bool blocked = listing.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
        if (blocked)
            ::close(::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK)); // lets it go
        const QVector<int32_t> serials = listing.get();
        QVERIFY2(!blocked, "the listing waited on the pipe");
        QCOMPARE(serials, QVector<int32_t>{5});
        const QString report = capture.text();
        QVERIFY2(report.contains(QLatin1String("b-pipe.json: not a regular file")), qPrintable(report));
        QVERIFY2(report.contains(QLatin1String("c-device.json: not a regular file")), qPrintable(report));
    }
};

QTEST_GUILESS_MAIN(TestPosixFiles)
#include "tst_posixfiles.moc"
