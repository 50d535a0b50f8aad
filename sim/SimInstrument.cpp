#include "SimInstrument.h"

#include "SimJsonValues.h"

#include <QByteArray>

#include <cstring>

namespace qlxsim {

namespace {

constexpr const char *FUNCTION_NAMES[FUNCTION_COUNT] = {
    "QLX_RegisterDeviceEventHandler",
    "QLX_GetDevicePortList",
    "QLX_Connect",
    "QLX_Disconnect",
    "QLX_GetDeviceInfo",
    "QLX_GetNetworkInfo",
    "QLX_SetNetworkInfo",
    "QLX_GetShutdownTime",
    "QLX_SetShutdownTime",
    "QLX_JIG_GetFactoryCalib_ACTIONOPTIONDATA",
    "QLX_JIG_GetFactoryCalib_CALREFDATA",
    "QLX_JIG_SetFactoryCalib_CALREFDATA",
    "QLX_JIG_SetFactoryCalib_WriteSector",
};

// Defaults of the keys an instrument file may leave out.
constexpr int32_t DEFAULT_SERIAL_NO = 0;
constexpr uint32_t DEFAULT_FIRM_MAJOR = 1;
constexpr uint8_t DEFAULT_WIFI_MODULE_ENABLE = 1;
constexpr int MAX_LATENCY_MS = 60000;

} // namespace

const char *functionName(Function function)
{
    return FUNCTION_NAMES[static_cast<std::size_t>(function)];
}

std::optional<Function> functionByName(const QString &name)
{
    for (std::size_t i = 0; i < FUNCTION_COUNT; ++i) {
        if (name == QLatin1String(FUNCTION_NAMES[i]))
            return static_cast<Function>(i);
    }
    return std::nullopt;
}

std::optional<Instrument> parseInstrument(const QJsonObject &json, QString *error)
{
    JsonReader reader(error);
    Instrument instrument;

    instrument.port.portType =
        reader.int32(json, QStringLiteral("portType"), QLX_PORT_TYPE_USB, QStringLiteral("portType"));
    const QJsonValue portName = json.value(QStringLiteral("portName"));
    const QByteArray portNameBytes = portName.toString().toUtf8();
    if (!portName.isUndefined() && !portName.isString())
        reader.fail(QStringLiteral("portName"), QStringLiteral("expected a string"));
    else if (std::size_t(portNameBytes.size()) >= QLX_PORT_NAME_SIZE || portNameBytes.contains('\0'))
        reader.fail(QStringLiteral("portName"),
                    QStringLiteral("longer than %1 bytes in UTF-8").arg(QLX_PORT_NAME_SIZE - 1));
    else
        std::memcpy(instrument.port.portName, portNameBytes.constData(), std::size_t(portNameBytes.size()));
    instrument.port.serialNo =
        reader.int32(json, QStringLiteral("serialNo"), DEFAULT_SERIAL_NO, QStringLiteral("serialNo"));

    QlxDeviceInfo &device = instrument.device;
    device.serialNo = instrument.port.serialNo;
    const QJsonObject firmware = reader.object(json, QStringLiteral("firmware"), QStringLiteral("firmware"));
    device.firmMajor =
        static_cast<uint32_t>(reader.number(firmware.value(QStringLiteral("major")), 0, JSON_UINT32_MAX,
                                            DEFAULT_FIRM_MAJOR, QStringLiteral("firmware.major")));
    device.firmMinor = reader.int32(firmware, QStringLiteral("minor"), 0, QStringLiteral("firmware.minor"));
    device.firmBuild = reader.int32(firmware, QStringLiteral("build"), 0, QStringLiteral("firmware.build"));
    reader.mac(json, QStringLiteral("macAddress"), device.macAddress, QStringLiteral("macAddress"));

    instrument.options.wifiModuleEnable =
        reader.byte(json, QStringLiteral("wifiModuleEnable"), DEFAULT_WIFI_MODULE_ENABLE,
                    QStringLiteral("wifiModuleEnable"));
    instrument.shutdownMode = reader.byte(json, QStringLiteral("shutdownMode"), QLX_SHUTDOWN_15_MIN,
                                          QStringLiteral("shutdownMode"));

    const QJsonObject network = reader.object(json, QStringLiteral("network"), QStringLiteral("network"));
    QlxNetworkInfo &net = instrument.network;
    net.APConnectUse = reader.int32(network, QStringLiteral("APConnectUse"), eAPConnect_OFF,
                                    QStringLiteral("network.APConnectUse"));
    net.DHCPUse =
        reader.int32(network, QStringLiteral("DHCPUse"), eDHCP_ON, QStringLiteral("network.DHCPUse"));
    reader.dotted(network, QStringLiteral("IPAddress"), net.IPAddress, QStringLiteral("network.IPAddress"));
    reader.dotted(network, QStringLiteral("SubnetMask"), net.SubnetMask,
                  QStringLiteral("network.SubnetMask"));
    reader.dotted(network, QStringLiteral("DefaultGateway"), net.DefaultGateway,
                  QStringLiteral("network.DefaultGateway"));
    reader.dotted(network, QStringLiteral("DNS"), net.DNS, QStringLiteral("network.DNS"));
    reader.text(network, QStringLiteral("SSID"), net.SSID, sizeof net.SSID, QStringLiteral("network.SSID"));
    reader.text(network, QStringLiteral("EncryptKey"), net.EncryptKey, sizeof net.EncryptKey,
                QStringLiteral("network.EncryptKey"));

    const QJsonObject calibration =
        reader.object(json, QStringLiteral("calibration"), QStringLiteral("calibration"));
    QlxCalRefData &cal = instrument.calibration;
    reader.bcdSerial(calibration, QStringLiteral("whiteSerial"), cal.rfWhite.serialNo,
                     QStringLiteral("calibration.whiteSerial"));
    reader.floats(calibration, QStringLiteral("whiteValues"), cal.rfWhite.spcData,
                  QStringLiteral("calibration.whiteValues"));
    reader.bcdSerial(calibration, QStringLiteral("ambientSerial"), cal.rfAmbient.serialNo,
                     QStringLiteral("calibration.ambientSerial"));
    reader.floats(calibration, QStringLiteral("ambientValues"), cal.rfAmbient.spcData,
                  QStringLiteral("calibration.ambientValues"));
    reader.base64(calibration, QStringLiteral("otherCalibData"), cal.otherCalibData,
                  sizeof cal.otherCalibData, QStringLiteral("calibration.otherCalibData"));

    const QJsonObject faults = reader.object(json, QStringLiteral("faults"), QStringLiteral("faults"));
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        const QString path = QStringLiteral("faults.") + it.key();
        const std::optional<Function> function = functionByName(it.key());
        if (!function || *function == Function::REGISTER_DEVICE_EVENT_HANDLER) {
            reader.fail(path, QStringLiteral("not a function that works on an instrument"));
            break;
        }
        instrument.faults[static_cast<std::size_t>(*function)] = static_cast<int32_t>(
            reader.number(it.value(), JSON_INT32_MIN, JSON_INT32_MAX, QLX_SUCCESS, path));
    }

