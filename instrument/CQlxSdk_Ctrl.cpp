#include "CQlxSdk_Ctrl.h"

#include "files/CFileIO.h"
#include "files/CalValueWriter.h"
#include "instrument/EightBitText.h"

#include <QFile>
#include <QtGlobal>

#include <cstring>
#include <vector>

std::atomic<bool> deviceDisconnected{false};

QString serialNumberLabel(int32_t serialNo)
{
    return QStringLiteral("%1").arg(serialNo, 8, 10, QLatin1Char('0'));
}

namespace {

QString portLabel(const QlxPortInfo &port)
{
    if (port.portType == QLX_PORT_TYPE_USB)
        return QStringLiteral("KALDO-1(USB,Serial#%1)").arg(serialNumberLabel(port.serialNo));
    // The library ends each name with a zero byte; a name without one is read up to the end of
    // its field, never past it.
    const QString name = textFromEightBit(port.portName, sizeof port.portName);
    return QStringLiteral("KALDO-1(%1,Serial#%2)").arg(name, serialNumberLabel(port.serialNo));
}

} // namespace

void onDeviceEvent(int32_t outEventCode, int32_t outRAWDataCount, int32_t outError)
{
    qDebug("outEventCode[%d],outRAWDataCount[%d],outError[%d] \n", outEventCode, outRAWDataCount, outError);
    const uint32_t code = static_cast<uint32_t>(outEventCode);
    if (code > QLX_EVENT_CODE_MAX) {
        qDebug("eEventCode Unknown[%d] \n", outEventCode);
        return;
    }
    switch (outEventCode) {
    case eEventCode_Standby:
        qDebug("eEventCode_Standby \n");
        deviceDisconnected = false;
        break;
    case eEventCode_DisConnect:
        qDebug("eEventCode_DisConnect \n");
        deviceDisconnected = true;
        break;
    default:
        break;
    }
}

CQlxSdk_Ctrl::CQlxSdk_Ctrl()
{
    lastStatus = QLX_RegisterDeviceEventHandler(onDeviceEvent);
}

CQlxSdk_Ctrl::~CQlxSdk_Ctrl()
{
    lastStatus = QLX_RegisterDeviceEventHandler(nullptr);
}

bool CQlxSdk_Ctrl::refreshPortList()
{
    const int32_t countStatus = QLX_GetDevicePortList(nullptr, &reportedPortCount, 0);
    lastStatus = countStatus;
    qDebug("port count[%d] \n", static_cast<int>(reportedPortCount));

    std::memset(portTable, 0, sizeof portTable);
    portCount = 0;
    ports.clear();
    portLabels.clear();
    unlistedPortCount = 0;

    if (!qlxSucceeded(countStatus))
        return false;

    lastStatus = QLX_GetDevicePortList(portTable, &reportedPortCount, QLX_PORT_TABLE_CAPACITY);
    if (!qlxSucceeded(lastStatus))
        return false;

    // The table holds QLX_PORT_TABLE_CAPACITY records; a larger reported count lists only those.
    takePorts(portTable, qMin(reportedPortCount, QLX_PORT_TABLE_CAPACITY));
    return true;
}

bool CQlxSdk_Ctrl::refreshFullPortList()
{
    lastStatus = QLX_GetDevicePortList(nullptr, &reportedPortCount, 0);
    qDebug("port count[%d] \n", static_cast<int>(reportedPortCount));
    portCount = 0;
    ports.clear();
    portLabels.clear();
    unlistedPortCount = 0;
    if (!qlxSucceeded(lastStatus))
        return false;

    // Instruments that come up between the count and the list make the table too small: the
    // list is asked again with the new count, a few times.
    constexpr int LIST_ATTEMPTS = 3;
    std::vector<QlxPortInfo> table;
    for (int attempt = 0; attempt < LIST_ATTEMPTS; ++attempt) {
        table.assign(qMin(reportedPortCount, FULL_PORT_LIST_LIMIT), QlxPortInfo{});
        const uint32_t capacity = uint32_t(table.size());
        lastStatus =
            QLX_GetDevicePortList(table.empty() ? nullptr : table.data(), &reportedPortCount, capacity);
        if (!qlxSucceeded(lastStatus))
            return false;
        if (reportedPortCount <= capacity || capacity == FULL_PORT_LIST_LIMIT)
            break;
    }
    takePorts(table.data(), qMin(reportedPortCount, uint32_t(table.size())));
    return true;
}

