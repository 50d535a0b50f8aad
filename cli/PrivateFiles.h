#pragma once
// Folders and files readable by the user alone, whatever the umask: network.ini and the backups
// that hold it carry the security key. On Windows QFile::setPermissions only sets or clears the
// read-only attribute, so there they keep the access rights of their parent folder.

#include <QFile>
#include <QString>

namespace PrivateFiles {

constexpr QFile::Permissions FOLDER_MODE = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions FILE_MODE = QFile::ReadOwner | QFile::WriteOwner;

// Creates path and the folders above it that are missing, each readable by the user alone;
// folders that exist keep their modes. False when path is not a folder afterwards.
bool makePath(const QString &path);

// A symbolic link or (on Windows) a junction, told apart from what it points to.
bool isLink(const QString &path);

} // namespace PrivateFiles
