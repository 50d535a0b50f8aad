#pragma once
// How kt9-cli writes the values of an instrument's records: as the window shows them (captions)
// and as the command line and the JSON document name them (words).

#include "instrument/QlxSdk.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// "a.b.c.d".
QString addressText(const uint8_t (&octets)[QLX_IPV4_SIZE]);
// Text of a fixed-size character field up to its first zero byte.
QByteArray fieldBytes(const char *field, std::size_t size);
// The power-off time as the command line names it: "off", "15", "30", "60".
QString powerOffWord(QlxShutdownMode mode);
// The mode that powerOffWord names word; false, and mode left as it was, for another word.
bool powerOffFromWord(const QString &word, QlxShutdownMode &mode);
// The power-off time as the window's page shows it.
QString powerOffCaption(QlxShutdownMode mode);
