#include "CliRunContext.h"

#include "CliTexts.h"
#include "CliValues.h"

#include <QByteArray>
#include <cstring>

namespace {

// One accessory's references as a change: the serial numbers, and a note when only the values differ.
Change calibrationChange(bool white, const QlxCalRefData &before, const QlxCalRefData &after)
{
    const uint8_t *oldSerial = white ? before.rfWhite.serialNo : before.rfAmbient.serialNo;
    const uint8_t *newSerial = white ? after.rfWhite.serialNo : after.rfAmbient.serialNo;
    const auto serialText = [](const uint8_t *bytes) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char *>(bytes), QLX_CAL_SERIAL_SIZE).toHex());
    };
    const QString oldText = serialText(oldSerial);
    QString newText = serialText(newSerial);
    if (oldText == newText)
        newText += QLatin1Char(' ') + CliText::tr("(other values)");
    return {white ? QStringLiteral("whitePlate") : QStringLiteral("ambientAdapter"),
            windowText(white ? WindowText::WHITE_PLATE : WindowText::AMBIENT_ADAPTER),
            oldText,
            newText,
            oldText,
            newText};
}

} // namespace

bool CliRun::restore(InstrumentResult &result)
{
    const BackupContents &saved = m_backups[result.serial];
    // The port list's serial number chose the backup; the instrument itself must agree.
    if (!m_ctrl.readDeviceInfo()) {
        result.messages.append(windowText(WindowText::DEVICE_READ_FAILED));
        return false;
    }
    if (m_ctrl.serialNumberText != saved.serial) {
        result.messages.append(CliText::tr("The instrument reports serial number %1; the backup of %2 is not "
                                           "applied to it.")
                                   .arg(m_ctrl.serialNumberText, saved.serial));
        return false;
    }

    const bool network = saved.hasNetwork;
    if (network) {
        if (!readNetworkSettings(result))
            return false;
        result.changes += networkChanges(m_ctrl.networkInfo, saved.network);
    }
    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    if (saved.hasPowerOff) {
        if (!m_ctrl.readShutdownTime(mode)) {
            result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
            return false;
        }
        if (mode != saved.powerOff)
            result.changes.append({QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
                                   powerOffCaption(mode), powerOffCaption(saved.powerOff), powerOffWord(mode),
                                   powerOffWord(saved.powerOff)});
    }
    QlxCalRefData current = {};
    bool white = false;
    bool ambient = false;
    if (m_request.calibration && (saved.hasWhite || saved.hasAmbient)) {
        if (!m_ctrl.readCalibReferences(current)) {
            result.messages.append(windowText(WindowText::WHITE_SERIAL_READ_FAILED));
            result.messages.append(windowText(WindowText::AMBIENT_SERIAL_READ_FAILED));
            return false;
        }
        white = saved.hasWhite &&
                std::memcmp(&current.rfWhite, &saved.references.rfWhite, sizeof current.rfWhite) != 0;
        ambient = saved.hasAmbient &&
                  std::memcmp(&current.rfAmbient, &saved.references.rfAmbient, sizeof current.rfAmbient) != 0;
        if (white)
            result.changes.append(calibrationChange(true, current, saved.references));
        if (ambient)
            result.changes.append(calibrationChange(false, current, saved.references));
    }
    if (m_request.dryRun)
        return true;

    const auto changed = [&](const char *field) {
        for (const Change &change : result.changes) {
            if (change.field == QLatin1String(field))
                return true;
        }
        return false;
    };
    // The copy of the references comes before any write: when it cannot be saved, nothing is.
    if ((white || ambient) && !saveCalibrationCopy(result, current))
        return false;
    const bool networkChanged =
        network && std::memcmp(&m_ctrl.networkInfo, &saved.network, sizeof saved.network) != 0;
    if (networkChanged) {
        m_ctrl.networkInfo = saved.network;
        if (!m_ctrl.writeNetworkInfo()) {
            result.messages.append(windowText(WindowText::NETWORK_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::NETWORK_WRITTEN));
    }
    if (changed("powerOff")) {
        if (!m_ctrl.writeShutdownTime(saved.powerOff)) {
            result.messages.append(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    }
    if (white || ambient) {
        if (!m_ctrl.writeCalibReferences(saved.references, white, ambient)) {
            result.messages.append(
                windowText(white ? WindowText::WHITE_WRITE_FAILED : WindowText::AMBIENT_WRITE_FAILED));
            return false;
        }
        result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    }
    return true;
}
