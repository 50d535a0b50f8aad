#include "SimInstrumentFile.h"

#include "SimReport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qlxsim {

namespace {

// Another process holds the lock for one read-modify-write: a longer wait means it is stuck.
constexpr std::chrono::seconds LOCK_TIMEOUT{10};
constexpr std::chrono::milliseconds LOCK_RETRY{2};
const QString LOCK_FILE_SUFFIX = QStringLiteral(".lock");

// The first limit + 1 bytes of the file at path (more than limit: the file is larger than
// that), read without reserving the limit up front; std::nullopt, with error saying why, when
// it cannot be opened or read. Only the standard library (on Windows the Windows API) touches
// the file, so that the watcher thread may read while the process exits. Windows refuses to
// replace a file that is open without delete sharing: there the file is opened with every kind
// of sharing, so that whoever replaces it while the library reads it (the library's own writes
// on another thread, a test, an editor) is not refused.
std::optional<QByteArray> readFileHead(const QString &path, qint64 limit, QString &error)
{
    // Anything but a regular file is never opened: opening a pipe would wait for a writer, and a
    // device may never end.
    std::error_code notRegular;
    if (!std::filesystem::is_regular_file(QFile::encodeName(path).toStdString(), notRegular)) {
        error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    QByteArray content;
    char chunk[4096];
#ifdef _WIN32
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = qt_error_string(int(GetLastError()));
        return std::nullopt;
    }
    DWORD got = 0;
    BOOL read = TRUE;
    while (content.size() <= limit && (read = ReadFile(handle, chunk, sizeof chunk, &got, nullptr)) &&
           got > 0)
        content.append(chunk, int(got));
    const DWORD readError = GetLastError();
    CloseHandle(handle);
    if (!read) {
        error = qt_error_string(int(readError));
        return std::nullopt;
    }
#else
    std::ifstream file(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!file) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    while (content.size() <= limit && file.read(chunk, sizeof chunk).gcount() > 0)
        content.append(chunk, int(file.gcount()));
    if (file.bad()) {
        error = QStringLiteral("read error");
        return std::nullopt;
    }
#endif
    return content;
}

} // namespace

LoadedFile loadInstrumentFile(const QString &path)
{
    LoadedFile loaded;
    if (!QFile::exists(path))
        return loaded;
    loaded.kind = LoadedFile::MALFORMED;
    const std::optional<QByteArray> content = readFileHead(path, MAX_FILE_SIZE, loaded.error);
    if (!content) {
        // Removed between the check and the open: the instrument is simply gone.
        if (!QFile::exists(path))
            loaded.kind = LoadedFile::MISSING;
        return loaded;
    }
    if (content->size() > MAX_FILE_SIZE) {
        loaded.error = QStringLiteral("larger than %1 bytes").arg(MAX_FILE_SIZE);
        return loaded;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*content, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        loaded.error =
            QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
        return loaded;
    }
    if (!document.isObject()) {
        loaded.error = QStringLiteral("not a JSON object");
        return loaded;
    }
    std::optional<Instrument> instrument = parseInstrument(document.object(), &loaded.error);
    if (!instrument)
        return loaded;
    loaded.kind = LoadedFile::VALID;
    loaded.json = document.object();
    loaded.instrument = *instrument;
    return loaded;
}

bool saveInstrumentFile(const QString &path, const QJsonObject &json, QString *error)
{
    // Qt 5's commit() moves the new file into place even when flushing its last buffered bytes
    // or closing it failed (a full disk), which would leave a truncated instrument: both are
    // checked here, before and after the move. On Windows a file that a reader still holds open
    // (the connection watch of this or another process) cannot be replaced until that reader has
    // closed it, a moment later: a failed move is tried again a few times.
    constexpr int MOVE_ATTEMPTS = 20;
    constexpr std::chrono::milliseconds MOVE_RETRY_DELAY{5};
    const QByteArray content = QJsonDocument(json).toJson();
    for (int attempt = 1;; ++attempt) {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush() &&
            file.commit() && file.error() == QFileDevice::NoError)
            return true;
        if (file.error() != QFileDevice::RenameError || attempt == MOVE_ATTEMPTS) {
            *error = file.errorString();
            return false;
        }
        std::this_thread::sleep_for(MOVE_RETRY_DELAY);
    }
}

bool instrumentPresent(const QString &path)
{
    QString error;
    const std::optional<QByteArray> content = readFileHead(path, MAX_FILE_SIZE, error);
    if (!content)
        return false;
    // Too large to be an instrument: malformed, which is not the same as gone.
    if (content->size() > MAX_FILE_SIZE)
        return true;
    const QJsonDocument document = QJsonDocument::fromJson(*content);
    return document.object().value(QStringLiteral("unplugged")) != QJsonValue(true);
}

int32_t saveChanges(const QString &path, const QJsonObject &json)
{
    QString error;
    if (saveInstrumentFile(path, json, &error))
        return QLX_SUCCESS;
    report(QStringLiteral("%1: cannot be written: %2").arg(QDir::toNativeSeparators(path), error));
    return QLX_ERROR;
}

QString lockFilePath(const QString &path)
{
    return path + LOCK_FILE_SUFFIX;
}

// QLockFile's own wait sleeps 100 ms and more between tries; another process holds the lock only
// for one read-modify-write. Only a folder that may not be written fails at once: Wine at times
// answers a lock file's creation beside a file being replaced with "path not found" (an unknown
// error to QLockFile), which a later try does not.
bool lockInstrumentFile(QLockFile &lock, const QString &path)
{
    const auto deadline = std::chrono::steady_clock::now() + LOCK_TIMEOUT;
    while (!lock.tryLock(0)) {
        if (lock.error() == QLockFile::PermissionError || std::chrono::steady_clock::now() >= deadline) {
            report(QStringLiteral("%1: cannot be locked for writing").arg(QDir::toNativeSeparators(path)));
            return false;
        }
        std::this_thread::sleep_for(LOCK_RETRY);
    }
    return true;
}

} // namespace qlxsim
