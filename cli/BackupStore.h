#pragma once
// Putting an instrument's backup folder in its place, DIR/<serial>/, among other processes that
// may write to DIR: one backup of an instrument into DIR at a time per user (a lock file among
// the user's own data, <data>/kt9-config/locks/), the folder written whole in a scratch folder
// of a name no other process can predict, private from its creation on, checked as restore
// checks it, then renamed into place. Links are never followed, emptied or written through: a
// link where the backup works fails it, and a folder that another user may change is not
// replaced.

#include <QString>
#include <QStringList>

class CQlxSdk_Ctrl;
struct InstrumentSnapshot;

namespace BackupStore {

// Whether folder may be written: absent, or a folder (not a link) and force; whose folder it is
// and what it holds save() looks at under its lock. False, with the reason in error.
bool mayWrite(const QString &folder, bool force, QString &error);

// Writes the snapshot's backup (network.ini with its network settings when it read them) into
// dir/<serial>/; an earlier folder there is replaced only with force and only once the new one
// is in place. False, with the reason in error, leaves dir as it was.
bool save(const QString &dir, const InstrumentSnapshot &snapshot, CQlxSdk_Ctrl &ctrl, bool force,
          QStringList &warnings, QString &error);

} // namespace BackupStore