void CQlxSdk_Ctrl::takePorts(const QlxPortInfo *table, uint32_t listed)
{
    for (uint32_t i = 0; i < listed; ++i) {
        ports.append(table[i]);
        ++portCount;
        portLabels.append(portLabel(table[i]));
    }
    unlistedPortCount = reportedPortCount - listed;
}

bool CQlxSdk_Ctrl::connectDevice(int32_t portIndex, int32_t connectParam)
{
    // An index outside the list would hand the library a record that does not exist.
    if (portIndex < 0 || portIndex >= ports.size()) {
        qDebug("conect error \n");
        return false;
    }
    lastStatus = QLX_Connect(&ports[portIndex], connectParam);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("conect error \n");
        return false;
    }
    connected = true;
    return true;
}

bool CQlxSdk_Ctrl::disconnectDevice()
{
    if (!connected) {
        qDebug("diconect already \n");
        return false;
    }
    lastStatus = QLX_Disconnect();
    if (!qlxSucceeded(lastStatus)) {
        qDebug("diconect error \n");
        return false;
    }
    connected = false;
    return true;
}

bool CQlxSdk_Ctrl::readDeviceInfo()
{
    lastStatus = QLX_GetDeviceInfo(&deviceInfo);
    if (!qlxSucceeded(lastStatus)) {
        serialNumberText.clear();
        firmwareVersionText.clear();
        macAddressText.clear();
        qDebug("Failed to read Firm data. \n");
        return false;
    }
    serialNumberText = QString::asprintf("%08d", deviceInfo.serialNo);
    firmwareVersionText =
        QString::asprintf("%u.%02d.%04d", deviceInfo.firmMajor, deviceInfo.firmMinor, deviceInfo.firmBuild);
    const uint8_t *mac = deviceInfo.macAddress;
    macAddressText =
        QString::asprintf("%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return true;
}

namespace {

QVector<QString> octetTexts(const uint8_t (&octets)[QLX_IPV4_SIZE])
{
    QVector<QString> texts;
    for (uint8_t octet : octets)
        texts.append(QString::number(octet));
    return texts;
}

void copyText(char *field, std::size_t maxLength, const char *text)
{
    std::strncpy(field, text ? text : "", maxLength);
    field[maxLength] = '\0';
}

// The values a network settings file may hold for the two switches.
bool isSwitch(int32_t value)
{
    return value == 0 || value == 1;
}

} // namespace

void CQlxSdk_Ctrl::clearNetworkTexts()
{
    ssidText.clear();
    encryptKeyText.clear();
    ipAddressOctets.clear();
    subnetMaskOctets.clear();
    defaultGatewayOctets.clear();
    dnsOctets.clear();
}

void CQlxSdk_Ctrl::networkInfoToTexts()
{
    apConnectEnabled = networkInfo.APConnectUse != eAPConnect_OFF;
    dhcpEnabled = networkInfo.DHCPUse != eDHCP_OFF;
    ssidText = textFromEightBit(networkInfo.SSID, sizeof networkInfo.SSID);
    encryptKeyText = textFromEightBit(networkInfo.EncryptKey, sizeof networkInfo.EncryptKey);
    ipAddressOctets = octetTexts(networkInfo.IPAddress);
    subnetMaskOctets = octetTexts(networkInfo.SubnetMask);
    defaultGatewayOctets = octetTexts(networkInfo.DefaultGateway);
    dnsOctets = octetTexts(networkInfo.DNS);
}

bool CQlxSdk_Ctrl::readNetworkInfo()
{
    clearNetworkTexts();
    std::memset(&networkInfo, 0, sizeof networkInfo);
    lastStatus = QLX_GetNetworkInfo(&networkInfo);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("Failed to QLX_GetNetworkInfo(). \n");
        return false;
    }
    networkInfoToTexts();
    return true;
}

