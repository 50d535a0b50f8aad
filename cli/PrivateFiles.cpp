#include "PrivateFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

bool PrivateFiles::makePath(const QString &path)
{
    QStringList missing;
    QFileInfo level(QDir(path).absolutePath());
    // A dangling link is not a missing folder: creating one through it would follow it.
    while (!level.exists() && !isLink(level.absoluteFilePath()) && !level.isRoot()) {
        missing.prepend(level.absoluteFilePath());
        level = QFileInfo(level.absolutePath());
    }
    for (const QString &folder : missing) {
        // Another process may create the same folder at the same moment.
        if (QDir().mkdir(folder)) {
            if (!QFile::setPermissions(folder, FOLDER_MODE))
                return false;
        } else if (!QFileInfo(folder).isDir()) {
            return false;
        }
    }
    return QFileInfo(path).isDir();
}

bool PrivateFiles::isLink(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() || info.isJunction();
}
