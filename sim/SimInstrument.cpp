#include "SimInstrument.h"

#include <QJsonArray>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>

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

// The default folder's two instruments.
constexpr int32_t PORT_TYPE_NETWORK = 2;
constexpr int32_t DEFAULT_USB_SERIAL_NO = 1234567;
constexpr int32_t DEFAULT_NETWORK_SERIAL_NO = 2345678;

// Largest JSON integer this library accepts where the record holds 32 bits.
constexpr double JSON_INT32_MIN = -2147483648.0;
constexpr double JSON_INT32_MAX = 2147483647.0;
constexpr double JSON_UINT32_MAX = 4294967295.0;
constexpr double JSON_UINT8_MAX = 255.0;

// A float that a JSON number cannot carry (NaN, infinities, negative zero) is written as its bits.
const QString FLOAT_BITS_PREFIX = QStringLiteral("0x");
constexpr int FLOAT_BITS_DIGITS = 8;
constexpr int HEX_BASE = 16;

// Text fields that are not valid UTF-8 are written as {"hex": "..."}.
const QString HEX_KEY = QStringLiteral("hex");

// Reads typed values out of an instrument's JSON; the first error wins and names its key.
class Reader
{
public:
    explicit Reader(QString *error) : m_error(error) {}

    bool failed() const { return m_failed; }

    bool fail(const QString &key, const QString &reason)
    {
        if (!m_failed && m_error)
            *m_error = key + QStringLiteral(": ") + reason;
        m_failed = true;
        return false;
    }

    // An optional sub-object; a missing key gives an empty object.
    QJsonObject object(const QJsonObject &json, const QString &key, const QString &path)
    {
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return {};
        if (!value.isObject())
            fail(path, QStringLiteral("expected an object"));
        return value.toObject();
    }

    double number(const QJsonValue &value, double min, double max, double fallback, const QString &path)
    {
        if (value.isUndefined())
            return fallback;
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number) || number < min || number > max) {
            fail(path,
                 QStringLiteral("expected an integer from %1 to %2").arg(min, 0, 'f', 0).arg(max, 0, 'f', 0));
            return fallback;
        }
        return number;
    }

    int32_t int32(const QJsonObject &json, const QString &key, int32_t fallback, const QString &path)
    {
        return static_cast<int32_t>(number(json.value(key), JSON_INT32_MIN, JSON_INT32_MAX, fallback, path));
    }

    uint8_t byte(const QJsonObject &json, const QString &key, uint8_t fallback, const QString &path)
    {
        return static_cast<uint8_t>(number(json.value(key), 0, JSON_UINT8_MAX, fallback, path));
    }

    bool boolean(const QJsonObject &json, const QString &key, const QString &path)
    {
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return false;
        if (!value.isBool())
            fail(path, QStringLiteral("expected true or false"));
        return value.toBool();
    }

    // A zero-terminated text field of `capacity` bytes holding at most capacity - 1 text bytes;
    // longer texts are cut after their last byte that fits.
    void text(const QJsonObject &json, const QString &key, char *field, std::size_t capacity,
              const QString &path)
    {
        const QJsonValue value = json.value(key);
        QByteArray bytes;
        if (value.isString()) {
            bytes = value.toString().toUtf8();
        } else if (value.isObject() && value.toObject().value(HEX_KEY).isString()) {
            if (!hexBytes(value.toObject().value(HEX_KEY).toString(), -1, &bytes))
                fail(path, QStringLiteral("expected hexadecimal digits in pairs"));
        } else if (!value.isUndefined()) {
            fail(path, QStringLiteral("expected a string or {\"hex\": \"...\"}"));
        }
        if (bytes.contains('\0'))
            fail(path, QStringLiteral("a text cannot contain a zero byte"));
        std::memset(field, 0, capacity);
        std::memcpy(field, bytes.constData(), qMin<std::size_t>(std::size_t(bytes.size()), capacity - 1));
    }

    void dotted(const QJsonObject &json, const QString &key, uint8_t (&octets)[QLX_IPV4_SIZE],
                const QString &path)
    {
        std::memset(octets, 0, sizeof octets);
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return;
        const QStringList parts = value.toString().split(QLatin1Char('.'));
        bool valid = value.isString() && parts.size() == int(QLX_IPV4_SIZE);
        for (int i = 0; valid && i < parts.size(); ++i) {
            const QString &part = parts.at(i);
            bool ok = false;
            const uint octet = part.toUInt(&ok, 10);
            valid = ok && !part.isEmpty() && part.size() <= 3 && octet <= JSON_UINT8_MAX &&
                    std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit(); });
            octets[i] = static_cast<uint8_t>(octet);
        }
        if (!valid)
            fail(path, QStringLiteral("expected a dotted address such as 192.168.0.1"));
    }

    void mac(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_MAC_ADDRESS_SIZE],
             const QString &path)
    {
        std::memset(bytes, 0, sizeof bytes);
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return;
        const QStringList parts = value.toString().split(QLatin1Char(':'));
        QByteArray joined;
        bool valid =
            value.isString() && parts.size() == int(QLX_MAC_ADDRESS_SIZE) &&
            std::all_of(parts.begin(), parts.end(), [](const QString &p) { return p.size() == 2; }) &&
            hexBytes(parts.join(QString()), QLX_MAC_ADDRESS_SIZE, &joined);
        if (!valid)
            fail(path, QStringLiteral("expected six hexadecimal bytes such as 0A:B0:00:01:FF:10"));
        else
            std::memcpy(bytes, joined.constData(), sizeof bytes);
    }

    void bcdSerial(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_CAL_SERIAL_SIZE],
                   const QString &path)
    {
        std::memset(bytes, 0, sizeof bytes);
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return;
        QByteArray decoded;
        if (!value.isString() || !hexBytes(value.toString(), QLX_CAL_SERIAL_SIZE, &decoded))
            fail(path, QStringLiteral("expected 8 hexadecimal digits such as 12345678"));
        else
            std::memcpy(bytes, decoded.constData(), sizeof bytes);
    }

    template <std::size_t N>
    void floats(const QJsonObject &json, const QString &key, float (&values)[N], const QString &path)
    {
        std::fill(std::begin(values), std::end(values), 0.0f);
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return;
        const QJsonArray array = value.toArray();
        if (!value.isArray() || array.size() != int(N)) {
            fail(path, QStringLiteral("expected an array of %1 numbers").arg(N));
            return;
        }
        for (int i = 0; i < array.size(); ++i) {
            if (!toFloat(array.at(i), &values[i])) {
                fail(QStringLiteral("%1[%2]").arg(path).arg(i),
                     QStringLiteral(
                         "expected a number within float range or 0x followed by 8 hexadecimal digits"));
                return;
            }
        }
    }

    void base64(const QJsonObject &json, const QString &key, uint8_t *bytes, std::size_t size,
                const QString &path)
    {
        std::memset(bytes, 0, size);
        const QJsonValue value = json.value(key);
        if (value.isUndefined())
            return;
        const auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!value.isString() || !decoded || std::size_t(decoded.decoded.size()) != size)
            fail(path, QStringLiteral("expected %1 bytes in base64").arg(size));
        else
            std::memcpy(bytes, decoded.decoded.constData(), size);
    }

    // Decodes pairs of hexadecimal digits; `size` -1 accepts any length.
    static bool hexBytes(const QString &text, int size, QByteArray *bytes)
    {
        if (text.size() % 2 != 0 || (size >= 0 && text.size() != 2 * size))
            return false;
        bytes->clear();
        for (int i = 0; i < text.size(); i += 2) {
            bool ok = false;
            const uint byte = text.mid(i, 2).toUInt(&ok, HEX_BASE);
            if (!ok || !isHexDigit(text.at(i)) || !isHexDigit(text.at(i + 1)))
                return false;
            bytes->append(static_cast<char>(byte));
        }
        return true;
    }

