#include "CQlxSdk_Ctrl.h"

#include <QtGlobal>

#include <cstring>

std::atomic<bool> deviceDisconnected{false};

namespace {

// Serial numbers are shown as 8 decimal digits, zero-filled.
QString serialLabelText(int32_t serialNo) { return QStringLiteral("%1").arg(serialNo, 8, 10, QLatin1Char('0')); }

QString portLabel(const QlxPortInfo &port)
{
    if (port.portType == QLX_PORT_TYPE_USB)
        return QStringLiteral("KALDO-1(USB,Serial#%1)").arg(serialLabelText(port.serialNo));
    // The library ends each name with a zero byte; a name without one is read up to the end of
    // its field, never past it.
    const QString name = QString::fromUtf8(port.portName, int(qstrnlen(port.portName, sizeof port.portName)));
    return QStringLiteral("KALDO-1(%1,Serial#%2)").arg(name, serialLabelText(port.serialNo));
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

CQlxSdk_Ctrl::CQlxSdk_Ctrl() { lastStatus = QLX_RegisterDeviceEventHandler(onDeviceEvent); }

CQlxSdk_Ctrl::~CQlxSdk_Ctrl() { lastStatus = QLX_RegisterDeviceEventHandler(nullptr); }

bool CQlxSdk_Ctrl::refreshPortList()
{
    const int32_t countStatus = QLX_GetDevicePortList(nullptr, &reportedPortCount, 0);
    lastStatus = countStatus;
    qDebug("port count[%d] \n", static_cast<int>(reportedPortCount));

    std::memset(portTable, 0, sizeof portTable);
    portCount = 0;
    ports.clear();
    portLabels.clear();

    if (!qlxSucceeded(countStatus))
        return false;

    lastStatus = QLX_GetDevicePortList(portTable, &reportedPortCount, QLX_PORT_TABLE_CAPACITY);
    if (!qlxSucceeded(lastStatus))
        return false;

    // The table holds QLX_PORT_TABLE_CAPACITY records; a larger reported count lists only those.
    const uint32_t listed = qMin(reportedPortCount, QLX_PORT_TABLE_CAPACITY);
    for (uint32_t i = 0; i < listed; ++i) {
        ports.append(portTable[i]);
        ++portCount;
        portLabels.append(portLabel(portTable[i]));
    }
    return true;
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
