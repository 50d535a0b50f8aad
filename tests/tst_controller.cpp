// The instrument controller against the simulated SDK: port labels, the session rules, the
// header texts, events from a library thread, and the network, calibration and power-off
// operations with their log lines.

#include "TestSupport.h"
#include "instrument/CQlxSdk_Ctrl.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

const QString kInstrument = QStringLiteral("inst");

// Values exact in a 32-bit float, so the instrument's file holds them unchanged.
QJsonArray numbers(int count, double first, double step)
{
    QJsonArray values;
    for (int i = 0; i < count; ++i)
        values.append(first + step * i);
    return values;
}

QByteArray otherCalibPattern()
{
    QByteArray bytes(int(QLX_OTHER_CALIB_DATA_SIZE), '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7 + 3) & 0xFF);
    return bytes;
}

QJsonObject calibratedInstrument()
{
    QJsonObject instrument = usbInstrument(1234567);
    instrument.insert(
        QStringLiteral("calibration"),
        QJsonObject{{QStringLiteral("whiteSerial"), QStringLiteral("12345678")},
                    {QStringLiteral("ambientSerial"), QStringLiteral("00012345")},
                    {QStringLiteral("whiteValues"), numbers(int(QLX_WHITE_VALUE_COUNT), 0.875, 0.0078125)},
                    {QStringLiteral("ambientValues"), numbers(int(QLX_AMBIENT_VALUE_COUNT), 1.5, 0.03125)},
                    {QStringLiteral("otherCalibData"), QString::fromLatin1(otherCalibPattern().toBase64())}});
    return instrument;
}

// A calibration value file: two header lines, the serial line and the values line.
QString writeValueFile(const QTemporaryDir &dir, const QString &name, const QByteArray &serialLine,
                       int valueCount, double first)
{
    QByteArray values;
    for (int i = 0; i < valueCount; ++i) {
        if (i)
            values += ',';
        values += QByteArray::number(first + i * 0.25, 'g', 9);
    }
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("Calibration values\r\nNo.\r\n" + serialLine + "\r\n" + values + "\r\n");
    return path;
}

QByteArray local8(const QString &path)
{
    return path.toLocal8Bit();
}

} // namespace

class TestController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void portLabels_data();
    void portLabels();
    void emptyPortList();
    void portListOver100();
    void portListFailure();

    void disconnectWithoutSession();
    void connectOutOfRange_data();
    void connectOutOfRange();
    void connectRules();
    void failingConnectAndDisconnect();

    void headerTexts();
    void headerTextsFailure();

    void eventsFromLibraryThread_data();
    void eventsFromLibraryThread();
    void handlerRemovedWithController();

    void readNetwork();
    void readNetworkFailure();
    void writeNetworkPersists();
    void writeNetworkFailure();
    void ssidAndKeyLimits_data();
    void ssidAndKeyLimits();
    void saveThenLoad();
    void loadRejectsSwitchValues_data();
    void loadRejectsSwitchValues();
    void loadMissingFile();
    void saveFailure();
    void addressTexts_data();
    void addressTexts();

    void calibSerialNumbers();
    void calibSerialNumbersFailure();
    void checkSerialRanges_data();
    void checkSerialRanges();
    void checkUnreadableKeepsText();
    void registerWhiteChangesOnlyWhite();
    void registerAmbientChangesOnlyAmbient();
    void registerRefusedSerialWritesNothing();
    void registerFailingSteps_data();
    void registerFailingSteps();
    void registerReadBackDiffers();

    void shutdownTime();
    void shutdownTimeFailure();
    void wifiModule_data();
    void wifiModule();
    void wifiModuleFailure();

private:
    CQlxSdk_Ctrl *connectTo(const QJsonObject &instrument);

    SimInstrumentDir *m_sim = nullptr;
    CQlxSdk_Ctrl *m_ctrl = nullptr;
    QTemporaryDir m_files;
};

void TestController::init()
{
    m_sim = new SimInstrumentDir;
    deviceDisconnected = false;
}

void TestController::cleanup()
{
    delete m_ctrl;
    m_ctrl = nullptr;
    delete m_sim;
    m_sim = nullptr;
}

CQlxSdk_Ctrl *TestController::connectTo(const QJsonObject &instrument)
{
    m_sim->write(kInstrument, instrument);
    m_ctrl = new CQlxSdk_Ctrl;
    if (!m_ctrl->refreshPortList() || m_ctrl->portCount != 1 || !m_ctrl->connectDevice(0, 10))
        return nullptr;
    return m_ctrl;
}

void TestController::portLabels_data()
{
    QTest::addColumn<int>("portType");
    QTest::addColumn<QString>("portName");
    QTest::addColumn<int>("serialNo");
    QTest::addColumn<QString>("label");

    QTest::newRow("usb") << 1 << QString() << 1234 << "KALDO-1(USB,Serial#00001234)";
    QTest::newRow("usb ignores its name") << 1 << "COM3" << 20001 << "KALDO-1(USB,Serial#00020001)";
    QTest::newRow("usb 7-digit serial") << 1 << QString() << 1234567 << "KALDO-1(USB,Serial#01234567)";
    QTest::newRow("network") << 2 << "ABC" << 20001 << "KALDO-1(ABC,Serial#00020001)";
    QTest::newRow("type 0 uses its name")
        << 0 << "192.168.0.10" << 12345678 << "KALDO-1(192.168.0.10,Serial#12345678)";
    QTest::newRow("name holding %2") << 3 << "a%2b" << 5 << "KALDO-1(a%2b,Serial#00000005)";
    QTest::newRow("non-ASCII name") << 2 << QStringLiteral("測定") << 7
                                    << QStringLiteral("KALDO-1(測定,Serial#00000007)");
}

