// The simulated instrument library, driven through its C interface and its JSON files.

#include "StderrCapture.h"
#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>

namespace {

struct RecordedEvent
{
    int32_t code;
    std::thread::id thread;
};

std::mutex g_eventsMutex;
QVector<RecordedEvent> g_events;

void recordEvent(int32_t code, int32_t, int32_t)
{
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    g_events.append({code, std::this_thread::get_id()});
}

// A handler that, like a careless client, talks to the library from the event thread.
void disconnectOnEvent(int32_t code, int32_t rawDataCount, int32_t error)
{
    recordEvent(code, rawDataCount, error);
    QlxDeviceInfo info{};
    QLX_GetDeviceInfo(&info);
    QLX_Disconnect();
}

int32_t deviceInfoStatus();

// The instrument file that pullAndDisconnect replaces with a folder.
QString g_pulledFile;
constexpr int32_t kPullEvent = 3;

// A handler run by QLXSIM_FireEvent that pulls the instrument, waits until the library's watch has
// seen the loss (its lost-connection event then waits for this handler), and ends the session.
// A folder in place of the file tells the two apart: the calls report it as malformed until
// the watch marks the session lost.
void pullAndDisconnect(int32_t code, int32_t rawDataCount, int32_t error)
{
    recordEvent(code, rawDataCount, error);
    if (code != kPullEvent)
        return;
    QFile::remove(g_pulledFile);
    QDir().mkdir(g_pulledFile);
    const QDeadlineTimer deadline(5000);
    while (deviceInfoStatus() != QLX_ERROR_INSTRUMENT_UNAVAILABLE && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    QLX_Disconnect();
}

QVector<int32_t> eventCodes()
{
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    QVector<int32_t> codes;
    for (const RecordedEvent &event : g_events)
        codes.append(event.code);
    return codes;
}

template <typename T> QByteArray bytesOf(const T &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

// The record a Get call fills, from a buffer of filler bytes; empty when the call fails.
template <typename Record> QByteArray fetched(int32_t (*get)(Record *))
{
    Record record;
    std::memset(&record, 0x5A, sizeof record);
    if (!qlxSucceeded(get(&record)))
        return {};
    return bytesOf(record);
}

QVector<int32_t> listedSerials()
{
    QlxPortInfo table[QLX_PORT_TABLE_CAPACITY] = {};
    uint32_t count = 0;
    if (!qlxSucceeded(QLX_GetDevicePortList(table, &count, QLX_PORT_TABLE_CAPACITY)))
        return {};
    QVector<int32_t> serials;
    for (uint32_t i = 0; i < count; ++i)
        serials.append(table[i].serialNo);
    return serials;
}

// Connects to the listed instrument with the given serial number.
int32_t connectTo(int32_t serialNo)
{
    QlxPortInfo table[QLX_PORT_TABLE_CAPACITY] = {};
    uint32_t count = 0;
    QLX_GetDevicePortList(table, &count, QLX_PORT_TABLE_CAPACITY);
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].serialNo == serialNo)
            return QLX_Connect(&table[i], 10);
    }
    return QLX_ERROR_CONNECT;
}

int32_t deviceInfoStatus()
{
    QlxDeviceInfo info{};
    return QLX_GetDeviceInfo(&info);
}

QlxCalRefData patternedCalibration()
{
    QlxCalRefData data{};
    const uint8_t white[] = {0x12, 0x34, 0x56, 0x78};
    const uint8_t ambient[] = {0x00, 0x05, 0x43, 0x21};
    std::memcpy(data.rfWhite.serialNo, white, sizeof white);
    std::memcpy(data.rfAmbient.serialNo, ambient, sizeof ambient);
    for (std::size_t i = 0; i < QLX_WHITE_VALUE_COUNT; ++i)
        data.rfWhite.spcData[i] = 0.9f + 0.001f * float(i);
    for (std::size_t i = 0; i < QLX_AMBIENT_VALUE_COUNT; ++i)
        data.rfAmbient.spcData[i] = 1.0f / float(i + 3);
    for (std::size_t i = 0; i < QLX_OTHER_CALIB_DATA_SIZE; ++i)
        data.otherCalibData[i] = uint8_t(i * 31 + 7);
    return data;
}

const QString kCalibration = QStringLiteral("calibration");
const QString kNetwork = QStringLiteral("network");

// Starts sim_probe (beside this program) on the instruments of dir. Text mode: the probe's C
// runtime may end its lines with CR LF (on Windows it does).
void startProbe(QProcess &probe, const SimInstrumentDir &dir, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QLXSDK_SIM_DIR", dir.path());
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationDirPath() + "/sim_probe", arguments,
                QIODevice::ReadOnly | QIODevice::Text);
}

} // namespace