bool CQlxSdk_Ctrl::loadNetworkFile(const char *path)
{
    clearNetworkTexts();
    std::memset(&networkInfo, 0, sizeof networkInfo);
    CFileIO file;
    if (!file.GetNetworkInfoFromFile(path, networkInfo)) {
        qDebug("Failed to read networkInfo parameter data. \n");
        return false;
    }
    if (!isSwitch(networkInfo.APConnectUse) || !isSwitch(networkInfo.DHCPUse))
        return false;
    networkInfoToTexts();
    return true;
}

bool CQlxSdk_Ctrl::writeNetworkInfo()
{
    lastStatus = QLX_SetNetworkInfo(&networkInfo);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("Failed to QLX_SetNetworkInfo(). \n");
        return false;
    }
    return true;
}

bool CQlxSdk_Ctrl::saveNetworkFile(const char *path)
{
    // A file that loadNetworkFile would refuse is not written.
    CFileIO file;
    const bool written = isSwitch(networkInfo.APConnectUse) && isSwitch(networkInfo.DHCPUse) &&
                         file.SetNetworkInfoToFile(path, networkInfo);
    if (!written)
        qDebug("Failed to write network setting file. \n");
    return written;
}

void CQlxSdk_Ctrl::setIpAddress(const uint8_t octets[QLX_IPV4_SIZE])
{
    std::memcpy(networkInfo.IPAddress, octets, QLX_IPV4_SIZE);
}

void CQlxSdk_Ctrl::setSubnetMask(const uint8_t octets[QLX_IPV4_SIZE])
{
    std::memcpy(networkInfo.SubnetMask, octets, QLX_IPV4_SIZE);
}

void CQlxSdk_Ctrl::setDefaultGateway(const uint8_t octets[QLX_IPV4_SIZE])
{
    std::memcpy(networkInfo.DefaultGateway, octets, QLX_IPV4_SIZE);
}

void CQlxSdk_Ctrl::setDns(const uint8_t octets[QLX_IPV4_SIZE])
{
    std::memcpy(networkInfo.DNS, octets, QLX_IPV4_SIZE);
}

void CQlxSdk_Ctrl::setSsid(const char *text)
{
    copyText(networkInfo.SSID, QLX_SSID_MAX_LENGTH, text);
}

void CQlxSdk_Ctrl::setEncryptKey(const char *text)
{
    copyText(networkInfo.EncryptKey, QLX_ENCRYPT_KEY_MAX_LENGTH, text);
}

namespace {

constexpr int OCTET_MAX = 255;
constexpr char16_t FIRST_DIGIT = 0x30;
constexpr char16_t LAST_DIGIT = 0x39;

} // namespace

bool CQlxSdk_Ctrl::isDigitsOnly(const QString &text)
{
    qDebug("length:%d\n", int(text.length()));
    if (text.isEmpty())
        return false;
    for (int i = 0; i < text.length(); ++i) {
        const char16_t code = text.at(i).unicode();
        qDebug("char[%d]:0x%04x\n", i, static_cast<unsigned>(code));
        if (code < FIRST_DIGIT || code > LAST_DIGIT)
            return false;
    }
    return true;
}

