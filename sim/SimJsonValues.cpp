#include "SimJsonValues.h"

#include <QByteArray>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace qlxsim {

namespace {

// A float that a JSON number cannot carry (NaN, infinities, negative zero) is written as its bits.
const QString FLOAT_BITS_PREFIX = QStringLiteral("0x");
constexpr int FLOAT_BITS_DIGITS = 8;
constexpr int HEX_BASE = 16;

// Text fields that are not valid UTF-8 are written as {"hex": "..."}.
const QString HEX_KEY = QStringLiteral("hex");

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Decodes pairs of hexadecimal digits; `size` -1 accepts any length.
bool hexBytes(const QString &text, int size, QByteArray *bytes)
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

bool toFloat(const QJsonValue &value, float *result)
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

} // namespace

bool JsonReader::fail(const QString &key, const QString &reason)
{
    if (!m_failed && m_error)
        *m_error = key + QStringLiteral(": ") + reason;
    m_failed = true;
    return false;
}

QJsonObject JsonReader::object(const QJsonObject &json, const QString &key, const QString &path)
{
    const QJsonValue value = json.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isObject())
        fail(path, QStringLiteral("expected an object"));
    return value.toObject();
}

double JsonReader::number(const QJsonValue &value, double min, double max, double fallback,
                          const QString &path)
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

int32_t JsonReader::int32(const QJsonObject &json, const QString &key, int32_t fallback, const QString &path)
{
    return static_cast<int32_t>(number(json.value(key), JSON_INT32_MIN, JSON_INT32_MAX, fallback, path));
}

uint8_t JsonReader::byte(const QJsonObject &json, const QString &key, uint8_t fallback, const QString &path)
{
    return static_cast<uint8_t>(number(json.value(key), 0, JSON_UINT8_MAX, fallback, path));
}

bool JsonReader::boolean(const QJsonObject &json, const QString &key, const QString &path)
{
    const QJsonValue value = json.value(key);
    if (value.isUndefined())
        return false;
    if (!value.isBool())
        fail(path, QStringLiteral("expected true or false"));
    return value.toBool();
}

void JsonReader::text(const QJsonObject &json, const QString &key, char *field, std::size_t capacity,
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

void JsonReader::dotted(const QJsonObject &json, const QString &key, uint8_t (&octets)[QLX_IPV4_SIZE],
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

void JsonReader::mac(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_MAC_ADDRESS_SIZE],
                     const QString &path)
{
    std::memset(bytes, 0, sizeof bytes);
    const QJsonValue value = json.value(key);
    if (value.isUndefined())
        return;
    const QStringList parts = value.toString().split(QLatin1Char(':'));
    QByteArray joined;
    bool valid = value.isString() && parts.size() == int(QLX_MAC_ADDRESS_SIZE) &&
                 std::all_of(parts.begin(), parts.end(), [](const QString &p) { return p.size() == 2; }) &&
                 hexBytes(parts.join(QString()), QLX_MAC_ADDRESS_SIZE, &joined);
    if (!valid)
        fail(path, QStringLiteral("expected six hexadecimal bytes such as 0A:B0:00:01:FF:10"));
    else
        std::memcpy(bytes, joined.constData(), sizeof bytes);
}

void JsonReader::bcdSerial(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_CAL_SERIAL_SIZE],
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

void JsonReader::floats(const QJsonObject &json, const QString &key, float *values, std::size_t count,
                        const QString &path)
{
    std::fill(values, values + count, 0.0f);
    const QJsonValue value = json.value(key);
    if (value.isUndefined())
        return;
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != int(count)) {
        fail(path, QStringLiteral("expected an array of %1 numbers").arg(count));
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

void JsonReader::base64(const QJsonObject &json, const QString &key, uint8_t *bytes, std::size_t size,
                        const QString &path)
{
    std::memset(bytes, 0, size);
    const QJsonValue value = json.value(key);
    if (value.isUndefined())
        return;
    const auto decoded =
        QByteArray::fromBase64Encoding(value.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!value.isString() || !decoded || std::size_t(decoded.decoded.size()) != size)
        fail(path, QStringLiteral("expected %1 bytes in base64").arg(size));
    else
        std::memcpy(bytes, decoded.decoded.constData(), size);
}

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

} // namespace qlxsim
