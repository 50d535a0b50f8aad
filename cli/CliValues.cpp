#include "CliValues.h"

#include "CliTexts.h"
#include "instrument/EightBitText.h"

namespace {

// The bytes an SSID shows as they are; every other byte of one that is no text shows as \xNN.
constexpr uchar FIRST_PRINTABLE_ASCII = 0x20;
constexpr uchar LAST_PRINTABLE_ASCII = 0x7E;
constexpr int HEX_BASE = 16;
constexpr int HEX_BYTE_DIGITS = 2;

} // namespace

QString addressText(const uint8_t (&octets)[QLX_IPV4_SIZE])
{
    return QStringLiteral("%1.%2.%3.%4").arg(octets[0]).arg(octets[1]).arg(octets[2]).arg(octets[3]);
}

QByteArray fieldBytes(const char *field, std::size_t size)
{
    return QByteArray(field, int(qstrnlen(field, size)));
}

QString powerOffWord(QlxShutdownMode mode)
{
    switch (mode) {
    case QLX_SHUTDOWN_DISABLED:
        return QStringLiteral("off");
    case QLX_SHUTDOWN_15_MIN:
        return QStringLiteral("15");
    case QLX_SHUTDOWN_30_MIN:
        return QStringLiteral("30");
    case QLX_SHUTDOWN_60_MIN:
        return QStringLiteral("60");
    default:
        return QStringLiteral("unknown");
    }
}

bool powerOffFromWord(const QString &word, QlxShutdownMode &mode)
{
    for (const QlxShutdownMode known :
         {QLX_SHUTDOWN_DISABLED, QLX_SHUTDOWN_15_MIN, QLX_SHUTDOWN_30_MIN, QLX_SHUTDOWN_60_MIN}) {
        if (word == powerOffWord(known)) {
            mode = known;
            return true;
        }
    }
    return false;
}

QString powerOffCaption(QlxShutdownMode mode)
{
    switch (mode) {
    case QLX_SHUTDOWN_DISABLED:
        return windowText(WindowText::POWER_OFF_DISABLED);
    case QLX_SHUTDOWN_15_MIN:
        return windowText(WindowText::POWER_OFF_15);
    case QLX_SHUTDOWN_30_MIN:
        return windowText(WindowText::POWER_OFF_30);
    case QLX_SHUTDOWN_60_MIN:
        return windowText(WindowText::POWER_OFF_60);
    default:
        return CliText::tr("unknown mode %1").arg(int(mode));
    }
}

QString eightBitShown(const QByteArray &bytes)
{
    const QString text = textFromEightBit(bytes.constData(), std::size_t(bytes.size()));
    QByteArray back;
    if (eightBitFromText(text, back) && back == bytes)
        return text;
    QString shown;
    for (const char byte : bytes) {
        const auto code = uchar(byte);
        if (code >= FIRST_PRINTABLE_ASCII && code <= LAST_PRINTABLE_ASCII)
            shown += QLatin1Char(byte);
        else
            shown +=
                QStringLiteral("\\x") +
                QString::number(code, HEX_BASE).toUpper().rightJustified(HEX_BYTE_DIGITS, QLatin1Char('0'));
    }
    return shown;
}
