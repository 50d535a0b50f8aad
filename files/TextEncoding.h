#pragma once
// The one place that knows how Qt 5 and Qt 6 differ in text encodings, so that both builds
// convert every text to the same bytes.

#include <QTextStream>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) && !defined(Q_OS_WIN)
#include <QTextCodec>
#endif

// Makes the local 8-bit encoding (QString::toLocal8Bit and fromLocal8Bit, QFile::encodeName)
// UTF-8 on every system but Windows, whatever the locale: what Qt 6 always does there, where
// Qt 5 would follow the locale's codec. On Windows both take the ANSI code page. Called first
// thing in main().
inline void useLocalEightBitEncoding()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) && !defined(Q_OS_WIN)
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
#endif
}

// Sets a text stream to write UTF-8 whatever the locale: Qt 5's streams take the locale's codec,
// Qt 6's have no codecs but an encoding.
inline void setUtf8(QTextStream &stream)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    stream.setEncoding(QStringConverter::Utf8);
#else
    stream.setCodec("UTF-8");
#endif
}
