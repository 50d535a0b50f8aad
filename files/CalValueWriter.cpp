#include "CalValueWriter.h"

#include "NumberText.h"

#include <QSaveFile>

#include <cstring>
#include <optional>

namespace {

// Nine significant digits tell every 32-bit float from its neighbours; seventeen write the
// float's exact double value.
constexpr int FLOAT_ROUND_TRIP_DIGITS = 9;
constexpr int DOUBLE_EXACT_DIGITS = 17;

// The shortest text, from nine digits on, that the reader turns back into the same bits.
QByteArray valueText(float value)
{
    QByteArray text;
    for (int digits = FLOAT_ROUND_TRIP_DIGITS; digits <= DOUBLE_EXACT_DIGITS; ++digits) {
        text = QByteArray::number(double(value), 'g', digits);
        const std::optional<float> back = WholeFloat(text);
        if (back && std::memcmp(&*back, &value, sizeof value) == 0)
            break;
    }
    return text;
}

} // namespace

QByteArray calValueFileText(const QByteArray &caption, const uint8_t (&serial)[4], const float *values,
                            std::size_t count)
{
    QByteArray text = caption + "\r\nkt9-cli backup\r\n";
    for (const uint8_t byte : serial)
        text += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    text += "\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += ',';
        text += valueText(values[i]);
    }
    text += "\r\n";
    return text;
}

bool writeWholeFile(const QString &path, const QByteArray &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}
