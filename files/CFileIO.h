#pragma once
// Reading and writing of the tool's files: the network settings file (INI text, section
// "Network") and the calibration value files (CSV) of the white calibration plate and the
// ambient light adapter. Objects are short-lived locals of the controller; nothing is kept
// between calls. Failures are reported by the bool result only.

#include "instrument/QlxSdk.h"

#include <QByteArray>
#include <QVector>

#include <cstdint>

class CFileIO
{
public:
    CFileIO() = default;
    virtual ~CFileIO() = default;

    // Reads the eight keys of section "Network" into record (which the caller zero-filled).
    // Stops at the first missing, empty or too long value, or address other than four whole
    // numbers from 0 to 255, and returns false; fields read before it keep their new values.
    bool GetNetworkInfoFromFile(const char *path, QlxNetworkInfo &record);
    // Writes record as the eleven-line network settings file. Refuses (false, nothing written)
    // a record that the reader would refuse (an empty SSID or key) or whose texts hold a line
    // break, and a target that is not a regular file. The target is replaced only when the
    // whole content was written; on false it is left as it was, except an existing file in a
    // folder that cannot be written, which is written in place.
    bool SetNetworkInfoToFile(const char *path, const QlxNetworkInfo &record);
    // The pieces of text between occurrences of separator, empty pieces left out.
    QVector<QByteArray> SplitString(const QByteArray &text, char separator);

    // White calibration plate file: fills the serial number and the 38 values of white.
    bool GetCalRefDataFromFile(const char *path, QlxRefWhite &white);
    // Ambient light adapter file: fills the serial number and the 75 values of record.rfAmbient.
    bool GetCalRefDataFromFile(const char *path, QlxCalRefData &record);
    // Decodes one packed-BCD byte: high nibble * 10 + low nibble.
    int BcdToDec(uint8_t value);
};

// The value 0-255 of two hexadecimal digits (first digit high), or -1 when either is not one.
int HexPairToByte(const char *digits);