void TestController::portLabels()
{
    QFETCH(int, portType);
    QFETCH(QString, portName);
    QFETCH(int, serialNo);
    QFETCH(QString, label);

    QJsonObject instrument{{"portType", portType}, {"serialNo", serialNo}};
    if (!portName.isNull())
        instrument.insert("portName", portName);
    m_sim->write("a", usbInstrument(1));
    m_sim->write("b", instrument);

    CQlxSdk_Ctrl ctrl;
    LogCapture log;
    QVERIFY(ctrl.refreshPortList());
    QCOMPARE(ctrl.portCount, 2u);
    QCOMPARE(ctrl.ports.size(), 2);
    QCOMPARE(ctrl.portLabels, (QVector<QString>{"KALDO-1(USB,Serial#00000001)", label}));
    QCOMPARE(ctrl.ports[1].serialNo, serialNo);
    QCOMPARE(log.lines(), QStringList{"port count[2] \n"});
}

void TestController::emptyPortList()
{
    CQlxSdk_Ctrl ctrl;
    LogCapture log;
    QVERIFY(ctrl.refreshPortList());
    QCOMPARE(ctrl.portCount, 0u);
    QVERIFY(ctrl.ports.isEmpty());
    QVERIFY(ctrl.portLabels.isEmpty());
    QCOMPARE(log.lines(), QStringList{"port count[0] \n"});
}

void TestController::portListOver100()
{
    for (int i = 0; i < 101; ++i)
        m_sim->write(QStringLiteral("i%1").arg(i, 3, 10, QLatin1Char('0')), usbInstrument(10000 + i));
    CQlxSdk_Ctrl ctrl;
    QVERIFY(ctrl.refreshPortList());
    QCOMPARE(ctrl.reportedPortCount, 101u);
    QCOMPARE(ctrl.portCount, QLX_PORT_TABLE_CAPACITY);
    QCOMPARE(ctrl.ports.size(), 100);
    QCOMPARE(ctrl.portLabels.size(), 100);
    QCOMPARE(ctrl.portLabels.last(), QStringLiteral("KALDO-1(USB,Serial#00010099)"));
    QCOMPARE(ctrl.unlistedPortCount, 1u);

    // kt9-cli's list holds every instrument; the window's table is left as it was.
    QVERIFY(ctrl.refreshFullPortList());
    QCOMPARE(ctrl.portCount, 101u);
    QCOMPARE(ctrl.portLabels.last(), QStringLiteral("KALDO-1(USB,Serial#00010100)"));
    QCOMPARE(ctrl.unlistedPortCount, 0u);
    QCOMPARE(ctrl.portTable[QLX_PORT_TABLE_CAPACITY - 1].serialNo, 10099);
    QVERIFY(ctrl.connectDevice(100, KT9_CONNECT_PARAM));
    QVERIFY(ctrl.readDeviceInfo());
    QCOMPARE(ctrl.serialNumberText, QStringLiteral("00010100"));
}

void TestController::portListFailure()
{
    m_sim->write("a", usbInstrument(1));
    CQlxSdk_Ctrl ctrl;
    QVERIFY(ctrl.refreshPortList());
    QCOMPARE(ctrl.portCount, 1u);

    QLXSIM_InjectStatus("QLX_GetDevicePortList", QLX_ERROR_COMMUNICATION_TIMEOUT);
    LogCapture log;
    QVERIFY(!ctrl.refreshPortList());
    QCOMPARE(ctrl.portCount, 0u);
    QVERIFY(ctrl.ports.isEmpty());
    QVERIFY(ctrl.portLabels.isEmpty());
    QCOMPARE(ctrl.lastStatus, int32_t(QLX_ERROR_COMMUNICATION_TIMEOUT));
    QCOMPARE(log.lines().size(), 1);
    QVERIFY(log.lines().first().startsWith("port count["));
}

void TestController::disconnectWithoutSession()
{
    CQlxSdk_Ctrl ctrl;
    LogCapture log;
    QVERIFY(!ctrl.disconnectDevice());
    QCOMPARE(log.lines(), QStringList{"diconect already \n"});
    QCOMPARE(QLXSIM_CallCount("QLX_Disconnect"), 0u);
}

void TestController::connectOutOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the end") << 1;
    QTest::newRow("far past the end") << 1000;
}

void TestController::connectOutOfRange()
{
    QFETCH(int, index);
    m_sim->write("a", usbInstrument(1));
    CQlxSdk_Ctrl ctrl;
    QVERIFY(ctrl.refreshPortList());
    LogCapture log;
    QVERIFY(!ctrl.connectDevice(index, 10));
    QVERIFY(!ctrl.connected);
    QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 0u);
    QCOMPARE(log.lines(), QStringList{"conect error \n"});
}

void TestController::connectRules()
{
    m_sim->write("a", usbInstrument(1));
    m_sim->write("b", usbInstrument(2));
    CQlxSdk_Ctrl ctrl;
    QVERIFY(ctrl.refreshPortList());
    QVERIFY(ctrl.connectDevice(1, 10));
    QVERIFY(ctrl.connected);
    QVERIFY(ctrl.readDeviceInfo());
    QCOMPARE(ctrl.serialNumberText, QStringLiteral("00000002"));

    // A second connect while connected goes to the library again.
    QVERIFY(ctrl.connectDevice(0, 10));
    QCOMPARE(QLXSIM_CallCount("QLX_Connect"), 2u);
    QVERIFY(ctrl.readDeviceInfo());
    QCOMPARE(ctrl.serialNumberText, QStringLiteral("00000001"));

    LogCapture log;
    QVERIFY(ctrl.disconnectDevice());
    QVERIFY(!ctrl.connected);
    QVERIFY(!ctrl.disconnectDevice());
    QCOMPARE(log.lines(), QStringList{"diconect already \n"});
}

