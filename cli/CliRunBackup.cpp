#include "CliRunContext.h"

#include "BackupStore.h"
#include "CliTexts.h"

#include <QDir>
#include <QStringList>

bool CliRun::saveCalibrationCopy(InstrumentResult &result, const QlxCalRefData &current)
{
    QString error;
    const QString folder = BackupFolder::createCopyFolder(result.serial, error);
    InstrumentSnapshot snapshot;
    snapshot.serial = result.serial;
    snapshot.referencesRead = true;
    snapshot.references = current;
    QStringList warnings;
    if (folder.isEmpty() || !BackupFolder::write(folder, snapshot, m_ctrl, false, warnings, error)) {
        if (!folder.isEmpty())
            QDir(folder).removeRecursively();
        result.messages.append(
            CliText::tr("The current calibration references could not be saved (%1); nothing was written.")
                .arg(error));
        return false;
    }
    result.messages.append(warnings);
    result.messages.append(
        CliText::tr("Current calibration references saved in %1.").arg(QDir::toNativeSeparators(folder)));
    return true;
}

bool CliRun::backup(InstrumentResult &result)
{
    const QString folder = QDir(m_request.file).filePath(result.serial);
    QString error;
    if (!BackupStore::mayWrite(folder, m_request.force, error)) {
        result.messages.append(error);
        return false;
    }
    InstrumentSnapshot snapshot;
    snapshot.serial = result.serial;
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    snapshot.firmware = m_ctrl.firmwareVersionText;
    snapshot.macAddress = m_ctrl.macAddressText;
    const Module module = readModule();
    if (module == Module::UNKNOWN) {
        result.messages.append(moduleQueryFailedText());
        return false;
    }
    snapshot.moduleEnabled = module == Module::ENABLED;
    if (snapshot.moduleEnabled) {
        if (!m_ctrl.readNetworkInfo()) {
            result.messages.append(windowText(WindowText::NETWORK_READ_FAILED));
            return false;
        }
        snapshot.networkRead = true;
    }
    if (!m_ctrl.readShutdownTime(snapshot.powerOff)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        return false;
    }
    snapshot.powerOffRead = true;
    if (!m_ctrl.readCalibReferences(snapshot.references)) {
        result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
        result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    snapshot.referencesRead = true;

    QStringList warnings;
    // A failed backup leaves an earlier one as it was.
    if (!BackupStore::save(m_request.file, snapshot, m_ctrl, m_request.force, warnings, error)) {
        result.messages.append(error);
        return false;
    }
    result.messages.append(warnings);
    result.messages.append(CliText::tr("Saved in %1.").arg(QDir::toNativeSeparators(folder)));
    return true;
}
