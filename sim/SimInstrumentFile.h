#pragma once
// An instrument file on disk: read whole and parsed, replaced atomically under its lock file, and
// polled for presence by the connection watch.

#include "SimInstrument.h"

#include <QJsonObject>
#include <QLockFile>
#include <QString>

#include <cstdint>

namespace qlxsim {

// Largest instrument file read; anything longer is reported as malformed.
constexpr qint64 MAX_FILE_SIZE = 1024 * 1024;

struct LoadedFile
{
    enum Kind
    {
        MISSING,
        MALFORMED,
        VALID
    };
    Kind kind = MISSING;
    QString error;    ///< why a MALFORMED file was refused
    QJsonObject json; ///< the file's object (VALID only)
    Instrument instrument;
};

// Reads and parses an instrument file.
LoadedFile loadInstrumentFile(const QString &path);

// Replaces the file with `json` atomically; on failure the old file stays and *error says why.
bool saveInstrumentFile(const QString &path, const QJsonObject &json, QString *error);

// True while the instrument's file exists as a regular file and does not say it is unplugged. A
// file that is not valid JSON counts as present (an editor may be saving it). Uses only the
// standard library (on Windows the Windows API) for file access so that it is safe on the
// watcher thread while the process exits.
bool instrumentPresent(const QString &path);

// Replaces the file with `json`; on failure reports why on standard error and returns QLX_ERROR.
int32_t saveChanges(const QString &path, const QJsonObject &json);

// The lock file of the instrument file at path: held by whichever process reads, changes and
// replaces the file.
QString lockFilePath(const QString &path);

// Takes `lock` (made on lockFilePath(path)) within a few seconds; reports on standard error and
// returns false when another process holds it longer or it cannot be made.
bool lockInstrumentFile(QLockFile &lock, const QString &path);

} // namespace qlxsim
