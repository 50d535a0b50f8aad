#pragma once
// The one place where the tool turns 8-bit text (the SSID, key and port names that the library
// and the network settings file hold) into QString and back, and turns a file path into the
// 8-bit form the controller's file operations take.

#include <QByteArray>
#include <QString>

#include <cstddef>

// The text of an 8-bit field up to its first zero byte, never past maxLength bytes: UTF-8 when
// the bytes are UTF-8, else the local 8-bit code page (what this tool wrote on a PC whose code
// page is not UTF-8).
QString textFromEightBit(const char *field, std::size_t maxLength);

// The local 8-bit form of text, as the library and the network settings file take it. False
// when the code page cannot hold the text (a character would become '?'), when the text holds
// U+FFFD (bytes that were no text when read), or when the bytes would read back as another text;
// bytes is then left as it was.
bool eightBitFromText(const QString &text, QByteArray &bytes);

// The 8-bit form of a file path that the controller's file operations take (UTF-8).
QByteArray filePathArgument(const QString &path);
