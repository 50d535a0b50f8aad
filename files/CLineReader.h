#pragma once
// Line-by-line reading of a text file in which a line ends at LF and a CR directly before
// the LF is not part of the line, as files written on Windows and elsewhere read alike.

#include <QByteArray>
#include <QIODevice>

class CLineReader
{
public:
    // Reads from device, which must be open; each line keeps at most keepLimit bytes.
    CLineReader(QIODevice &device, qsizetype keepLimit);

    // The next line, without its line end. A last line without a line end is still
    // returned; false once nothing is left or the device fails.
    bool next(QByteArray &line);
    // True when the line last returned was longer than the keep limit and was cut.
    bool truncated() const { return m_truncated; }
    // True when reading stopped on an error of the device rather than at the end of the file.
    bool failed() const { return m_failed; }

private:
    bool fill();

    QIODevice &m_device;
    qsizetype m_keepLimit;
    QByteArray m_chunk;  ///< bytes read ahead from the device
    qsizetype m_pos = 0; ///< first byte of m_chunk not yet handed out
    bool m_truncated = false;
    bool m_failed = false;
};
