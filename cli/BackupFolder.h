#pragma once
// The backup folder of one instrument, DIR/<serial>/: network.ini in the window's network
// settings file layout, white.csv and ambient.csv in the calibration value file layout, and
// instrument.json with what has no file of its own, the time of the backup and the SHA-256 of
// each file beside it. Written by backup (and, with the references only, before every
// calibration write), read back and checked by restore.

#include "instrument/QlxSdk.h"

#include <QMap>
#include <QString>
#include <QStringList>

class CQlxSdk_Ctrl;

// What was read from an instrument for its backup.
struct InstrumentSnapshot
{
    QString serial; ///< 8 digits, the folder's name
    QString firmware;
    QString macAddress;
    bool moduleEnabled = false;
    bool networkRead = false; ///< the controller's networkInfo holds the instrument's settings
    bool powerOffRead = false;
    QlxShutdownMode powerOff = QLX_SHUTDOWN_DISABLED;
    bool referencesRead = false;
    QlxCalRefData references = {};
};

// What a backup folder puts back, checked before any instrument is touched.
struct BackupContents
{
    QString serial;
    QString folder;
    bool hasNetwork = false;
    QlxNetworkInfo network = {}; ///< as network load would send it
    bool hasPowerOff = false;
    QlxShutdownMode powerOff = QLX_SHUTDOWN_DISABLED;
    bool hasWhite = false;
    bool hasAmbient = false;
    QlxCalRefData references = {}; ///< the parts named by hasWhite and hasAmbient
};

namespace BackupFolder {

// The names of the files a backup folder holds.
QStringList fileNames();

// Creates folder (it and its files readable by the user alone) and writes the snapshot's files
// into it; with network, network.ini from the controller's networkInfo. Settings that the
// network settings file or the calibration file cannot carry go raw into instrument.json, with
// a warning. False, with the reason in error.
bool write(const QString &folder, const InstrumentSnapshot &snapshot, CQlxSdk_Ctrl &ctrl, bool network,
           QStringList &warnings, QString &error);

// Reads and checks one instrument folder as restore does (below), whatever its name. False,
// with the fault in error.
bool check(const QString &folder, CQlxSdk_Ctrl &ctrl, BackupContents &contents, QString &error);

// Reads and checks every instrument folder of dir (or dir itself when it holds
// instrument.json): files against their SHA-256, the serial number, the network settings as
// network load checks them (through ctrl), the power-off time. False at the first fault,
// with it in error.
bool readAll(const QString &dir, CQlxSdk_Ctrl &ctrl, QMap<QString, BackupContents> &contents, QString &error);

// Whether the calibration parts of a backup are ones registration would accept (the serial
// numbers' ranges), as restore --calibration must before it writes them. False, with the file
// at fault in error.
bool calibrationRegistrable(const BackupContents &contents, QString &error);

// <generic data location>/kt9-config/backups/<serial>/<UTC time>/, created; empty, with the
// reason in error, when it cannot be.
QString createCopyFolder(const QString &serial, QString &error);

} // namespace BackupFolder