private:
    static bool isHexDigit(QChar c)
    {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    }

    static bool toFloat(const QJsonValue &value, float *result)
    {
        if (value.isDouble()) {
            const double number = value.toDouble();
            if (!(std::fabs(number) <= double(std::numeric_limits<float>::max())))
                return false;
            *result = static_cast<float>(number);
            return true;
        }
        const QString text = value.toString();
        QByteArray bits;
        if (!value.isString() || !text.startsWith(FLOAT_BITS_PREFIX) ||
            !hexBytes(text.mid(FLOAT_BITS_PREFIX.size()), sizeof(float), &bits))
            return false;
        const uint32_t word = qFromBigEndian<quint32>(bits.constData());
        std::memcpy(result, &word, sizeof word);
        return true;
    }

    QString *m_error;
    bool m_failed = false;
};

QString hexText(const void *bytes, std::size_t size)
{
    return QString::fromLatin1(QByteArray(static_cast<const char *>(bytes), int(size)).toHex().toUpper());
}

QString dottedText(const uint8_t (&octets)[QLX_IPV4_SIZE])
{
    return QStringLiteral("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

QString macText(const uint8_t (&bytes)[QLX_MAC_ADDRESS_SIZE])
{
    QStringList parts;
    for (uint8_t byte : bytes)
        parts.append(hexText(&byte, 1));
    return parts.join(QLatin1Char(':'));
}

// The text of a zero-terminated field: a string when its bytes are UTF-8, else their hexadecimal
// form, so that whatever the tool sent reads back byte for byte.
QJsonValue textValue(const char *field, std::size_t maxLength)
{
    const QByteArray bytes(field, int(qstrnlen(field, uint(maxLength))));
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes)
        return text;
    return QJsonObject{{HEX_KEY, hexText(bytes.constData(), std::size_t(bytes.size()))}};
}

// Finite floats other than negative zero survive as JSON numbers: Qt writes the shortest text
// that reads back as the same double, and float -> double is exact.
QJsonValue floatValue(float value)
{
    if (std::isfinite(value) && !(value == 0.0f && std::signbit(value)))
        return double(value);
    uint32_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    return FLOAT_BITS_PREFIX +
           QStringLiteral("%1").arg(word, FLOAT_BITS_DIGITS, HEX_BASE, QLatin1Char('0')).toUpper();
}

template <std::size_t N> QJsonArray floatArray(const float (&values)[N])
{
    QJsonArray array;
    for (float value : values)
        array.append(floatValue(value));
    return array;
}

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
    Reader reader(error);
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

std::array<DefaultInstrument, 2> defaultInstruments()
{
    // Plausible contents: reflectance-like white values, smooth ambient values, and otherCalibData
    // bytes that are not all alike, so that any lost or moved byte shows.
    constexpr float WHITE_FIRST = 88.0f;
    constexpr float WHITE_STEP = 0.25f;
    constexpr float AMBIENT_FIRST = 1.0f;
    constexpr float AMBIENT_STEP = 0.125f;
    constexpr unsigned OTHER_FACTOR = 7;
    constexpr unsigned OTHER_OFFSET = 3;

    Instrument base;
    base.options.wifiModuleEnable = 1;
    base.shutdownMode = QLX_SHUTDOWN_15_MIN;
    base.device.firmMajor = 1;
    base.device.firmMinor = 2;
    base.device.firmBuild = 3;
    base.network.APConnectUse = eAPConnect_ON;
    base.network.DHCPUse = eDHCP_OFF;
    const uint8_t mask[] = {255, 255, 255, 0};
    const uint8_t gateway[] = {192, 168, 0, 1};
    std::memcpy(base.network.SubnetMask, mask, sizeof mask);
    std::memcpy(base.network.DefaultGateway, gateway, sizeof gateway);
    std::memcpy(base.network.DNS, gateway, sizeof gateway);
    qstrncpy(base.network.SSID, "kt9-lab", sizeof base.network.SSID);
    qstrncpy(base.network.EncryptKey, "kt9-lab-key", sizeof base.network.EncryptKey);
    QlxCalRefData &cal = base.calibration;
    for (std::size_t i = 0; i < QLX_WHITE_VALUE_COUNT; ++i)
        cal.rfWhite.spcData[i] = WHITE_FIRST + WHITE_STEP * float(i);
    for (std::size_t i = 0; i < QLX_AMBIENT_VALUE_COUNT; ++i)
        cal.rfAmbient.spcData[i] = AMBIENT_FIRST + AMBIENT_STEP * float(i);
    for (std::size_t i = 0; i < QLX_OTHER_CALIB_DATA_SIZE; ++i)
        cal.otherCalibData[i] = static_cast<uint8_t>(i * OTHER_FACTOR + OTHER_OFFSET);

    Instrument usb = base;
    usb.port.portType = QLX_PORT_TYPE_USB;
    usb.port.serialNo = usb.device.serialNo = DEFAULT_USB_SERIAL_NO;
    const uint8_t usbMac[] = {0x0A, 0xB0, 0x00, 0x01, 0xFF, 0x10};
    std::memcpy(usb.device.macAddress, usbMac, sizeof usbMac);
    const uint8_t usbIp[] = {192, 168, 0, 20};
    std::memcpy(usb.network.IPAddress, usbIp, sizeof usbIp);
    const uint8_t usbWhite[] = {0x10, 0x01, 0x23, 0x45};
    const uint8_t usbAmbient[] = {0x00, 0x05, 0x43, 0x21};
    std::memcpy(usb.calibration.rfWhite.serialNo, usbWhite, sizeof usbWhite);
    std::memcpy(usb.calibration.rfAmbient.serialNo, usbAmbient, sizeof usbAmbient);

    Instrument lan = base;
    lan.port.portType = PORT_TYPE_NETWORK;
    qstrncpy(lan.port.portName, "192.168.0.10", sizeof lan.port.portName);
    lan.port.serialNo = lan.device.serialNo = DEFAULT_NETWORK_SERIAL_NO;
    const uint8_t lanMac[] = {0x0A, 0xB0, 0x00, 0x02, 0x3C, 0x4E};
    std::memcpy(lan.device.macAddress, lanMac, sizeof lanMac);
    const uint8_t lanIp[] = {192, 168, 0, 10};
    std::memcpy(lan.network.IPAddress, lanIp, sizeof lanIp);
    const uint8_t lanWhite[] = {0x10, 0x02, 0x00, 0x17};
    const uint8_t lanAmbient[] = {0x00, 0x06, 0x10, 0x02};
    std::memcpy(lan.calibration.rfWhite.serialNo, lanWhite, sizeof lanWhite);
    std::memcpy(lan.calibration.rfAmbient.serialNo, lanAmbient, sizeof lanAmbient);

    return {DefaultInstrument{QStringLiteral("instrument-1-usb.json"), usb},
            DefaultInstrument{QStringLiteral("instrument-2-network.json"), lan}};
}

} // namespace qlxsim
