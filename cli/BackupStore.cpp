#include "BackupStore.h"

#include "BackupFolder.h"
#include "CliTexts.h"
#include "Console.h"
#include "PrivateFiles.h"
#include "instrument/CQlxSdk_Ctrl.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Another backup of the instrument holds its lock only while it writes its folder, which takes
// far less than the wait; a lock left by a process that died is taken over (at once when
// QLockFile sees that its owner is gone).
constexpr int LOCK_WAIT_MS = 10000;
constexpr int STALE_LOCK_MS = 30000;
// Hexadecimal digits of the folder's SHA-256 in a lock file's name.
constexpr int LOCK_NAME_HASH_DIGITS = 16;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Removes path and everything in it without following a link, at the top or inside: a link is
// removed itself.
void removeTree(const QString &path)
{
    const QFileInfo info(path);
    if (PrivateFiles::isLink(path) || !info.isDir()) {
        // A junction is a folder to the file system, a symbolic link a file.
        if (!QFile::remove(path))
            QDir().rmdir(path);
        return;
    }
    const QDir dir(path);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        removeTree(dir.filePath(name));
    QDir().rmdir(path);
}

// Removes an earlier backup folder that was put aside: the files a backup writes, a link as a
// link, then the folder. Whatever else is in it keeps it where it was put, unfollowed.
void removeBackupFolder(const QString &path)
{
    const QDir dir(path);
    for (const QString &name : BackupFolder::fileNames()) {
        const QString file = dir.filePath(name);
        if (PrivateFiles::isLink(file) || QFileInfo(file).isFile())
            QFile::remove(file);
    }
    QDir().rmdir(path);
}

// Whether folder holds nothing but the files a backup writes, none of them a link.
bool holdsOnlyBackupFiles(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = BackupFolder::fileNames();
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString file = dir.filePath(name);
        if (!names.contains(name) || PrivateFiles::isLink(file) || !QFileInfo(file).isFile())
            return false;
    }
    return true;
}

// A folder of dir that no other process can predict, readable by the user alone from its
// creation on; empty, with the reason in error, when it cannot be made.
QString createScratchFolder(const QString &dir, const QString &serial, QString &error)
{
    const PrivateCreation privateCreation;
    QTemporaryDir scratch(QDir(dir).filePath(QStringLiteral(".%1.XXXXXX").arg(serial)));
    scratch.setAutoRemove(false);
    if (!scratch.isValid()) {
        error = CliText::tr("cannot create a folder in %1").arg(native(dir));
        return QString();
    }
    const QDir folder(scratch.path());
    const bool empty =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
    if (!empty || PrivateFiles::isLink(scratch.path())) {
        removeTree(scratch.path());
        error = CliText::tr("cannot create a folder in %1").arg(native(dir));
        return QString();
    }
    return scratch.path();
}

// Puts written in the place of folder. An earlier folder there is moved into a scratch folder
// first (no other process can put a link in its way there), back again when the new one
// cannot take its place, else removed.
bool replace(const QString &written, const QString &folder, QString &error)
{
    const QFileInfo target(folder);
    QDir parent;
    if (!target.exists()) {
        if (parent.rename(written, folder))
            return true;
        error = CliText::tr("cannot write %1").arg(native(folder));
        return false;
    }
    const QString aside = createScratchFolder(target.absolutePath(), target.fileName(), error);
    if (aside.isEmpty())
        return false;
    const QString old = QDir(aside).filePath(target.fileName());
    const bool moved = parent.rename(folder, old);
    const bool placed = moved && parent.rename(written, folder);
    // An earlier folder that cannot be moved back stays in the scratch folder rather than go.
    if (placed)
        removeBackupFolder(old);
    if (!moved || placed || parent.rename(old, folder))
        QDir().rmdir(aside);
    if (!placed)
        error = CliText::tr("cannot write %1").arg(native(folder));
    return placed;
}

// Writes and checks the backup in a scratch folder of dir and puts it in the place of folder.
bool writeChecked(const QString &dir, const QString &folder, const InstrumentSnapshot &snapshot,
                  CQlxSdk_Ctrl &ctrl, QStringList &warnings, QString &error)
{
    const QString written = createScratchFolder(dir, snapshot.serial, error);
    if (written.isEmpty())
        return false;
    bool saved = BackupFolder::write(written, snapshot, ctrl, snapshot.networkRead, warnings, error);
    if (saved) {
        // What restore would refuse is no backup. Its checks read network.ini through the
        // controller, whose network settings are the instrument's.
        const QlxNetworkInfo network = ctrl.networkInfo;
        BackupContents contents;
        saved = BackupFolder::check(written, ctrl, contents, error);
        ctrl.networkInfo = network;
        if (!saved)
            error = CliText::tr("Restore would refuse this backup, so it was not saved: %1")
                        .arg(error.replace(native(written), native(folder)));
    }
    saved = saved && replace(written, folder, error);
    if (!saved)
        removeTree(written);
    return saved;
}