bool CQlxSdk_Ctrl::octetsFromTexts(const AddressTexts &texts, AddressOctets &values)
{
    constexpr int octetCount = int(QLX_IPV4_SIZE);
    for (int address = 0; address < NETWORK_ADDRESS_COUNT; ++address) {
        for (int octet = 0; octet < octetCount; ++octet) {
            if (!isDigitsOnly(texts[address].value(octet)))
                return false;
        }
    }
    // A run of digits too long for an int counts as a value above 255, never as 0.
    int parsed[NETWORK_ADDRESS_COUNT][octetCount];
    for (int address = 0; address < NETWORK_ADDRESS_COUNT; ++address) {
        for (int octet = 0; octet < octetCount; ++octet) {
            bool converted = false;
            const int value = texts[address].value(octet).toInt(&converted, 10);
            parsed[address][octet] = converted ? value : OCTET_MAX + 1;
        }
    }
    for (int octet = 0; octet < octetCount; ++octet) {
        for (int address = 0; address < NETWORK_ADDRESS_COUNT; ++address) {
            if (parsed[address][octet] > OCTET_MAX)
                return false;
        }
    }
    for (int address = 0; address < NETWORK_ADDRESS_COUNT; ++address) {
        for (int octet = 0; octet < octetCount; ++octet)
            values[address][octet] = static_cast<uint8_t>(parsed[address][octet]);
    }
    return true;
}

bool CQlxSdk_Ctrl::addressesToSend(bool dhcpOn, const AddressTexts &texts, AddressOctets &values)
{
    if (dhcpOn) {
        std::memset(values, 0, sizeof(AddressOctets));
        return true;
    }
    return octetsFromTexts(texts, values);
}

namespace {

// White calibration plate serial numbers must lie above this limit.
constexpr uint32_t WHITE_SERIAL_EXCLUSIVE_MIN = 10000000;
constexpr uint32_t AMBIENT_SERIAL_MIN = 10001;
constexpr uint32_t AMBIENT_SERIAL_MAX = 99999;

enum class Accessory
{
    WhitePlate,
    AmbientAdapter
};

// Serial number held as packed BCD, most significant byte first.
uint32_t bcdSerial(const uint8_t (&bcd)[QLX_CAL_SERIAL_SIZE])
{
    CFileIO decoder;
    return uint32_t(decoder.BcdToDec(bcd[0])) * 1000000u + uint32_t(decoder.BcdToDec(bcd[1])) * 10000u +
           uint32_t(decoder.BcdToDec(bcd[2])) * 100u + uint32_t(decoder.BcdToDec(bcd[3]));
}

QString calSerialText(uint32_t serial)
{
    return QStringLiteral("%1").arg(serial, 8, 10, QLatin1Char('0'));
}

uint32_t accessorySerial(Accessory which, const QlxCalRefData &record)
{
    return bcdSerial(which == Accessory::WhitePlate ? record.rfWhite.serialNo : record.rfAmbient.serialNo);
}

bool serialAccepted(Accessory which, uint32_t serial)
{
    if (which == Accessory::WhitePlate)
        return serial > WHITE_SERIAL_EXCLUSIVE_MIN;
    return serial >= AMBIENT_SERIAL_MIN && serial <= AMBIENT_SERIAL_MAX;
}

// Reads the accessory's value file into its part of record; the rest of record is left as it was.
bool readValueFile(Accessory which, const char *path, QlxCalRefData &record)
{
    CFileIO file;
    if (which == Accessory::WhitePlate)
        return file.GetCalRefDataFromFile(path, record.rfWhite);
    return file.GetCalRefDataFromFile(path, record);
}

void logValues(Accessory which, const QlxCalRefData &record)
{
    if (which == Accessory::WhitePlate) {
        for (std::size_t i = 0; i < QLX_WHITE_VALUE_COUNT; ++i)
            qDebug("rfWhite.spcData[%d]: %f \n", int(i), double(record.rfWhite.spcData[i]));
    } else {
        for (std::size_t i = 0; i < QLX_AMBIENT_VALUE_COUNT; ++i)
            qDebug("rfAmbient.spcData[%d]: %f \n", int(i), double(record.rfAmbient.spcData[i]));
    }
}

// Reads a value file and tests its serial number; fileSerialText is set on a readable file.
bool checkValueFile(Accessory which, const char *path, QString &fileSerialText)
{
    // A file that supplies no serial number leaves zeros, never bytes of an earlier record.
    QlxCalRefData record = {};
    if (!readValueFile(which, path, record))
        return false;
    const uint32_t serial = accessorySerial(which, record);
    const bool accepted = serialAccepted(which, serial);
    fileSerialText = accepted ? calSerialText(serial) : QString();
    qDebug("SerialNo: %d \n", int(serial));
    logValues(which, record);
    return accepted;
}

// Sends a whole calibration record, stores it and compares what the instrument then holds.
bool writeAndVerify(QlxCalRefData sent, int32_t &lastStatus)
{
    lastStatus = QLX_JIG_SetFactoryCalib_CALREFDATA(&sent);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("file.QLX_JIG_SetFactoryCalib_CALREFDATA() failed.\n");
        return false;
    }
    lastStatus = QLX_JIG_SetFactoryCalib_WriteSector();
    if (!qlxSucceeded(lastStatus)) {
        qDebug("QLX_JIG_SetFactoryCalib_WriteSector() failed.\n");
        return false;
    }
    QlxCalRefData stored = {};
    lastStatus = QLX_JIG_GetFactoryCalib_CALREFDATA(&stored);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("QLX_JIG_GetFactoryCalib_CALREFDATA() failed.\n");
        return false;
    }
    if (std::memcmp(&sent, &stored, sizeof sent) != 0) {
        qDebug("CALREFDATA is incorrect.\n");
        return false;
    }
    return true;
}