void TestController::failingConnectAndDisconnect()
{
    m_sim->write("a", usbInstrument(1));
    CQlxSdk_Ctrl ctrl;
    QVERIFY(ctrl.refreshPortList());

    QLXSIM_InjectStatus("QLX_Connect", QLX_ERROR_CONNECT_TIMEOUT);
    LogCapture log;
    QVERIFY(!ctrl.connectDevice(0, 10));
    QVERIFY(!ctrl.connected);
    QCOMPARE(ctrl.lastStatus, int32_t(QLX_ERROR_CONNECT_TIMEOUT));
    QCOMPARE(log.lines(), QStringList{"conect error \n"});

    QLXSIM_ClearInjectedStatuses();
    QVERIFY(ctrl.connectDevice(0, 10));
    QLXSIM_InjectStatus("QLX_Disconnect", QLX_ERROR_DISCONNECT);
    log.clear();
    QVERIFY(!ctrl.disconnectDevice());
    QVERIFY(ctrl.connected);
    QCOMPARE(log.lines(), QStringList{"diconect error \n"});

    // A warning status counts as success.
    QLXSIM_InjectStatus("QLX_Disconnect", QLX_WARNING_BATTERY_EMPTY);
    QVERIFY(ctrl.disconnectDevice());
    QVERIFY(!ctrl.connected);
}

void TestController::headerTexts()
{
    QJsonObject instrument = usbInstrument(1234567);
    instrument.insert("firmware", QJsonObject{{"major", 1}, {"minor", 2}, {"build", 3}});
    instrument.insert("macAddress", "0A:B0:00:01:FF:10");
    QVERIFY(connectTo(instrument));
    QVERIFY(m_ctrl->readDeviceInfo());
    QCOMPARE(m_ctrl->serialNumberText, QStringLiteral("01234567"));
    QCOMPARE(m_ctrl->firmwareVersionText, QStringLiteral("1.02.0003"));
    QCOMPARE(m_ctrl->macAddressText, QStringLiteral("0A:B0:00:01:FF:10"));
    QCOMPARE(m_ctrl->deviceInfo.serialNo, 1234567);
}

void TestController::headerTextsFailure()
{
    QVERIFY(connectTo(usbInstrument(42)));
    QVERIFY(m_ctrl->readDeviceInfo());
    QLXSIM_InjectStatus("QLX_GetDeviceInfo", QLX_ERROR_COMMUNICATION_RECEIVE);
    LogCapture log;
    QVERIFY(!m_ctrl->readDeviceInfo());
    QVERIFY(m_ctrl->serialNumberText.isEmpty());
    QVERIFY(m_ctrl->firmwareVersionText.isEmpty());
    QVERIFY(m_ctrl->macAddressText.isEmpty());
    QCOMPARE(log.lines(), QStringList{"Failed to read Firm data. \n"});
}

void TestController::eventsFromLibraryThread_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<QVector<int>>("codes");
    QTest::addColumn<bool>("after");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("disconnect") << false << QVector<int>{6} << true
                                << QStringList{"outEventCode[6],outRAWDataCount[0],outError[0] \n",
                                               "eEventCode_DisConnect \n"};
    QTest::newRow("standby after disconnect")
        << false << QVector<int>{6, 0} << false
        << QStringList{"outEventCode[6],outRAWDataCount[0],outError[0] \n", "eEventCode_DisConnect \n",
                       "outEventCode[0],outRAWDataCount[0],outError[0] \n", "eEventCode_Standby \n"};
    QTest::newRow("code 10 unknown") << true << QVector<int>{10} << true
                                     << QStringList{"outEventCode[10],outRAWDataCount[0],outError[0] \n",
                                                    "eEventCode Unknown[10] \n"};
    QTest::newRow("code -1 unknown") << false << QVector<int>{-1} << false
                                     << QStringList{"outEventCode[-1],outRAWDataCount[0],outError[0] \n",
                                                    "eEventCode Unknown[-1] \n"};
    QTest::newRow("code 3 ignored") << true << QVector<int>{3} << true
                                    << QStringList{"outEventCode[3],outRAWDataCount[0],outError[0] \n"};
}

void TestController::eventsFromLibraryThread()
{
    QFETCH(bool, before);
    QFETCH(QVector<int>, codes);
    QFETCH(bool, after);
    QFETCH(QStringList, lines);

    CQlxSdk_Ctrl ctrl;
    deviceDisconnected = before;
    LogCapture log;
    for (int code : codes)
        QLXSIM_FireEvent(code, 0, 0);
    QCOMPARE(deviceDisconnected.load(), after);
    QCOMPARE(log.lines(), lines);
}

void TestController::handlerRemovedWithController()
{
    {
        CQlxSdk_Ctrl ctrl;
    }
    LogCapture log;
    QLXSIM_FireEvent(eEventCode_DisConnect, 0, 0);
    QVERIFY(!deviceDisconnected);
    QVERIFY(log.lines().isEmpty());
}

