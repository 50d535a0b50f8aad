#include "SimFolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace qlxsim {

namespace {

const QString INSTRUMENT_FILE_PATTERN = QStringLiteral("*.json");

// Coarsest time stamp of a file system the folder may be on (FAT keeps 2 s): a file read less
// than this after its last change may be changed again with the same stamp.
constexpr qint64 STAMP_GRANULARITY_MS = 2000;

} // namespace

bool samePort(const QlxPortInfo &a, const QlxPortInfo &b)
{
    return a.portType == b.portType && a.serialNo == b.serialNo &&
           qstrncmp(a.portName, b.portName, uint(QLX_PORT_NAME_SIZE)) == 0;
}

std::vector<FolderListing::Listed> FolderListing::refresh(const QString &directory, const Loader &load)
{
    if (directory != m_directory) {
        clear();
        m_directory = directory;
    }
    m_listed.clear();
    if (directory.isEmpty())
        return m_listed;
    const QDir folder(directory);
    QStringList names = folder.entryList({INSTRUMENT_FILE_PATTERN}, QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end());

    QHash<QString, Entry> entries;
    entries.reserve(names.size());
    for (const QString &name : qAsConst(names)) {
        const QString path = folder.filePath(name);
        const QFileInfo info(path);
        const Stamp stamp{info.size(), info.lastModified(), info.metadataChangeTime()};
        const auto known = m_entries.constFind(name);
        Entry entry;
        if (known != m_entries.constEnd() && known->settled && known->stamp == stamp) {
            entry = *known;
        } else {
            const QDateTime readAt = QDateTime::currentDateTimeUtc();
            const LoadedFile loaded = load(path);
            if (loaded.kind != LoadedFile::VALID)
                continue;
            const QDateTime lastChange = std::max(stamp.modified, stamp.changed);
            entry = Entry{stamp, lastChange.msecsTo(readAt) >= STAMP_GRANULARITY_MS, loaded.instrument};
        }
        if (!entry.instrument.unplugged)
            m_listed.push_back({path, entry.instrument});
        entries.insert(name, entry);
    }
    m_entries = std::move(entries);
    return m_listed;
}

QString FolderListing::lastPathOf(const QString &directory, const QlxPortInfo &port) const
{
    if (directory != m_directory)
        return {};
    const auto found = std::find_if(m_listed.begin(), m_listed.end(), [&port](const Listed &listed) {
        return samePort(listed.instrument.port, port);
    });
    return found == m_listed.end() ? QString() : found->path;
}

void FolderListing::clear()
{
    m_directory.clear();
    m_entries.clear();
    m_listed.clear();
}

} // namespace qlxsim