// Read-modify-write of the whole calibration record, then a read-back comparison.
bool registerValueFile(Accessory which, const char *path, int32_t &lastStatus)
{
    QlxCalRefData sent = {};
    lastStatus = QLX_JIG_GetFactoryCalib_CALREFDATA(&sent);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("QLX_JIG_GetFactoryCalib_CALREFDATA() failed.\n");
        return false;
    }
    if (!readValueFile(which, path, sent)) {
        qDebug("file.GetCalRefDataFromFile() failed.");
        return false;
    }
    if (!serialAccepted(which, accessorySerial(which, sent)))
        return false;
    return writeAndVerify(sent, lastStatus);
}

// Writes one accessory's part of record as a value file and reads it back: the file is kept
// only when the reader gives back exactly the same bytes.
bool saveValueFile(Accessory which, const QString &path, const QlxCalRefData &record)
{
    const bool white = which == Accessory::WhitePlate;
    const QByteArray text = white ? calValueFileText("White calibration plate", record.rfWhite.serialNo,
                                                     record.rfWhite.spcData, QLX_WHITE_VALUE_COUNT)
                                  : calValueFileText("Ambient light adapter", record.rfAmbient.serialNo,
                                                     record.rfAmbient.spcData, QLX_AMBIENT_VALUE_COUNT);
    if (!writeWholeFile(path, text))
        return false;
    QlxCalRefData readBack = {};
    const QByteArray localPath = filePathArgument(path);
    const bool same =
        readValueFile(which, localPath.constData(), readBack) &&
        (white ? std::memcmp(&readBack.rfWhite, &record.rfWhite, sizeof record.rfWhite)
               : std::memcmp(&readBack.rfAmbient, &record.rfAmbient, sizeof record.rfAmbient)) == 0;
    if (!same)
        QFile::remove(path);
    return same;
}

} // namespace

bool CQlxSdk_Ctrl::readCalibSerialNumbers()
{
    whitePlateSerialText.clear();
    ambientAdapterSerialText.clear();
    QlxCalRefData record = {};
    lastStatus = QLX_JIG_GetFactoryCalib_CALREFDATA(&record);
    if (!qlxSucceeded(lastStatus))
        return false;
    whitePlateSerialText = calSerialText(accessorySerial(Accessory::WhitePlate, record));
    ambientAdapterSerialText = calSerialText(accessorySerial(Accessory::AmbientAdapter, record));
    return true;
}

bool CQlxSdk_Ctrl::checkWhitePlateFile(const char *path)
{
    return checkValueFile(Accessory::WhitePlate, path, whitePlateFileSerialText);
}

