#pragma once
// Writes a calibration value file (CSV) that the calibration file reader takes back: serial
// number on line 3, the values on line 4. Used to back up an instrument's references.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The file's text: a caption on line 1, a note on line 2, the four serial number bytes as
// eight hexadecimal digits on line 3 (the reader turns each pair back into its byte), the
// values on line 4 with nine significant digits (more where the reader needs them), so that
// every finite 32-bit float reads back to the same bits; CR LF line ends. A NaN or an
// infinity is written as well, and the reader refuses the file.
QByteArray calValueFileText(const QByteArray &caption, const uint8_t (&serial)[4], const float *values,
                            std::size_t count);

// Writes text to path, replacing the file only once all of it was written.
bool writeWholeFile(const QString &path, const QByteArray &text);
