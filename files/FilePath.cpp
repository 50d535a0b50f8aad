#include "files/FilePath.h"

bool isUtf8(const QByteArray &bytes)
{
    // A byte sequence that is not UTF-8 decodes with U+FFFD, whose UTF-8 bytes differ from it.
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

QString filePathFromUtf8(const char *path)
{
    if (!path)
        return QString();
    const QByteArray bytes(path);
    return isUtf8(bytes) ? QString::fromUtf8(bytes) : QString();
}