bool CQlxSdk_Ctrl::checkAmbientAdapterFile(const char *path)
{
    return checkValueFile(Accessory::AmbientAdapter, path, ambientAdapterFileSerialText);
}

bool CQlxSdk_Ctrl::registerWhitePlate(const char *path)
{
    return registerValueFile(Accessory::WhitePlate, path, lastStatus);
}

bool CQlxSdk_Ctrl::registerAmbientAdapter(const char *path)
{
    return registerValueFile(Accessory::AmbientAdapter, path, lastStatus);
}

bool CQlxSdk_Ctrl::readCalibReferences(QlxCalRefData &record)
{
    record = {};
    lastStatus = QLX_JIG_GetFactoryCalib_CALREFDATA(&record);
    if (!qlxSucceeded(lastStatus)) {
        qDebug("QLX_JIG_GetFactoryCalib_CALREFDATA() failed.\n");
        return false;
    }
    return true;
}

bool CQlxSdk_Ctrl::writeCalibReferences(const QlxCalRefData &references, bool white, bool ambient)
{
    QlxCalRefData sent = {};
    if (!readCalibReferences(sent))
        return false;
    if (white)
        sent.rfWhite = references.rfWhite;
    if (ambient)
        sent.rfAmbient = references.rfAmbient;
    return writeAndVerify(sent, lastStatus);
}

bool CQlxSdk_Ctrl::readWhitePlateFile(const char *path, QlxCalRefData &record)
{
    return readValueFile(Accessory::WhitePlate, path, record);
}

bool CQlxSdk_Ctrl::readAmbientAdapterFile(const char *path, QlxCalRefData &record)
{
    return readValueFile(Accessory::AmbientAdapter, path, record);
}

bool CQlxSdk_Ctrl::whitePlateSerialAccepted(const QlxCalRefData &record)
{
    return serialAccepted(Accessory::WhitePlate, accessorySerial(Accessory::WhitePlate, record));
}

bool CQlxSdk_Ctrl::ambientAdapterSerialAccepted(const QlxCalRefData &record)
{
    return serialAccepted(Accessory::AmbientAdapter, accessorySerial(Accessory::AmbientAdapter, record));
}

bool CQlxSdk_Ctrl::saveWhitePlateFile(const QString &path, const QlxCalRefData &record)
{
    return saveValueFile(Accessory::WhitePlate, path, record);
}

bool CQlxSdk_Ctrl::saveAmbientAdapterFile(const QString &path, const QlxCalRefData &record)
{
    return saveValueFile(Accessory::AmbientAdapter, path, record);
}

bool CQlxSdk_Ctrl::readShutdownTime(QlxShutdownMode &mode)
{
    lastStatus = QLX_GetShutdownTime(&mode);
    if (qlxSucceeded(lastStatus))
        qDebug("QLX_GetShutdownTime() success[mode:%d].\n", int(mode));
    else
        qDebug("QLX_GetShutdownTime() failed[mode:%d].\n", int(mode));
    return qlxSucceeded(lastStatus);
}

bool CQlxSdk_Ctrl::writeShutdownTime(QlxShutdownMode mode)
{
    QlxShutdownMode sent = mode;
    lastStatus = QLX_SetShutdownTime(&sent);
    if (qlxSucceeded(lastStatus))
        qDebug("QLX_SetShutdownTime() success[mode:%d].\n", int(mode));
    else
        qDebug("QLX_SetShutdownTime() failed[mode:%d].\n", int(mode));
    return qlxSucceeded(lastStatus);
}

bool CQlxSdk_Ctrl::readWifiModuleEnable()
{
    QlxActionOptionData options = {};
    lastStatus = QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA(&options);
    if (!qlxSucceeded(lastStatus))
        return false;
    qDebug("  wifiModuleEnable :      %d\n", int(options.wifiModuleEnable));
    return options.wifiModuleEnable != 0;
}