class tst_Simulator : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        g_events.clear();
    }
    void cleanup()
    {
        qunsetenv("QLXSDK_SIM_TRACE");
        QLX_RegisterDeviceEventHandler(nullptr);
    }

    void listing_data();
    void listing();
    void changedRightAfterACall_data();
    void changedRightAfterACall();
    void portListCapacity();
    void fileValues();
    void defaults();
    void persistence();
    void floatsBitExact_data();
    void floatsBitExact();
    void faults_data();
    void faults();
    void sessionErrors_data();
    void sessionErrors();
    void readBackDiffers();
    void latency();
    void lostAndRegained_data();
    void lostAndRegained();
    void noEventAfterSessionEnds_data();
    void noEventAfterSessionEnds();
    void handlerMayCallTheLibrary_data();
    void handlerMayCallTheLibrary();
    void twoProcessesWriteOneInstrument();
    void fireEvent();
    void defaultFolder();
    void configuredFolderNeverCreated_data();
    void configuredFolderNeverCreated();
    void trace();
    void exitWithOpenSession();
};

void tst_Simulator::listing_data()
{
    QTest::addColumn<QString>("badName");
    QTest::addColumn<QByteArray>("badContent");
    QTest::addColumn<bool>("reported");

    QTest::newRow("unplugged") << "b" << QByteArray(R"({"serialNo": 9, "unplugged": true})") << false;
    QTest::newRow("other extension") << "b.txt" << QByteArray(R"({"serialNo": 9})") << false;
    QTest::newRow("empty") << "b" << QByteArray() << true;
    QTest::newRow("not JSON") << "b" << QByteArray("serialNo = 9") << true;
    QTest::newRow("not an object") << "b" << QByteArray("[1, 2]") << true;
    QTest::newRow("wrong type") << "b" << QByteArray(R"({"portType": "USB"})") << true;
    QTest::newRow("fraction") << "b" << QByteArray(R"({"serialNo": 1.5})") << true;
    QTest::newRow("byte out of range") << "b" << QByteArray(R"({"shutdownMode": 256})") << true;
    QTest::newRow("port name too long")
        << "b" << QByteArray(R"({"portName": "123456789012345678901234567890123456"})") << true;
    QTest::newRow("wrong count") << "b" << QByteArray(R"({"calibration": {"whiteValues": [1, 2, 3]}})")
                                 << true;
    QTest::newRow("float out of range")
        << "b" << QByteArray(R"({"calibration": {"ambientValues": [1e39]}})") << true;
    QTest::newRow("bad hex") << "b" << QByteArray(R"({"calibration": {"whiteSerial": "1234567G"}})") << true;
    QTest::newRow("short hex") << "b" << QByteArray(R"({"calibration": {"ambientSerial": "123456"}})")
                               << true;
    QTest::newRow("bad base64") << "b" << QByteArray(R"({"calibration": {"otherCalibData": "!!!!"}})")
                                << true;
    QTest::newRow("short base64") << "b" << QByteArray(R"({"calibration": {"otherCalibData": "AAAA"}})")
                                  << true;
    QTest::newRow("octet too big") << "b" << QByteArray(R"({"network": {"IPAddress": "192.168.0.256"}})")
                                   << true;
    QTest::newRow("three octets") << "b" << QByteArray(R"({"network": {"DNS": "8.8.8"}})") << true;
    QTest::newRow("bad MAC") << "b" << QByteArray(R"({"macAddress": "0A:B0:00:01:FF"})") << true;
    QTest::newRow("unknown fault") << "b" << QByteArray(R"({"faults": {"QLX_Conect": -9998}})") << true;
}

// Instruments are listed in file-name order; files that are not instruments are skipped and
// the malformed ones reported with their name.
void tst_Simulator::listing()
{
    QFETCH(QString, badName);
    QFETCH(QByteArray, badContent);
    QFETCH(bool, reported);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("c"), usbInstrument(3));
    dir.write(QStringLiteral("a"), usbInstrument(1));
    QFile bad(QDir(dir.path()).filePath(badName.contains(QLatin1Char('.')) ? badName : badName + ".json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(badContent);
    bad.close();

    StderrCapture stderrCapture;
    QCOMPARE(listedSerials(), (QVector<int32_t>{1, 3}));
    QCOMPARE(stderrCapture.text().contains(QFileInfo(bad).fileName()), reported);
}

void tst_Simulator::changedRightAfterACall_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int32_t>("connectSerial");
    QTest::addColumn<int32_t>("connectStatus");
    QTest::addColumn<QVector<int32_t>>("listed");

    QTest::newRow("edited in place, same size and time")
        << "edit" << 1 << int32_t(QLX_ERROR_CONNECT) << QVector<int32_t>{2, 3};
    QTest::newRow("unplugged") << "unplug" << 1 << int32_t(QLX_ERROR_CONNECT) << QVector<int32_t>{3};
    QTest::newRow("removed") << "remove" << 1 << int32_t(QLX_ERROR_CONNECT) << QVector<int32_t>{3};
    QTest::newRow("added") << "add" << 2 << int32_t(QLX_SUCCESS) << QVector<int32_t>{1, 2, 3};
}