void TestController::readNetwork()
{
    QJsonObject instrument = usbInstrument(1);
    instrument.insert("network", QJsonObject{{"APConnectUse", 2},
                                             {"DHCPUse", 0},
                                             {"IPAddress", "192.168.0.1"},
                                             {"SubnetMask", "255.255.255.0"},
                                             {"DefaultGateway", "10.0.0.254"},
                                             {"DNS", "8.8.4.4"},
                                             {"SSID", "LabNet"},
                                             {"EncryptKey", "secret=1;x"}});
    QVERIFY(connectTo(instrument));
    QVERIFY(m_ctrl->readNetworkInfo());
    // Only a loaded file is held to 0 or 1; the instrument's 2 reads as enabled.
    QVERIFY(m_ctrl->apConnectEnabled);
    QVERIFY(!m_ctrl->dhcpEnabled);
    QCOMPARE(m_ctrl->ssidText, QStringLiteral("LabNet"));
    QCOMPARE(m_ctrl->encryptKeyText, QStringLiteral("secret=1;x"));
    QCOMPARE(m_ctrl->ipAddressOctets, (QVector<QString>{"192", "168", "0", "1"}));
    QCOMPARE(m_ctrl->subnetMaskOctets, (QVector<QString>{"255", "255", "255", "0"}));
    QCOMPARE(m_ctrl->defaultGatewayOctets, (QVector<QString>{"10", "0", "0", "254"}));
    QCOMPARE(m_ctrl->dnsOctets, (QVector<QString>{"8", "8", "4", "4"}));
}

void TestController::readNetworkFailure()
{
    QVERIFY(connectTo(usbInstrument(1)));
    QVERIFY(m_ctrl->readNetworkInfo());
    QVERIFY(!m_ctrl->ipAddressOctets.isEmpty());
    QLXSIM_InjectStatus("QLX_GetNetworkInfo", QLX_ERROR_NAK);
    LogCapture log;
    QVERIFY(!m_ctrl->readNetworkInfo());
    QVERIFY(m_ctrl->ssidText.isEmpty());
    QVERIFY(m_ctrl->ipAddressOctets.isEmpty());
    QVERIFY(m_ctrl->dnsOctets.isEmpty());
    QCOMPARE(log.lines(), QStringList{"Failed to QLX_GetNetworkInfo(). \n"});
}

void TestController::writeNetworkPersists()
{
    QVERIFY(connectTo(usbInstrument(1)));
    QVERIFY(m_ctrl->readNetworkInfo());
    const uint8_t ip[4] = {172, 16, 5, 9};
    const uint8_t mask[4] = {255, 255, 0, 0};
    const uint8_t gateway[4] = {172, 16, 0, 1};
    const uint8_t dns[4] = {1, 1, 1, 1};
    m_ctrl->setIpAddress(ip);
    m_ctrl->setSubnetMask(mask);
    m_ctrl->setDefaultGateway(gateway);
    m_ctrl->setDns(dns);
    m_ctrl->networkInfo.APConnectUse = eAPConnect_ON;
    m_ctrl->networkInfo.DHCPUse = eDHCP_OFF;
    m_ctrl->setSsid("Shop floor");
    m_ctrl->setEncryptKey("k3y");
    QVERIFY(m_ctrl->writeNetworkInfo());

    const QJsonObject network = m_sim->read(kInstrument).value("network").toObject();
    QCOMPARE(network.value("IPAddress").toString(), QStringLiteral("172.16.5.9"));
    QCOMPARE(network.value("SubnetMask").toString(), QStringLiteral("255.255.0.0"));
    QCOMPARE(network.value("DefaultGateway").toString(), QStringLiteral("172.16.0.1"));
    QCOMPARE(network.value("DNS").toString(), QStringLiteral("1.1.1.1"));
    QCOMPARE(network.value("SSID").toString(), QStringLiteral("Shop floor"));
    QCOMPARE(network.value("EncryptKey").toString(), QStringLiteral("k3y"));
    QCOMPARE(network.value("APConnectUse").toInt(), 1);
    QCOMPARE(network.value("DHCPUse").toInt(), 0);

    const QlxNetworkInfo sent = m_ctrl->networkInfo;
    QVERIFY(m_ctrl->readNetworkInfo());
    QCOMPARE(std::memcmp(&sent, &m_ctrl->networkInfo, sizeof sent), 0);
}

void TestController::writeNetworkFailure()
{
    QVERIFY(connectTo(usbInstrument(1)));
    m_sim->set(kInstrument, "faults", QJsonObject{{"QLX_SetNetworkInfo", int(QLX_ERROR_COMMUNICATION_SEND)}});
    LogCapture log;
    QVERIFY(!m_ctrl->writeNetworkInfo());
    QCOMPARE(m_ctrl->lastStatus, int32_t(QLX_ERROR_COMMUNICATION_SEND));
    QCOMPARE(log.lines(), QStringList{"Failed to QLX_SetNetworkInfo(). \n"});
}

void TestController::ssidAndKeyLimits_data()
{
    QTest::addColumn<QByteArray>("ssid");
    QTest::addColumn<QByteArray>("expectedSsid");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expectedKey");

    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("exact limits") << QByteArray(32, 's') << QByteArray(32, 's') << QByteArray(64, 'k')
                                  << QByteArray(64, 'k');
    QTest::newRow("one byte over") << QByteArray(32, 's') + 'X' << QByteArray(32, 's')
                                   << QByteArray(64, 'k') + 'X' << QByteArray(64, 'k');
    QTest::newRow("far over") << QByteArray(300, 'a') << QByteArray(32, 'a') << QByteArray(300, 'b')
                              << QByteArray(64, 'b');
}