// <generic data location>/kt9-config/locks, the user's alone.
QString lockFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/kt9-config/locks");
}

// The lock file of the backups of serial into dir, named by dir's absolute path; empty when its
// folder cannot be made.
QString lockFilePath(const QString &dir, const QString &serial)
{
    const QString folder = lockFolder();
    if (folder.isEmpty() || !PrivateFiles::makePath(folder))
        return QString();
    const QByteArray dirHash =
        QCryptographicHash::hash(QFileInfo(dir).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("%1/%2-%3.lock")
        .arg(folder, QString::fromLatin1(dirHash.toHex().left(LOCK_NAME_HASH_DIGITS)), serial);
}

// Whether an earlier folder may be replaced; looked at under the lock only, where no other
// backup of the user's moves it. What another user may change is not removed: its contents
// could be turned into links while they are removed. Nor is what a backup did not write.
bool mayReplace(const QString &folder, QString &error)
{
    if (!QFileInfo::exists(folder))
        return true;
    if (!ownedAndPrivate(folder)) {
        error = CliText::tr("%1 belongs to another user or others may change it; backup does not replace it.")
                    .arg(native(folder));
        return false;
    }
    if (!holdsOnlyBackupFiles(folder)) {
        error = CliText::tr("%1 holds files that backup did not write; backup does not replace it.")
                    .arg(native(folder));
        return false;
    }
    return true;
}

} // namespace

bool BackupStore::mayWrite(const QString &folder, bool force, QString &error)
{
    const QFileInfo info(folder);
    if (PrivateFiles::isLink(folder) || (info.exists() && !info.isDir())) {
        error = CliText::tr("%1 is a link or not a folder; backup neither follows nor replaces it.")
                    .arg(native(folder));
        return false;
    }
    if (info.exists() && !force) {
        error = CliText::tr("%1 already exists; --force replaces it.").arg(native(folder));
        return false;
    }
    return true;
}

bool BackupStore::save(const QString &dir, const InstrumentSnapshot &snapshot, CQlxSdk_Ctrl &ctrl, bool force,
                       QStringList &warnings, QString &error)
{
    if (!PrivateFiles::makePath(dir)) {
        error = CliText::tr("cannot create the folder %1").arg(native(dir));
        return false;
    }
    // Where others may rename what backup puts there, its scratch folder could be swapped for a
    // link between its creation and its use.
    if (!othersCannotRenameIn(dir)) {
        error =
            CliText::tr("Others may rename or remove what is put into %1 (it belongs to another user, or "
                        "others may write to it and it lacks the sticky bit); backup does not write into it.")
                .arg(native(dir));
        return false;
    }
    const QString folder = QDir(dir).filePath(snapshot.serial);
    // The lock lies among the user's own files, where no one else can put a link or a pipe in
    // its way (QLockFile reads a file that is there, and a pipe would hang it): it keeps the
    // user's backups of one instrument into one folder apart.
    const QString lockPath = lockFilePath(dir, snapshot.serial);
    if (lockPath.isEmpty()) {
        error = CliText::tr("cannot create the folder %1").arg(native(lockFolder()));
        return false;
    }
    // Only the user can put anything there, but a pipe would still hang QLockFile.
    const QFileInfo lockInfo(lockPath);
    if (PrivateFiles::isLink(lockPath) || (lockInfo.exists() && !lockInfo.isFile())) {
        error = CliText::tr("%1 is a link or not a regular file; backup neither follows nor replaces it.")
                    .arg(native(lockPath));
        return false;
    }
    QLockFile lock(lockPath);
    lock.setStaleLockTime(STALE_LOCK_MS);
    if (!lock.tryLock(LOCK_WAIT_MS)) {
        error = CliText::tr("Another backup of this instrument into %1 is still running (lock file %2).")
                    .arg(native(dir), native(lockPath));
        return false;
    }
    // Another backup may have put the folder there since the first look.
    return mayWrite(folder, force, error) && mayReplace(folder, error) &&
           writeChecked(dir, folder, snapshot, ctrl, warnings, error);
}