// A file changed at once after a call, even within the same time stamp as the file had when that
// call read it, is seen by the next call: by a listing and by a connect alike.
void tst_Simulator::changedRightAfterACall()
{
    QFETCH(QString, change);
    QFETCH(int32_t, connectSerial);
    QFETCH(int32_t, connectStatus);
    QFETCH(QVector<int32_t>, listed);
#ifdef _WIN32
    if (change == QLatin1String("edit"))
        QSKIP("Windows has no change time of a file's metadata that Qt reports: there an edit is "
              "seen by its size or modification time");
#endif

    for (const bool connectFirst : {true, false}) {
        SimInstrumentDir dir;
        const QDateTime longAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
        for (int serial : {1, 3}) {
            dir.write(QString::number(serial), usbInstrument(serial));
            QFile file(dir.filePath(QString::number(serial)));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        QCOMPARE(listedSerials(), (QVector<int32_t>{1, 3}));

        QFile first(dir.filePath(QStringLiteral("1")));
        if (change == QLatin1String("remove")) {
            QVERIFY(first.remove());
        } else if (change == QLatin1String("add")) {
            dir.write(QStringLiteral("2"), usbInstrument(2));
        } else {
            QJsonObject edited = usbInstrument(change == QLatin1String("edit") ? 2 : 1);
            if (change == QLatin1String("unplug"))
                edited.insert(QStringLiteral("unplugged"), true);
            QVERIFY(first.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(first.write(QJsonDocument(edited).toJson()) > 0 && first.flush());
            QVERIFY(first.setFileTime(longAgo, QFileDevice::FileModificationTime));
            first.close();
        }

        QlxPortInfo port{};
        port.portType = QLX_PORT_TYPE_USB;
        port.serialNo = connectSerial;
        if (!connectFirst)
            QCOMPARE(listedSerials(), listed);
        QCOMPARE(QLX_Connect(&port, 0), connectStatus);
        QCOMPARE(listedSerials(), listed);
    }
}

void tst_Simulator::portListCapacity()
{
    SimInstrumentDir dir;
    for (int serial : {1, 2, 3})
        dir.write(QString::number(serial), usbInstrument(serial));

    QlxPortInfo table[3];
    std::memset(table, 0x5A, sizeof table);
    const QByteArray untouched = bytesOf(table[2]);
    uint32_t count = 0;
    QCOMPARE(QLX_GetDevicePortList(table, &count, 2), int32_t(QLX_SUCCESS));
    QCOMPARE(count, 3u);
    QCOMPARE(table[1].serialNo, 2);
    QCOMPARE(bytesOf(table[2]), untouched);
    QCOMPARE(QLX_GetDevicePortList(nullptr, &count, 0), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_GetDevicePortList(table, nullptr, 3), int32_t(QLX_ERROR_ARGUMENT));
}

void tst_Simulator::fileValues()
{
    SimInstrumentDir dir;
    const QByteArray longSsid(40, 's');
    dir.write(QStringLiteral("a"),
              QJsonObject{{"portType", 2},
                          {"portName", "10.1.2.3"},
                          {"serialNo", 7654321},
                          {"firmware", QJsonObject{{"major", 3}, {"minor", 4}, {"build", 5}}},
                          {"macAddress", "0A:b0:00:01:FF:10"},
                          {"wifiModuleEnable", 2},
                          {"shutdownMode", 5},
                          {"network", QJsonObject{{"APConnectUse", 2},
                                                  {"DHCPUse", 0},
                                                  {"SubnetMask", "255.255.254.0"},
                                                  {"SSID", QString::fromLatin1(longSsid)},
                                                  {"EncryptKey", QStringLiteral("k\u00e9y")}}},
                          {"calibration", QJsonObject{{"whiteSerial", "ABCDEF12"}}}});
    QCOMPARE(connectTo(7654321), int32_t(QLX_SUCCESS));

    QlxDeviceInfo info;
    QlxNetworkInfo network;
    QlxShutdownMode mode = 0;
    QlxActionOptionData options;
    QlxCalRefData calibration;
    QCOMPARE(QLX_GetDeviceInfo(&info), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_GetNetworkInfo(&network), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_GetShutdownTime(&mode), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(&options), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_JIG_GetFactoryCalib_CALREFDATA(&calibration), int32_t(QLX_SUCCESS));

    QCOMPARE(info.serialNo, 7654321);
    QCOMPARE(QString::asprintf("%u.%d.%d", info.firmMajor, info.firmMinor, info.firmBuild),
             QStringLiteral("3.4.5"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(info.macAddress), 6).toHex(),
             QByteArray("0ab00001ff10"));
    QCOMPARE(options.wifiModuleEnable, uint8_t(2));
    QCOMPARE(mode, QlxShutdownMode(5));
    QCOMPARE(network.APConnectUse, 2);
    QCOMPARE(network.SubnetMask[2], uint8_t(254));
    QCOMPARE(QByteArray(network.SSID), longSsid.left(QLX_SSID_MAX_LENGTH));
    QCOMPARE(QByteArray(network.EncryptKey), QByteArray("k\xc3\xa9y"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(calibration.rfWhite.serialNo), 4).toHex(),
             QByteArray("abcdef12"));
}

// An instrument file of {} is a working instrument whose unnamed bytes are zero.
void tst_Simulator::defaults()
{
    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), QJsonObject());
    QCOMPARE(connectTo(0), int32_t(QLX_SUCCESS));

    QlxDeviceInfo info{};
    info.firmMajor = 1;
    QlxNetworkInfo network{};
    network.DHCPUse = eDHCP_ON;
    QlxActionOptionData options{};
    options.wifiModuleEnable = 1;
    const QlxShutdownMode mode = QLX_SHUTDOWN_15_MIN;
    QCOMPARE(fetched<QlxDeviceInfo>(QLX_GetDeviceInfo), bytesOf(info));
    QCOMPARE(fetched<QlxNetworkInfo>(QLX_GetNetworkInfo), bytesOf(network));
    QCOMPARE(fetched<QlxActionOptionData>(QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA), bytesOf(options));
    QCOMPARE(fetched<QlxCalRefData>(QLX_JIG_GetFactoryCalib_CALREFDATA), bytesOf(QlxCalRefData{}));
    QCOMPARE(fetched<QlxShutdownMode>(QLX_GetShutdownTime), bytesOf(mode));
}