void TestController::ssidAndKeyLimits()
{
    QFETCH(QByteArray, ssid);
    QFETCH(QByteArray, expectedSsid);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expectedKey);

    CQlxSdk_Ctrl ctrl;
    std::memset(&ctrl.networkInfo, 0x5A, sizeof ctrl.networkInfo);
    ctrl.setSsid(ssid.constData());
    ctrl.setEncryptKey(key.constData());
    QCOMPARE(QByteArray(ctrl.networkInfo.SSID), expectedSsid);
    QCOMPARE(QByteArray(ctrl.networkInfo.EncryptKey), expectedKey);
    QCOMPARE(ctrl.networkInfo.SSID[QLX_SSID_MAX_LENGTH], '\0');
    QCOMPARE(ctrl.networkInfo.EncryptKey[QLX_ENCRYPT_KEY_MAX_LENGTH], '\0');
    // The neighbouring fields are not touched.
    QCOMPARE(ctrl.networkInfo.DNS[3], uint8_t(0x5A));
    QCOMPARE(ctrl.networkInfo.reserved[0], uint8_t(0x5A));
}

void TestController::saveThenLoad()
{
    CQlxSdk_Ctrl ctrl;
    const uint8_t ip[4] = {192, 168, 0, 10};
    const uint8_t mask[4] = {255, 255, 255, 0};
    const uint8_t gateway[4] = {192, 168, 0, 1};
    const uint8_t dns[4] = {0, 0, 0, 0};
    ctrl.setIpAddress(ip);
    ctrl.setSubnetMask(mask);
    ctrl.setDefaultGateway(gateway);
    ctrl.setDns(dns);
    ctrl.networkInfo.APConnectUse = eAPConnect_ON;
    ctrl.networkInfo.DHCPUse = eDHCP_ON;
    ctrl.setSsid("LabNet");
    ctrl.setEncryptKey("pass word");
    const QByteArray path = local8(m_files.filePath("net.ini"));
    QVERIFY(ctrl.saveNetworkFile(path.constData()));

    CQlxSdk_Ctrl loaded;
    QVERIFY(loaded.loadNetworkFile(path.constData()));
    QVERIFY(loaded.apConnectEnabled);
    QVERIFY(loaded.dhcpEnabled);
    QCOMPARE(loaded.ssidText, QStringLiteral("LabNet"));
    QCOMPARE(loaded.encryptKeyText, QStringLiteral("pass word"));
    QCOMPARE(loaded.ipAddressOctets, (QVector<QString>{"192", "168", "0", "10"}));
    QCOMPARE(loaded.dnsOctets, (QVector<QString>{"0", "0", "0", "0"}));
    QCOMPARE(std::memcmp(&ctrl.networkInfo, &loaded.networkInfo, sizeof ctrl.networkInfo), 0);
}

void TestController::loadRejectsSwitchValues_data()
{
    QTest::addColumn<QByteArray>("dhcp");
    QTest::addColumn<QByteArray>("ap");
    QTest::newRow("DHCPUse 2") << QByteArray("2") << QByteArray("1");
    QTest::newRow("APConnectUse -1") << QByteArray("0") << QByteArray("-1");
}

void TestController::loadRejectsSwitchValues()
{
    QFETCH(QByteArray, dhcp);
    QFETCH(QByteArray, ap);
    const QString path = m_files.filePath("switch.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Network]\r\nDHCPUse=" + dhcp +
               "\r\nIPAddress=1.2.3.4\r\nSubnetMask=255.0.0.0\r\nDefaultGateway=1.2.3.254\r\nSSID=x\r\n"
               "EncryptKey=y\r\nDNS=1.2.3.5\r\nAPConnectUse=" +
               ap + "\r\n");
    file.close();

    CQlxSdk_Ctrl ctrl;
    LogCapture log;
    QVERIFY(!ctrl.loadNetworkFile(local8(path).constData()));
    QVERIFY(log.lines().isEmpty());
    QVERIFY(ctrl.ssidText.isEmpty());
    QVERIFY(ctrl.ipAddressOctets.isEmpty());
    // The record keeps what the file held.
    QCOMPARE(ctrl.networkInfo.DHCPUse, dhcp.toInt());
    QCOMPARE(ctrl.networkInfo.APConnectUse, ap.toInt());
    QCOMPARE(ctrl.networkInfo.IPAddress[3], uint8_t(4));

    // Nor is a record holding such a switch saved: the file could not be loaded again.
    const QString savePath = m_files.filePath("switch-saved.ini");
    QVERIFY(!ctrl.saveNetworkFile(local8(savePath).constData()));
    QVERIFY(!QFileInfo::exists(savePath));
}

void TestController::loadMissingFile()
{
    CQlxSdk_Ctrl ctrl;
    LogCapture log;
    QVERIFY(!ctrl.loadNetworkFile(local8(m_files.filePath("missing.ini")).constData()));
    QCOMPARE(log.lines(), QStringList{"Failed to read networkInfo parameter data. \n"});
    QVERIFY(ctrl.ipAddressOctets.isEmpty());
}

void TestController::saveFailure()
{
    CQlxSdk_Ctrl ctrl;
    ctrl.setSsid("a");
    ctrl.setEncryptKey("b");
    LogCapture log;
    QVERIFY(!ctrl.saveNetworkFile(local8(m_files.filePath("no/such/folder/net.ini")).constData()));
    QCOMPARE(log.lines(), QStringList{"Failed to write network setting file. \n"});
}

