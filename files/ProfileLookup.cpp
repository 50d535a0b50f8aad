#include "files/ProfileLookup.h"

#ifdef _WIN32
#include <windows.h>

QVector<QByteArray> ReadProfileStrings(const char *path, const char *section,
                                       const QVector<const char *> &keys)
{
    QVector<QByteArray> values(keys.size());
    if (!path)
        return values;
    for (int i = 0; i < keys.size(); ++i) {
        char buffer[PROFILE_VALUE_BUFFER_SIZE] = {};
        GetPrivateProfileStringA(section, keys.at(i), "", buffer, DWORD(sizeof buffer), path);
        values[i] = QByteArray(buffer);
    }
    return values;
}

#else

#include "files/CLineReader.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

// Bytes of a line looked at. Names and values are far shorter; what a longer line holds
// beyond this point (only possible after thousands of blanks) is ignored.
constexpr qsizetype PROFILE_LINE_KEEP = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(const char *begin, const char *end)
{
    while (begin != end && isBlank(*begin))
        ++begin;
    while (end != begin && isBlank(end[-1]))
        --end;
    return QByteArray(begin, end - begin);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameName(const QByteArray &name, const char *wanted)
{
    const std::size_t length = std::strlen(wanted);
    if (std::size_t(name.size()) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (asciiLower(name.at(int(i))) != asciiLower(wanted[i]))
            return false;
    }
    return true;
}

QByteArray unquoted(const QByteArray &value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QVector<QByteArray> ReadProfileStrings(const char *path, const char *section,
                                       const QVector<const char *> &keys)
{
    QVector<QByteArray> values(keys.size());
    if (!path || !section)
        return values;
    // Only regular files: a device or a pipe may never end or never deliver a byte.
    QFile file(QFile::decodeName(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return values;
    QVector<bool> found(keys.size(), false);
    int missing = keys.size();
    CLineReader reader(file, PROFILE_LINE_KEEP);
    QByteArray line;
    bool inSection = false;
    while (missing > 0 && reader.next(line)) {
        const char *begin = line.constData();
        const char *end = static_cast<const char *>(std::memchr(begin, '\0', size_t(line.size())));
        if (!end)
            end = begin + line.size();
        while (begin != end && isBlank(*begin))
            ++begin;
        if (begin == end || *begin == ';')
            continue;
        if (*begin == '[') {
            // Only the first section of the name is searched.
            if (inSection)
                break;
            const char *close = static_cast<const char *>(std::memchr(begin, ']', size_t(end - begin)));
            inSection = sameName(trimmedBlanks(begin + 1, close ? close : end), section);
            continue;
        }
        if (!inSection)
            continue;
        const char *equals = static_cast<const char *>(std::memchr(begin, '=', size_t(end - begin)));
        if (!equals)
            continue;
        const QByteArray name = trimmedBlanks(begin, equals);
        for (int i = 0; i < keys.size(); ++i) {
            // The first line of a key wins.
            if (found.at(i) || !keys.at(i) || !sameName(name, keys.at(i)))
                continue;
            values[i] = unquoted(trimmedBlanks(equals + 1, end)).left(int(PROFILE_VALUE_BUFFER_SIZE - 1));
            found[i] = true;
            --missing;
        }
    }
    return values;
}

#endif