// What the tool writes lands in the file next to the keys it did not touch, and reads back.
void tst_Simulator::persistence()
{
    SimInstrumentDir dir;
    QJsonObject instrument = usbInstrument(5);
    instrument.insert("comment", "kept");
    instrument.insert("faults", QJsonObject{{"QLX_GetShutdownTime", 1}});
    instrument.insert(kNetwork, QJsonObject{{"extra", 5}, {"SSID", "old"}});
    instrument.insert(kCalibration, QJsonObject{{"note", "kept too"}});
    dir.write(QStringLiteral("a"), instrument);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));

    QlxNetworkInfo network{};
    network.APConnectUse = eAPConnect_ON;
    const uint8_t ip[] = {192, 168, 0, 1};
    std::memcpy(network.IPAddress, ip, sizeof ip);
    std::memcpy(network.SSID, "0123456789abcdefghijklmnopqrstuv", QLX_SSID_MAX_LENGTH); // exactly 32 bytes
    std::memcpy(network.EncryptKey, "\xff\xfe\x80key", 6);                              // not UTF-8
    QlxShutdownMode mode = QLX_SHUTDOWN_60_MIN;
    QlxCalRefData calibration = patternedCalibration();
    QCOMPARE(QLX_SetNetworkInfo(&network), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_SetShutdownTime(&mode), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_JIG_SetFactoryCalib_CALREFDATA(&calibration), int32_t(QLX_SUCCESS));
    QCOMPARE(dir.read("a").value(kCalibration).toObject().value("whiteSerial").toString(), QString());
    QCOMPARE(QLX_JIG_SetFactoryCalib_WriteSector(), int32_t(QLX_SUCCESS));

    const QJsonObject json = dir.read("a");
    QCOMPARE(json.value("comment").toString(), QStringLiteral("kept"));
    QCOMPARE(json.value("faults").toObject().value("QLX_GetShutdownTime").toInt(), 1);
    QCOMPARE(json.value("shutdownMode").toInt(), 3);
    QCOMPARE(json.value(kNetwork).toObject().value("extra").toInt(), 5);
    QCOMPARE(json.value(kNetwork).toObject().value("IPAddress").toString(), QStringLiteral("192.168.0.1"));
    QCOMPARE(json.value(kNetwork).toObject().value("SSID").toString(),
             QStringLiteral("0123456789abcdefghijklmnopqrstuv"));
    QCOMPARE(json.value(kCalibration).toObject().value("note").toString(), QStringLiteral("kept too"));
    QCOMPARE(json.value(kCalibration).toObject().value("whiteSerial").toString(), QStringLiteral("12345678"));

    // A new session (as after a restart) reads the same bytes.
    QLXSIM_Reset();
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QlxNetworkInfo networkBack;
    QlxShutdownMode modeBack = 0;
    QlxCalRefData calibrationBack;
    QCOMPARE(QLX_GetNetworkInfo(&networkBack), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_GetShutdownTime(&modeBack), int32_t(QLX_WARNING_WCALIB_TEMP));
    QCOMPARE(QLX_JIG_GetFactoryCalib_CALREFDATA(&calibrationBack), int32_t(QLX_SUCCESS));
    QCOMPARE(bytesOf(networkBack), bytesOf(network));
    QCOMPARE(modeBack, mode);
    QCOMPARE(bytesOf(calibrationBack), bytesOf(calibration));
}

void tst_Simulator::floatsBitExact_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("asNumber");

    QTest::newRow("0.1") << 0.1f << true;
    QTest::newRow("1/3") << 1.0f / 3.0f << true;
    QTest::newRow("largest") << FLT_MAX << true;
    QTest::newRow("smallest normal") << -FLT_MIN << true;
    QTest::newRow("smallest subnormal") << std::numeric_limits<float>::denorm_min() << true;
    QTest::newRow("2^24 + 2") << 16777218.0f << true;
    QTest::newRow("negative zero") << -0.0f << false;
    QTest::newRow("infinity") << -std::numeric_limits<float>::infinity() << false;
    uint32_t nanBits = 0x7FC01234;
    float nanValue;
    std::memcpy(&nanValue, &nanBits, sizeof nanValue);
    QTest::newRow("NaN with payload") << nanValue << false;
}