// What the window's fields never hold (at most three characters each) but other callers may pass.
void TestController::addressTexts_data()
{
    QTest::addColumn<QString>("texts");
    QTest::addColumn<bool>("dhcpOn");
    QTest::addColumn<QString>("sent");

    QTest::newRow("as typed") << "192.168.000.7 255.255.255.0 192.168.0.1 8.8.8.8" << false
                              << "192.168.0.7 255.255.255.0 192.168.0.1 8.8.8.8";
    QTest::newRow("digits beyond an int") << "99999999999.0.0.1 0.0.0.0 0.0.0.0 0.0.0.0" << false << "";
    QTest::newRow("long run of leading zeros")
        << "0000000000007.0.0.1 0.0.0.0 0.0.0.0 0.0.0.0" << false << "7.0.0.1 0.0.0.0 0.0.0.0 0.0.0.0";
    QTest::newRow("three octets") << "10.0.0 0.0.0.0 0.0.0.0 0.0.0.0" << false << "";
    QTest::newRow("DHCP on, nothing examined")
        << "x.y.z. . . . . . . . . . . ." << true << "0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0";
}

void TestController::addressTexts()
{
    QFETCH(QString, texts);
    QFETCH(bool, dhcpOn);
    QFETCH(QString, sent);

    CQlxSdk_Ctrl::AddressTexts addressTexts;
    const QStringList addresses = texts.split(QLatin1Char(' '));
    for (int address = 0; address < CQlxSdk_Ctrl::NETWORK_ADDRESS_COUNT; ++address) {
        for (const QString &octet : addresses.value(address).split(QLatin1Char('.')))
            addressTexts[address].append(octet);
    }
    CQlxSdk_Ctrl::AddressOctets values;
    std::memset(values, 0xA5, sizeof values);
    const bool accepted = CQlxSdk_Ctrl::addressesToSend(dhcpOn, addressTexts, values);
    QCOMPARE(accepted, !sent.isEmpty());
    QStringList result;
    for (const auto &address : values)
        result.append(
            QStringLiteral("%1.%2.%3.%4").arg(address[0]).arg(address[1]).arg(address[2]).arg(address[3]));
    QCOMPARE(result.join(QLatin1Char(' ')),
             accepted ? sent : "165.165.165.165 165.165.165.165 165.165.165.165 165.165.165.165");
}

void TestController::calibSerialNumbers()
{
    QVERIFY(connectTo(calibratedInstrument()));
    QVERIFY(m_ctrl->readCalibSerialNumbers());
    QCOMPARE(m_ctrl->whitePlateSerialText, QStringLiteral("12345678"));
    QCOMPARE(m_ctrl->ambientAdapterSerialText, QStringLiteral("00012345"));
}

void TestController::calibSerialNumbersFailure()
{
    QVERIFY(connectTo(calibratedInstrument()));
    QVERIFY(m_ctrl->readCalibSerialNumbers());
    QLXSIM_InjectStatus("QLX_JIG_GetFactoryCalib_CALREFDATA", QLX_ERROR_NDT);
    LogCapture log;
    QVERIFY(!m_ctrl->readCalibSerialNumbers());
    QVERIFY(m_ctrl->whitePlateSerialText.isEmpty());
    QVERIFY(m_ctrl->ambientAdapterSerialText.isEmpty());
    QVERIFY(log.lines().isEmpty());
}

void TestController::checkSerialRanges_data()
{
    QTest::addColumn<bool>("white");
    QTest::addColumn<QByteArray>("serialLine");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("serial");

    QTest::newRow("white 10000000 refused") << true << QByteArray("10000000") << false << 10000000;
    QTest::newRow("white 10000001 accepted") << true << QByteArray("10000001") << true << 10000001;
    QTest::newRow("white 99999999 accepted") << true << QByteArray("99999999") << true << 99999999;
    QTest::newRow("white short line padded") << true << QByteArray("1") << false << 1;
    QTest::newRow("ambient 10000 refused") << false << QByteArray("00010000") << false << 10000;
    QTest::newRow("ambient 10001 accepted") << false << QByteArray("00010001") << true << 10001;
    QTest::newRow("ambient 99999 accepted") << false << QByteArray("00099999") << true << 99999;
    QTest::newRow("ambient 100000 refused") << false << QByteArray("00100000") << false << 100000;
}

void TestController::checkSerialRanges()
{
    QFETCH(bool, white);
    QFETCH(QByteArray, serialLine);
    QFETCH(bool, accepted);
    QFETCH(int, serial);

    const int count = int(white ? QLX_WHITE_VALUE_COUNT : QLX_AMBIENT_VALUE_COUNT);
    const QString path = writeValueFile(m_files, "values.csv", serialLine, count, 0.5);
    CQlxSdk_Ctrl ctrl;
    ctrl.whitePlateFileSerialText = ctrl.ambientAdapterFileSerialText = QStringLiteral("previous");
    LogCapture log;
    const bool result = white ? ctrl.checkWhitePlateFile(local8(path).constData())
                              : ctrl.checkAmbientAdapterFile(local8(path).constData());
    QCOMPARE(result, accepted);
    const QString &text = white ? ctrl.whitePlateFileSerialText : ctrl.ambientAdapterFileSerialText;
    QCOMPARE(text, accepted ? QStringLiteral("%1").arg(serial, 8, 10, QLatin1Char('0')) : QString());
    // The other accessory's text is not touched.
    QCOMPARE(white ? ctrl.ambientAdapterFileSerialText : ctrl.whitePlateFileSerialText,
             QStringLiteral("previous"));

    // The serial number and every value are logged, accepted or not.
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 1 + count);
    QCOMPARE(lines.first(), QStringLiteral("SerialNo: %1 \n").arg(serial));
    const QString prefix = white ? QStringLiteral("rfWhite.spcData") : QStringLiteral("rfAmbient.spcData");
    QCOMPARE(lines.at(1), prefix + QStringLiteral("[0]: 0.500000 \n"));
    QCOMPARE(lines.at(count),
             prefix + QStringLiteral("[%1]: %2 \n").arg(count - 1).arg(0.5 + (count - 1) * 0.25, 0, 'f', 6));
}

