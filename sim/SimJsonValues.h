#pragma once
// The value forms of an instrument file, both ways: the reader that takes typed values out of its
// JSON (numbers in range, texts, addresses, hexadecimal, base64, float arrays) and the functions
// that write the same forms back, so that every byte round-trips.

#include "instrument/QlxSdk.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace qlxsim {

// Largest JSON integer this library accepts where the record holds 32 bits.
constexpr double JSON_INT32_MIN = -2147483648.0;
constexpr double JSON_INT32_MAX = 2147483647.0;
constexpr double JSON_UINT32_MAX = 4294967295.0;
constexpr double JSON_UINT8_MAX = 255.0;

// Reads typed values out of an instrument's JSON; the first error wins and names its key.
class JsonReader
{
public:
    explicit JsonReader(QString *error) : m_error(error) {}

    bool failed() const { return m_failed; }
    bool fail(const QString &key, const QString &reason);

    // An optional sub-object; a missing key gives an empty object.
    QJsonObject object(const QJsonObject &json, const QString &key, const QString &path);
    double number(const QJsonValue &value, double min, double max, double fallback, const QString &path);
    int32_t int32(const QJsonObject &json, const QString &key, int32_t fallback, const QString &path);
    uint8_t byte(const QJsonObject &json, const QString &key, uint8_t fallback, const QString &path);
    bool boolean(const QJsonObject &json, const QString &key, const QString &path);
    // A zero-terminated text field of `capacity` bytes holding at most capacity - 1 text bytes;
    // longer texts are cut after their last byte that fits.
    void text(const QJsonObject &json, const QString &key, char *field, std::size_t capacity,
              const QString &path);
    void dotted(const QJsonObject &json, const QString &key, uint8_t (&octets)[QLX_IPV4_SIZE],
                const QString &path);
    void mac(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_MAC_ADDRESS_SIZE],
             const QString &path);
    void bcdSerial(const QJsonObject &json, const QString &key, uint8_t (&bytes)[QLX_CAL_SERIAL_SIZE],
                   const QString &path);
    template <std::size_t N>
    void floats(const QJsonObject &json, const QString &key, float (&values)[N], const QString &path)
    {
        floats(json, key, values, N, path);
    }
    void base64(const QJsonObject &json, const QString &key, uint8_t *bytes, std::size_t size,
                const QString &path);

private:
    void floats(const QJsonObject &json, const QString &key, float *values, std::size_t count,
                const QString &path);

    QString *m_error;
    bool m_failed = false;
};

// The forms written back: bytes as upper-case hexadecimal, a dotted address, a MAC address.
QString hexText(const void *bytes, std::size_t size);
QString dottedText(const uint8_t (&octets)[QLX_IPV4_SIZE]);
QString macText(const uint8_t (&bytes)[QLX_MAC_ADDRESS_SIZE]);
// The text of a zero-terminated field: a string when its bytes are UTF-8, else their hexadecimal
// form, so that whatever the tool sent reads back byte for byte.
QJsonValue textValue(const char *field, std::size_t maxLength);
// A float as a JSON number, or as its bits where a number cannot carry it.
QJsonValue floatValue(float value);

template <std::size_t N> QJsonArray floatArray(const float (&values)[N])
{
    QJsonArray array;
    for (float value : values)
        array.append(floatValue(value));
    return array;
}

} // namespace qlxsim