// Every float value the tool may write reads back with the same bits.
void tst_Simulator::floatsBitExact()
{
    QFETCH(float, value);
    QFETCH(bool, asNumber);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QlxCalRefData calibration = patternedCalibration();
    calibration.rfWhite.spcData[0] = value;
    calibration.rfAmbient.spcData[QLX_AMBIENT_VALUE_COUNT - 1] = value;
    QCOMPARE(QLX_JIG_SetFactoryCalib_CALREFDATA(&calibration), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_JIG_SetFactoryCalib_WriteSector(), int32_t(QLX_SUCCESS));

    QCOMPARE(dir.read("a").value(kCalibration).toObject().value("whiteValues").toArray().at(0).isDouble(),
             asNumber);
    QLXSIM_Reset();
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QlxCalRefData back;
    QCOMPARE(QLX_JIG_GetFactoryCalib_CALREFDATA(&back), int32_t(QLX_SUCCESS));
    QCOMPARE(bytesOf(back), bytesOf(calibration));
}

void tst_Simulator::faults_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<bool>("injected");
    QTest::addColumn<int>("status");

    const char *functions[] = {"QLX_GetDevicePortList",
                               "QLX_Connect",
                               "QLX_Disconnect",
                               "QLX_GetDeviceInfo",
                               "QLX_SetNetworkInfo",
                               "QLX_SetShutdownTime",
                               "QLX_JIG_SetFactoryCalib_WriteSector"};
    for (const char *function : functions) {
        for (bool injected : {false, true}) {
            for (int status : {int(QLX_ERROR_COMMUNICATION_SEND), int(QLX_WARNING_BATTERY_EMPTY)}) {
                QTest::addRow("%s %s %d", function, injected ? "injected" : "in file", status)
                    << function << injected << status;
            }
        }
    }
}

// A negative status replaces the function's work; a warning is returned after doing it.
void tst_Simulator::faults()
{
    QFETCH(QString, function);
    QFETCH(bool, injected);
    QFETCH(int, status);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(77));
    if (function != "QLX_Connect")
        QCOMPARE(connectTo(77), int32_t(QLX_SUCCESS));
    QlxCalRefData calibration = patternedCalibration();
    QCOMPARE(QLX_JIG_SetFactoryCalib_CALREFDATA(&calibration),
             function == "QLX_Connect" ? int32_t(QLX_ERROR_CONNECT) : int32_t(QLX_SUCCESS));
    QlxPortInfo port{};
    port.portType = QLX_PORT_TYPE_USB;
    port.serialNo = 77;
    if (injected)
        QLXSIM_InjectStatus(function.toLatin1().constData(), status);
    else
        dir.set("a", "faults", QJsonObject{{function, status}});

    int32_t result = QLX_ERROR;
    bool worked = false;
    if (function == "QLX_GetDevicePortList") {
        uint32_t count = 0;
        result = QLX_GetDevicePortList(nullptr, &count, 0);
        worked = count == 1;
    } else if (function == "QLX_Connect") {
        result = QLX_Connect(&port, 10);
        worked = deviceInfoStatus() != QLX_ERROR_CONNECT;
    } else if (function == "QLX_Disconnect") {
        result = QLX_Disconnect();
        worked = deviceInfoStatus() == QLX_ERROR_CONNECT;
    } else if (function == "QLX_GetDeviceInfo") {
        QlxDeviceInfo info{};
        result = QLX_GetDeviceInfo(&info);
        worked = info.serialNo == 77;
    } else if (function == "QLX_SetNetworkInfo") {
        QlxNetworkInfo network{};
        network.IPAddress[0] = 10;
        result = QLX_SetNetworkInfo(&network);
        worked = dir.read("a").value(kNetwork).toObject().value("IPAddress") == QStringLiteral("10.0.0.0");
    } else if (function == "QLX_SetShutdownTime") {
        QlxShutdownMode mode = QLX_SHUTDOWN_60_MIN;
        result = QLX_SetShutdownTime(&mode);
        worked = dir.read("a").value("shutdownMode") == int(QLX_SHUTDOWN_60_MIN);
    } else {
        result = QLX_JIG_SetFactoryCalib_WriteSector();
        worked =
            dir.read("a").value(kCalibration).toObject().value("whiteSerial") == QStringLiteral("12345678");
    }
    QCOMPARE(result, int32_t(status));
    QCOMPARE(worked, qlxSucceeded(status));
    // connectTo() above listed the ports once more.
    QCOMPARE(QLXSIM_CallCount(function.toLatin1().constData()),
             function == "QLX_GetDevicePortList" ? 2u : 1u);

    QLXSIM_ClearInjectedStatuses();
    dir.set("a", "faults", QJsonObject());
    QCOMPARE(connectTo(77), int32_t(QLX_SUCCESS));
    QCOMPARE(deviceInfoStatus(), int32_t(QLX_SUCCESS));
}