void TestController::checkUnreadableKeepsText()
{
    CQlxSdk_Ctrl ctrl;
    const QString good = writeValueFile(m_files, "good.csv", "10000123", int(QLX_WHITE_VALUE_COUNT), 1.0);
    QVERIFY(ctrl.checkWhitePlateFile(local8(good).constData()));
    QCOMPARE(ctrl.whitePlateFileSerialText, QStringLiteral("10000123"));

    const QString wrongCount = writeValueFile(m_files, "bad.csv", "10000999", 37, 1.0);
    LogCapture log;
    QVERIFY(!ctrl.checkWhitePlateFile(local8(wrongCount).constData()));
    QVERIFY(!ctrl.checkWhitePlateFile(local8(m_files.filePath("missing.csv")).constData()));
    QCOMPARE(ctrl.whitePlateFileSerialText, QStringLiteral("10000123"));
    QVERIFY(log.lines().isEmpty());
}

void TestController::registerWhiteChangesOnlyWhite()
{
    QVERIFY(connectTo(calibratedInstrument()));
    const QJsonObject before = m_sim->read(kInstrument).value("calibration").toObject();
    const QString path = writeValueFile(m_files, "white.csv", "20240101", int(QLX_WHITE_VALUE_COUNT), 0.75);
    QVERIFY(m_ctrl->registerWhitePlate(local8(path).constData()));

    const QJsonObject after = m_sim->read(kInstrument).value("calibration").toObject();
    QCOMPARE(after.value("whiteSerial").toString(), QStringLiteral("20240101"));
    const QJsonArray values = after.value("whiteValues").toArray();
    QCOMPARE(values.size(), int(QLX_WHITE_VALUE_COUNT));
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(float(values.at(i).toDouble()), float(0.75 + i * 0.25));
    QCOMPARE(after.value("ambientSerial"), before.value("ambientSerial"));
    QCOMPARE(after.value("ambientValues"), before.value("ambientValues"));
    QCOMPARE(after.value("otherCalibData"), before.value("otherCalibData"));
    QCOMPARE(QByteArray::fromBase64(after.value("otherCalibData").toString().toLatin1()),
             otherCalibPattern());

    // Registration leaves the serial texts to the caller.
    QVERIFY(m_ctrl->whitePlateSerialText.isEmpty());
    QVERIFY(m_ctrl->readCalibSerialNumbers());
    QCOMPARE(m_ctrl->whitePlateSerialText, QStringLiteral("20240101"));
}

void TestController::registerAmbientChangesOnlyAmbient()
{
    QVERIFY(connectTo(calibratedInstrument()));
    const QJsonObject before = m_sim->read(kInstrument).value("calibration").toObject();
    const QString path = writeValueFile(m_files, "amb.csv", "00054321", int(QLX_AMBIENT_VALUE_COUNT), 2.0);
    QVERIFY(m_ctrl->registerAmbientAdapter(local8(path).constData()));

    const QJsonObject after = m_sim->read(kInstrument).value("calibration").toObject();
    QCOMPARE(after.value("ambientSerial").toString(), QStringLiteral("00054321"));
    QCOMPARE(after.value("ambientValues").toArray().size(), int(QLX_AMBIENT_VALUE_COUNT));
    QCOMPARE(float(after.value("ambientValues").toArray().at(74).toDouble()), float(2.0 + 74 * 0.25));
    QCOMPARE(after.value("whiteSerial"), before.value("whiteSerial"));
    QCOMPARE(after.value("whiteValues"), before.value("whiteValues"));
    QCOMPARE(after.value("otherCalibData"), before.value("otherCalibData"));
}

void TestController::registerRefusedSerialWritesNothing()
{
    QVERIFY(connectTo(calibratedInstrument()));
    const QJsonObject before = m_sim->read(kInstrument);
    const QString path = writeValueFile(m_files, "white.csv", "10000000", int(QLX_WHITE_VALUE_COUNT), 0.75);
    LogCapture log;
    QVERIFY(!m_ctrl->registerWhitePlate(local8(path).constData()));
    QVERIFY(log.lines().isEmpty());
    QCOMPARE(QLXSIM_CallCount("QLX_JIG_SetFactoryCalib_CALREFDATA"), 0u);
    QCOMPARE(QLXSIM_CallCount("QLX_JIG_SetFactoryCalib_WriteSector"), 0u);
    QCOMPARE(m_sim->read(kInstrument), before);
}

void TestController::registerFailingSteps_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("skipCalls");
    QTest::addColumn<bool>("fileMissing");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("stored");

    QTest::newRow("first read") << "QLX_JIG_GetFactoryCalib_CALREFDATA" << 0 << false
                                << "QLX_JIG_GetFactoryCalib_CALREFDATA() failed.\n"
                                << false;
    QTest::newRow("file") << QString() << 0 << true << "file.GetCalRefDataFromFile() failed." << false;
    QTest::newRow("set") << "QLX_JIG_SetFactoryCalib_CALREFDATA" << 0 << false
                         << "file.QLX_JIG_SetFactoryCalib_CALREFDATA() failed.\n"
                         << false;
    QTest::newRow("write sector") << "QLX_JIG_SetFactoryCalib_WriteSector" << 0 << false
                                  << "QLX_JIG_SetFactoryCalib_WriteSector() failed.\n"
                                  << false;
    QTest::newRow("read-back") << "QLX_JIG_GetFactoryCalib_CALREFDATA" << 1 << false
                               << "QLX_JIG_GetFactoryCalib_CALREFDATA() failed.\n"
                               << true;
}

