#include "instrument/EightBitText.h"

#include "files/FilePath.h"

#include <QtGlobal>

QString textFromEightBit(const char *field, std::size_t maxLength)
{
    const QByteArray bytes(field, int(qstrnlen(field, uint(maxLength))));
    return isUtf8(bytes) ? QString::fromUtf8(bytes) : QString::fromLocal8Bit(bytes);
}

bool eightBitFromText(const QString &text, QByteArray &bytes)
{
    if (text.contains(QChar::ReplacementCharacter))
        return false;
    const QByteArray local = text.toLocal8Bit();
    if (textFromEightBit(local.constData(), std::size_t(local.size())) != text)
        return false;
    bytes = local;
    return true;
}

QByteArray filePathArgument(const QString &path)
{
    return path.toUtf8();
}