void tst_Simulator::sessionErrors_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("expected");

    QTest::newRow("no session") << "none" << int(QLX_ERROR_CONNECT);
    QTest::newRow("null record") << "null" << int(QLX_ERROR_ARGUMENT);
    QTest::newRow("file now malformed") << "malformed" << int(QLX_ERROR_INSTRUMENT_INFORMATION);
    QTest::newRow("unplugged, not yet noticed") << "unplugged" << int(QLX_ERROR_INSTRUMENT_UNAVAILABLE);
    QTest::newRow("file gone, not yet noticed") << "removed" << int(QLX_ERROR_INSTRUMENT_UNAVAILABLE);
}

void tst_Simulator::sessionErrors()
{
    QFETCH(QString, situation);
    QFETCH(int, expected);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    if (situation != "none")
        QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    if (situation == "malformed")
        dir.set("a", "serialNo", "five");
    else if (situation == "unplugged")
        dir.set("a", "unplugged", true);
    else if (situation == "removed")
        dir.remove("a");

    QlxNetworkInfo network{};
    QCOMPARE(QLX_GetNetworkInfo(situation == "null" ? nullptr : &network), int32_t(expected));
    QCOMPARE(QLX_SetNetworkInfo(situation == "null" ? nullptr : &network), int32_t(expected));
    if (situation == "none") {
        QCOMPARE(QLX_Disconnect(), int32_t(QLX_ERROR_DISCONNECT));
        QCOMPARE(QLX_Connect(nullptr, 10), int32_t(QLX_ERROR_ARGUMENT));
        QlxPortInfo unknown{};
        unknown.serialNo = 6;
        QCOMPARE(QLX_Connect(&unknown, 10), int32_t(QLX_ERROR_CONNECT));
    } else if (situation == "null") {
        QCOMPARE(QLX_JIG_SetFactoryCalib_WriteSector(), int32_t(QLX_ERROR_NO_DATA));
    }
}

// The stored calibration record differs from the one sent in exactly one byte.
void tst_Simulator::readBackDiffers()
{
    SimInstrumentDir dir;
    QJsonObject instrument = usbInstrument(5);
    instrument.insert("readBackDiffers", true);
    dir.write(QStringLiteral("a"), instrument);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QlxCalRefData sent = patternedCalibration();
    QCOMPARE(QLX_JIG_SetFactoryCalib_CALREFDATA(&sent), int32_t(QLX_SUCCESS));
    QCOMPARE(QLX_JIG_SetFactoryCalib_WriteSector(), int32_t(QLX_SUCCESS));
    QlxCalRefData back;
    QCOMPARE(QLX_JIG_GetFactoryCalib_CALREFDATA(&back), int32_t(QLX_SUCCESS));

    const QByteArray a = bytesOf(sent), b = bytesOf(back);
    QList<int> differing;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            differing.append(i);
    }
    QCOMPARE(differing.size(), 1);
}

// A slow instrument delays its own calls without blocking the library for other threads.
void tst_Simulator::latency()
{
    constexpr int kLatencyMs = 300;
    SimInstrumentDir dir;
    QJsonObject instrument = usbInstrument(5);
    instrument.insert("latencyMs", kLatencyMs);
    dir.write(QStringLiteral("a"), instrument);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QVERIFY(timer.elapsed() >= kLatencyMs);

    int32_t slowStatus = QLX_ERROR;
    qint64 slowElapsed = 0;
    std::thread slow([&] {
        QElapsedTimer slowTimer;
        slowTimer.start();
        slowStatus = deviceInfoStatus();
        slowElapsed = slowTimer.elapsed();
    });
    QTest::qWait(kLatencyMs / 3);
    timer.restart();
    const QVector<int32_t> listed = listedSerials();
    const qint64 listingElapsed = timer.elapsed();
    slow.join();
    QCOMPARE(listed, QVector<int32_t>{5});
    QVERIFY2(listingElapsed < kLatencyMs / 3, "listing waited for the slow call");
    QCOMPARE(slowStatus, int32_t(QLX_SUCCESS));
    QVERIFY(slowElapsed >= kLatencyMs && slowElapsed < 5 * kLatencyMs);
}

void tst_Simulator::lostAndRegained_data()
{
    QTest::addColumn<bool>("removeFile");
    QTest::newRow("unplugged") << false;
    QTest::newRow("file removed") << true;
}