void TestController::registerFailingSteps()
{
    QFETCH(QString, function);
    QFETCH(int, skipCalls);
    QFETCH(bool, fileMissing);
    QFETCH(QString, line);
    QFETCH(bool, stored);

    QVERIFY(connectTo(calibratedInstrument()));
    const QString before =
        m_sim->read(kInstrument).value("calibration").toObject().value("whiteSerial").toString();
    const QString path =
        fileMissing ? m_files.filePath("missing.csv")
                    : writeValueFile(m_files, "white.csv", "20240101", int(QLX_WHITE_VALUE_COUNT), 1.0);
    if (!function.isEmpty())
        QLXSIM_InjectStatusAfter(function.toLatin1().constData(), QLX_ERROR_COMMUNICATION_TIMEOUT,
                                 uint32_t(skipCalls));
    LogCapture log;
    QVERIFY(!m_ctrl->registerWhitePlate(local8(path).constData()));
    QCOMPARE(log.lines(), QStringList{line});
    const QString after =
        m_sim->read(kInstrument).value("calibration").toObject().value("whiteSerial").toString();
    QCOMPARE(after, stored ? QStringLiteral("20240101") : before);
}

void TestController::registerReadBackDiffers()
{
    QJsonObject instrument = calibratedInstrument();
    instrument.insert("readBackDiffers", true);
    QVERIFY(connectTo(instrument));
    const QString path = writeValueFile(m_files, "amb.csv", "00054321", int(QLX_AMBIENT_VALUE_COUNT), 2.0);
    LogCapture log;
    QVERIFY(!m_ctrl->registerAmbientAdapter(local8(path).constData()));
    QCOMPARE(log.lines(), QStringList{"CALREFDATA is incorrect.\n"});
}

void TestController::shutdownTime()
{
    QJsonObject instrument = usbInstrument(1);
    instrument.insert("shutdownMode", 5);
    QVERIFY(connectTo(instrument));
    LogCapture log;
    QlxShutdownMode mode = 0;
    QVERIFY(m_ctrl->readShutdownTime(mode));
    QCOMPARE(mode, QlxShutdownMode(5));

    QVERIFY(m_ctrl->writeShutdownTime(QLX_SHUTDOWN_60_MIN));
    QCOMPARE(m_sim->read(kInstrument).value("shutdownMode").toInt(), 3);
    mode = 0;
    QVERIFY(m_ctrl->readShutdownTime(mode));
    QCOMPARE(mode, QlxShutdownMode(QLX_SHUTDOWN_60_MIN));
    QCOMPARE(log.lines(), (QStringList{"QLX_GetShutdownTime() success[mode:5].\n",
                                       "QLX_SetShutdownTime() success[mode:3].\n",
                                       "QLX_GetShutdownTime() success[mode:3].\n"}));
}

void TestController::shutdownTimeFailure()
{
    QJsonObject instrument = usbInstrument(1);
    instrument.insert("shutdownMode", 2);
    instrument.insert("faults", QJsonObject{{"QLX_GetShutdownTime", int(QLX_ERROR)},
                                            {"QLX_SetShutdownTime", int(QLX_ERROR_NAV)}});
    QVERIFY(connectTo(instrument));
    LogCapture log;
    QlxShutdownMode mode = 0;
    QVERIFY(!m_ctrl->readShutdownTime(mode));
    QCOMPARE(mode, QlxShutdownMode(0));
    QVERIFY(!m_ctrl->writeShutdownTime(QLX_SHUTDOWN_15_MIN));
    QCOMPARE(m_sim->read(kInstrument).value("shutdownMode").toInt(), 2);
    QCOMPARE(log.lines(), (QStringList{"QLX_GetShutdownTime() failed[mode:0].\n",
                                       "QLX_SetShutdownTime() failed[mode:1].\n"}));
}

void TestController::wifiModule_data()
{
    QTest::addColumn<int>("enable");
    QTest::addColumn<bool>("result");
    QTest::newRow("disabled") << 0 << false;
    QTest::newRow("enabled") << 1 << true;
    QTest::newRow("2 counts as enabled") << 2 << true;
}

void TestController::wifiModule()
{
    QFETCH(int, enable);
    QFETCH(bool, result);
    QJsonObject instrument = usbInstrument(1);
    instrument.insert("wifiModuleEnable", enable);
    QVERIFY(connectTo(instrument));
    LogCapture log;
    QCOMPARE(m_ctrl->readWifiModuleEnable(), result);
    QCOMPARE(log.lines(), QStringList{QStringLiteral("  wifiModuleEnable :      %1\n").arg(enable)});
}

void TestController::wifiModuleFailure()
{
    QVERIFY(connectTo(usbInstrument(1)));
    QLXSIM_InjectStatus("QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA", QLX_ERROR_CANT_USED);
    LogCapture log;
    QVERIFY(!m_ctrl->readWifiModuleEnable());
    QVERIFY(log.lines().isEmpty());
}

QTEST_GUILESS_MAIN(TestController)
#include "tst_controller.moc"