    instrument.readBackDiffers =
        reader.boolean(json, QStringLiteral("readBackDiffers"), QStringLiteral("readBackDiffers"));
    instrument.latencyMs = static_cast<int>(reader.number(json.value(QStringLiteral("latencyMs")), 0,
                                                          MAX_LATENCY_MS, 0, QStringLiteral("latencyMs")));
    instrument.unplugged = reader.boolean(json, QStringLiteral("unplugged"), QStringLiteral("unplugged"));

    if (reader.failed())
        return std::nullopt;
    return instrument;
}

void storeNetwork(QJsonObject &json, const QlxNetworkInfo &network)
{
    QJsonObject object = json.value(QStringLiteral("network")).toObject();
    object.insert(QStringLiteral("APConnectUse"), network.APConnectUse);
    object.insert(QStringLiteral("DHCPUse"), network.DHCPUse);
    object.insert(QStringLiteral("IPAddress"), dottedText(network.IPAddress));
    object.insert(QStringLiteral("SubnetMask"), dottedText(network.SubnetMask));
    object.insert(QStringLiteral("DefaultGateway"), dottedText(network.DefaultGateway));
    object.insert(QStringLiteral("DNS"), dottedText(network.DNS));
    object.insert(QStringLiteral("SSID"), textValue(network.SSID, QLX_SSID_MAX_LENGTH));
    object.insert(QStringLiteral("EncryptKey"), textValue(network.EncryptKey, QLX_ENCRYPT_KEY_MAX_LENGTH));
    json.insert(QStringLiteral("network"), object);
}

void storeShutdownMode(QJsonObject &json, QlxShutdownMode mode)
{
    json.insert(QStringLiteral("shutdownMode"), mode);
}

void storeCalibration(QJsonObject &json, const QlxCalRefData &calibration)
{
    QJsonObject object = json.value(QStringLiteral("calibration")).toObject();
    object.insert(QStringLiteral("whiteSerial"), hexText(calibration.rfWhite.serialNo, QLX_CAL_SERIAL_SIZE));
    object.insert(QStringLiteral("whiteValues"), floatArray(calibration.rfWhite.spcData));
    object.insert(QStringLiteral("ambientSerial"),
                  hexText(calibration.rfAmbient.serialNo, QLX_CAL_SERIAL_SIZE));
    object.insert(QStringLiteral("ambientValues"), floatArray(calibration.rfAmbient.spcData));
    object.insert(QStringLiteral("otherCalibData"),
                  QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(calibration.otherCalibData),
                                                 int(sizeof calibration.otherCalibData))
                                          .toBase64()));
    json.insert(QStringLiteral("calibration"), object);
}

QJsonObject instrumentToJson(const Instrument &instrument)
{
    const QlxDeviceInfo &device = instrument.device;
    QJsonObject json{
        {QStringLiteral("portType"), instrument.port.portType},
        {QStringLiteral("portName"),
         QString::fromUtf8(instrument.port.portName,
                           int(qstrnlen(instrument.port.portName, QLX_PORT_NAME_SIZE)))},
        {QStringLiteral("serialNo"), instrument.port.serialNo},
        {QStringLiteral("firmware"), QJsonObject{{QStringLiteral("major"), double(device.firmMajor)},
                                                 {QStringLiteral("minor"), device.firmMinor},
                                                 {QStringLiteral("build"), device.firmBuild}}},
        {QStringLiteral("macAddress"), macText(device.macAddress)},
        {QStringLiteral("wifiModuleEnable"), instrument.options.wifiModuleEnable},
    };
    storeShutdownMode(json, instrument.shutdownMode);
    storeNetwork(json, instrument.network);
    storeCalibration(json, instrument.calibration);
    return json;
}

} // namespace qlxsim