// Loss and return come once each from a library thread; the lost session stays unusable until a
// new connect.
void tst_Simulator::lostAndRegained()
{
    QFETCH(bool, removeFile);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    QLX_RegisterDeviceEventHandler(recordEvent);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));

    if (removeFile)
        dir.remove("a");
    else
        dir.set("a", "unplugged", true);
    QTRY_COMPARE_WITH_TIMEOUT(eventCodes(), QVector<int32_t>{eEventCode_DisConnect}, 2000);
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        QVERIFY(g_events.first().thread != std::this_thread::get_id());
    }

    if (removeFile)
        dir.write(QStringLiteral("a"), usbInstrument(5));
    else
        dir.set("a", "unplugged", false);
    QTRY_COMPARE_WITH_TIMEOUT(eventCodes(), (QVector<int32_t>{eEventCode_DisConnect, eEventCode_Standby}),
                              2000);
    QCOMPARE(deviceInfoStatus(), int32_t(QLX_ERROR_INSTRUMENT_UNAVAILABLE));

    QCOMPARE(QLX_Disconnect(), int32_t(QLX_SUCCESS));
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QCOMPARE(deviceInfoStatus(), int32_t(QLX_SUCCESS));
    QCOMPARE(eventCodes().size(), 2);
}

void tst_Simulator::noEventAfterSessionEnds_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("disconnect") << "disconnect";
    QTest::newRow("reset") << "reset";
    QTest::newRow("connect to another") << "switch";
}

void tst_Simulator::noEventAfterSessionEnds()
{
    QFETCH(QString, ending);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    dir.write(QStringLiteral("b"), usbInstrument(6));
    QLX_RegisterDeviceEventHandler(recordEvent);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    if (ending == "disconnect")
        QCOMPARE(QLX_Disconnect(), int32_t(QLX_SUCCESS));
    else if (ending == "reset")
        QLXSIM_Reset();
    else
        QCOMPARE(connectTo(6), int32_t(QLX_SUCCESS));

    dir.remove("a");
    QTest::qWait(250);
    QCOMPARE(eventCodes(), QVector<int32_t>());
    QCOMPARE(deviceInfoStatus(), ending == "switch" ? int32_t(QLX_SUCCESS) : int32_t(QLX_ERROR_CONNECT));
}

void tst_Simulator::handlerMayCallTheLibrary_data()
{
    QTest::addColumn<bool>("fromFiredEvent");
    QTest::newRow("in the lost-connection event") << false;
    QTest::newRow("in another event while a loss waits to be reported") << true;
}

// A handler that calls the library (even ending the session) from a library thread neither
// deadlocks nor breaks later sessions; a loss not yet reported when the session ends is not.
void tst_Simulator::handlerMayCallTheLibrary()
{
    QFETCH(bool, fromFiredEvent);

    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    g_pulledFile = dir.filePath(QStringLiteral("a"));
    QLX_RegisterDeviceEventHandler(fromFiredEvent ? pullAndDisconnect : disconnectOnEvent);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    if (fromFiredEvent) {
        QLXSIM_FireEvent(kPullEvent, 0, 0);
        QCOMPARE(eventCodes(), QVector<int32_t>{kPullEvent});
        QCOMPARE(deviceInfoStatus(), int32_t(QLX_ERROR_CONNECT));
        QVERIFY(QDir().rmdir(g_pulledFile));
        dir.write(QStringLiteral("a"), usbInstrument(5));
    } else {
        dir.set("a", "unplugged", true);
        QTRY_COMPARE_WITH_TIMEOUT(eventCodes(), QVector<int32_t>{eEventCode_DisConnect}, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(deviceInfoStatus(), int32_t(QLX_ERROR_CONNECT), 2000);
    }

    dir.set("a", "unplugged", false);
    QLXSIM_FireEvent(eEventCode_Standby, 0, 0);
    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    QCOMPARE(deviceInfoStatus(), int32_t(QLX_SUCCESS));
}

// Two processes that change different keys of one instrument never undo each other's change:
// each reads its own value back after every write.
void tst_Simulator::twoProcessesWriteOneInstrument()
{
    constexpr int kRounds = 200;
    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    QProcess probe;
    startProbe(probe, dir, {QStringLiteral("write"), QString::number(kRounds)});
    QVERIFY(probe.waitForReadyRead(10000));
    QCOMPARE(probe.readLine(), QByteArray("connected\n"));

    QCOMPARE(connectTo(5), int32_t(QLX_SUCCESS));
    int lost = 0;
    QlxNetworkInfo network{};
    for (int i = 0; i < kRounds; ++i) {
        network.IPAddress[3] = uint8_t(i);
        QCOMPARE(QLX_SetNetworkInfo(&network), int32_t(QLX_SUCCESS));
        QlxNetworkInfo back{};
        QCOMPARE(QLX_GetNetworkInfo(&back), int32_t(QLX_SUCCESS));
        lost += back.IPAddress[3] != network.IPAddress[3];
    }
    QVERIFY(probe.waitForFinished(60000));
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(lost, 0);
    QCOMPARE(probe.readAll(), QByteArray("lost 0\n"));
    QCOMPARE(dir.read("a").value(kNetwork).toObject().value("IPAddress").toString(),
             QStringLiteral("0.0.0.%1").arg(kRounds - 1));
    QCOMPARE(dir.read("a").value("shutdownMode").toInt(), (kRounds - 1) % 4);
    QVERIFY(!QFileInfo::exists(dir.filePath("a") + ".lock"));
}

void tst_Simulator::fireEvent()
{
    QLXSIM_FireEvent(3, 0, 0); // no handler: nothing happens
    QLX_RegisterDeviceEventHandler(recordEvent);
    QLXSIM_FireEvent(3, 1, -1);
    QCOMPARE(eventCodes(), QVector<int32_t>{3});
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        QVERIFY(g_events.first().thread != std::this_thread::get_id());
    }
    QLX_RegisterDeviceEventHandler(nullptr);
    QLXSIM_FireEvent(eEventCode_DisConnect, 0, 0);
    QCOMPARE(eventCodes(), QVector<int32_t>{3});
}

