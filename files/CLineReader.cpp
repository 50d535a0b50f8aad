#include "files/CLineReader.h"

#include <cstring>

namespace {
constexpr qint64 READ_CHUNK_SIZE = 64 * 1024;
}

CLineReader::CLineReader(QIODevice &device, qsizetype keepLimit) : m_device(device), m_keepLimit(keepLimit) {}

bool CLineReader::fill()
{
    if (m_failed)
        return false;
    m_chunk = m_device.read(READ_CHUNK_SIZE);
    m_pos = 0;
    if (m_chunk.isEmpty()) {
        // QIODevice::read gives an empty array both at the end and on an error; only a
        // device that has not reached its end has failed.
        m_failed = !m_device.atEnd();
        return false;
    }
    return true;
}

bool CLineReader::next(QByteArray &line)
{
    line.clear();
    m_truncated = false;
    bool readAny = false;
    for (;;) {
        if (m_pos == m_chunk.size() && !fill())
            return readAny;
        readAny = true;
        const char *start = m_chunk.constData() + m_pos;
        const qsizetype available = m_chunk.size() - m_pos;
        const auto *lineFeed = static_cast<const char *>(std::memchr(start, '\n', size_t(available)));
        const qsizetype length = lineFeed ? lineFeed - start : available;
        const qsizetype room = m_keepLimit - line.size();
        if (length > room)
            m_truncated = true;
        line.append(start, qMin(length, room));
        m_pos += length;
        if (lineFeed) {
            ++m_pos;
            if (!m_truncated && line.endsWith('\r'))
                line.chop(1);
            return true;
        }
    }
}
