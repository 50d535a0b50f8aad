#include "files/ProfileLookup.h"

#ifdef _WIN32
#include "files/FilePath.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

QVector<QByteArray> ReadProfileStrings(const char *path, const char *section,
                                       const QVector<const char *> &keys)
{
    QVector<QByteArray> values(keys.size());
    const QString filePath = filePathFromUtf8(path);
    if (filePath.isEmpty() || !section)
        return values;
    // The profile lookup takes a name without a folder for a file of the Windows folder: it is
    // given the full path, as every other file of the tool is opened. The path goes to the
    // lookup in UTF-16, so that a folder the local code page cannot name is found too; the
    // values come back in the local code page, as the lookup's 8-bit form returns them.
    const std::wstring fullPath =
        QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath()).toStdWString();
    const std::wstring sectionName = QString::fromLatin1(section).toStdWString();
    for (int i = 0; i < keys.size(); ++i) {
        if (!keys.at(i))
            continue;
        wchar_t buffer[PROFILE_VALUE_BUFFER_SIZE] = {};
        GetPrivateProfileStringW(sectionName.c_str(), QString::fromLatin1(keys.at(i)).toStdWString().c_str(),
                                 L"", buffer, DWORD(PROFILE_VALUE_BUFFER_SIZE), fullPath.c_str());
        values[i] = QString::fromWCharArray(buffer).toLocal8Bit().left(int(PROFILE_VALUE_BUFFER_SIZE - 1));
    }
    return values;
}

#else

#include "files/CLineReader.h"
#include "files/FilePath.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

// Bytes of a line looked at. Names and values are far shorter; a longer line (only possible
// with thousands of blanks) gives its key an empty value rather than a cut one.
constexpr qsizetype PROFILE_LINE_KEEP = 64 * 1024;

// The UTF-8 byte order mark that some editors put at the start of a text file.
constexpr char UTF8_BOM[] = "\xEF\xBB\xBF";

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

// One pass over the lines of a file, looking for keys of one section.
class ProfileScan
{
public:
    ProfileScan(const char *section, const QVector<const char *> &keys)
        : m_section(section), m_keys(keys), m_values(keys.size()), m_found(keys.size(), false),
          m_missing(keys.size())
    {
    }

    // Whether a later line may still hold a key looked for.
    bool wantsMore() const { return m_missing > 0 && !m_sectionEnded; }
    const QVector<QByteArray> &values() const { return m_values; }

    // Looks at the line [begin, end), without its line end; cut: the line went on beyond
    // what was kept.
    void take(const char *begin, const char *end, bool cut)
    {
        if (const void *nul = std::memchr(begin, '\0', size_t(end - begin)))
            end = static_cast<const char *>(nul);
        while (begin != end && isBlank(*begin))
            ++begin;
        if (begin == end || *begin == ';')
            return;
        if (*begin == '[') {
            // Only the first section of the name is searched.
            m_sectionEnded = m_inSection;
            const char *close = static_cast<const char *>(std::memchr(begin, ']', size_t(end - begin)));
            m_inSection = sameName(trimmedBlanks(begin + 1, close ? close : end), m_section);
            return;
        }
        if (!m_inSection)
            return;
        const char *equals = static_cast<const char *>(std::memchr(begin, '=', size_t(end - begin)));
        if (!equals)
            return;
        const QByteArray name = trimmedBlanks(begin, equals);
        for (int i = 0; i < m_keys.size(); ++i) {
            // The first line of a key wins.
            if (m_found.at(i) || !m_keys.at(i) || !sameName(name, m_keys.at(i)))
                continue;
            if (!cut)
                m_values[i] =
                    unquoted(trimmedBlanks(equals + 1, end)).left(int(PROFILE_VALUE_BUFFER_SIZE - 1));
            m_found[i] = true;
            --m_missing;
        }
    }

private:
    const char *m_section;
    const QVector<const char *> &m_keys;
    QVector<QByteArray> m_values;
    QVector<bool> m_found;
    int m_missing;
    bool m_inSection = false;
    bool m_sectionEnded = false; ///< a section began after the wanted one
};

} // namespace

QVector<QByteArray> ReadProfileStrings(const char *path, const char *section,
                                       const QVector<const char *> &keys)
{
    if (!path || !section)
        return QVector<QByteArray>(keys.size());
    // Only regular files: a device or a pipe may never end or never deliver a byte.
    QFile file(filePathFromUtf8(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return QVector<QByteArray>(keys.size());
    ProfileScan scan(section, keys);
    CLineReader reader(file, PROFILE_LINE_KEEP);
    QByteArray line;
    for (bool first = true; scan.wantsMore() && reader.next(line); first = false) {
        // A lone CR ends a line as well (as editors show it, and as a file whose CR LF line
        // ends were converted twice has it), so no value ever holds a CR: the network file
        // writer could not write it back.
        const char *begin = line.constData();
        const char *const end = begin + line.size();
        if (first && line.startsWith(UTF8_BOM))
            begin += sizeof UTF8_BOM - 1;
        while (scan.wantsMore()) {
            const auto *cr = static_cast<const char *>(std::memchr(begin, '\r', size_t(end - begin)));
            scan.take(begin, cr ? cr : end, !cr && reader.truncated());
            if (!cr)
                break;
            begin = cr + 1;
        }
    }
    return scan.values();
}

#endif