// Without a configured folder the library makes and fills its own in the user's data location.
// Qt's test mode moves that location to a place for tests (on Linux below the home folder, set
// to a temporary one here; on Windows below the user's local application data).
void tst_Simulator::defaultFolder()
{
    QTemporaryDir home;
    const QByteArray savedDir = qgetenv("QLXSDK_SIM_DIR");
    const QByteArray savedHome = qgetenv("HOME");
    qunsetenv("QLXSDK_SIM_DIR");
    qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/qlxsdk-sim");
    folder.removeRecursively();
    QLXSIM_SetDirectory(nullptr);

    QlxPortInfo table[2] = {};
    uint32_t count = 0;
    const int32_t status = QLX_GetDevicePortList(table, &count, 2);
    const QStringList files = folder.entryList({"*.json"}, QDir::Files);
    QlxCalRefData calibration{};
    QlxActionOptionData options{};
    const bool connected = count == 2 && qlxSucceeded(QLX_Connect(&table[1], 10)) &&
                           qlxSucceeded(QLX_JIG_GetFactoryCalib_CALREFDATA(&calibration)) &&
                           qlxSucceeded(QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(&options));
    QLXSIM_Reset();
    folder.removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
    qputenv("QLXSDK_SIM_DIR", savedDir);
    qputenv("HOME", savedHome);

    QCOMPARE(status, int32_t(QLX_SUCCESS));
    QCOMPARE(files.size(), 2);
    QCOMPARE(table[0].portType, QLX_PORT_TYPE_USB);
    QVERIFY(table[1].portType != QLX_PORT_TYPE_USB);
    QVERIFY(qstrlen(table[1].portName) > 0);
    QVERIFY(table[0].serialNo != table[1].serialNo);
    QVERIFY(connected);
    QVERIFY(options.wifiModuleEnable != 0);
    for (uint8_t byte : calibration.rfWhite.serialNo)
        QVERIFY((byte >> 4) <= 9 && (byte & 0x0F) <= 9);
}

void tst_Simulator::configuredFolderNeverCreated_data()
{
    QTest::addColumn<bool>("byEnvironment");
    QTest::newRow("QLXSDK_SIM_DIR") << true;
    QTest::newRow("QLXSIM_SetDirectory") << false;
}

void tst_Simulator::configuredFolderNeverCreated()
{
    QFETCH(bool, byEnvironment);

    QTemporaryDir parent;
    const QString missing = parent.filePath("missing");
    const QByteArray savedDir = qgetenv("QLXSDK_SIM_DIR");
    if (byEnvironment) {
        qputenv("QLXSDK_SIM_DIR", QFile::encodeName(missing));
        QLXSIM_SetDirectory(nullptr);
    } else {
        QLXSIM_SetDirectory(QFile::encodeName(missing).constData());
    }
    uint32_t count = 1;
    const int32_t status = QLX_GetDevicePortList(nullptr, &count, 0);
    qputenv("QLXSDK_SIM_DIR", savedDir);
    QLXSIM_SetDirectory(nullptr);

    QCOMPARE(status, int32_t(QLX_SUCCESS));
    QCOMPARE(count, 0u);
    QVERIFY(!QFileInfo::exists(missing));
}

void tst_Simulator::trace()
{
    qunsetenv("QLXSDK_SIM_TRACE");
    SimInstrumentDir dir;
    StderrCapture stderrCapture;
    QLX_Disconnect();
    qputenv("QLXSDK_SIM_TRACE", "1");
    uint32_t count = 0;
    QLX_GetDevicePortList(nullptr, &count, 0);
    QLX_Disconnect();
    QCOMPARE(stderrCapture.text(), QStringLiteral("QLX_GetDevicePortList -> 0\nQLX_Disconnect -> -9997\n"));
}

// A process that ends with a session open and its handler registered exits cleanly.
void tst_Simulator::exitWithOpenSession()
{
    SimInstrumentDir dir;
    dir.write(QStringLiteral("a"), usbInstrument(5));
    QProcess probe;
    startProbe(probe, dir, {QStringLiteral("exit")});
    QVERIFY(probe.waitForFinished(10000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(probe.readAllStandardOutput(), QByteArray("connected\n"));
}

QTEST_GUILESS_MAIN(tst_Simulator)
#include "tst_simulator.moc"
