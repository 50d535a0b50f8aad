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
// The text of an 8-bit field's bytes (an SSID): as the window shows it when the bytes read back
// from that text, else with each byte that is not printable ASCII as \xNN, so that what the
// output and the change record say is the bytes the instrument holds.
QString eightBitShown(const QByteArray &bytes);
// The power-off time as the command line names it: "off", "15", "30", "60".
QString powerOffWord(QlxShutdownMode mode);
// The mode that powerOffWord names word; false, and mode left as it was, for another word.
bool powerOffFromWord(const QString &word, QlxShutdownMode &mode);
// The power-off time as the window's page shows it.
QString powerOffCaption(QlxShutdownMode mode);
