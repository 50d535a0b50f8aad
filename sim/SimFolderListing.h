#pragma once
// The instruments of the folder, kept between calls: listing reads again only the files that
// changed since they were last read, and connecting to one instrument reads only its file, so
// that a call on one instrument does not grow with the size of the folder.

#include "SimInstrumentFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <vector>

namespace qlxsim {

bool samePort(const QlxPortInfo &a, const QlxPortInfo &b);

class FolderListing
{
public:
    struct Listed
    {
        QString path;
        Instrument instrument;
    };
    using Loader = std::function<LoadedFile(const QString &path)>;

    // The listed instruments of `directory` (valid and not unplugged), in file-name order. Every
    // `*.json` file is looked at; one is read again through `load` unless its size, modification
    // time and metadata-change time are those of its last read and it had been modified long
    // enough before that read that no later edit can share its time stamp. Files that were not
    // valid are read every time, so that their report reflects the file as it is.
    std::vector<Listed> refresh(const QString &directory, const Loader &load);

    // The file of the first instrument on `port` of the last refresh of `directory`, or an empty
    // path; reads nothing, so the caller checks the file itself.
    QString lastPathOf(const QString &directory, const QlxPortInfo &port) const;

    // Forgets every file, so that the next refresh reads them all.
    void clear();

private:
    struct Stamp
    {
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp &other) const
        {
            return size == other.size && modified == other.modified && changed == other.changed;
        }
    };
    struct Entry
    {
        Stamp stamp;
        bool settled = false; ///< read long enough after its last change to be trusted while the stamp holds
        Instrument instrument;
    };

    QString m_directory;
    QHash<QString, Entry> m_entries; ///< valid files by name
    std::vector<Listed> m_listed;    ///< the result of the last refresh
};

} // namespace qlxsim
