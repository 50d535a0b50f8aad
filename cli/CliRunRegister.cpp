#include "CliRunContext.h"

#include "CliTexts.h"

bool CliRun::registerAccessory(InstrumentResult &result)
{
    const bool white = m_request.accessory == CliAccessory::WhitePlate;
    const auto currentSerial = [&] {
        return white ? m_ctrl.whitePlateSerialText : m_ctrl.ambientAdapterSerialText;
    };
    if (!m_ctrl.readCalibSerialNumbers()) {
        result.messages.append(windowText(white ? WindowText::WHITE_SERIAL_READ_FAILED
                                                : WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    Change change{white ? QStringLiteral("whitePlateSerial") : QStringLiteral("ambientAdapterSerial"),
                  windowText(white ? WindowText::WHITE_PLATE : WindowText::AMBIENT_ADAPTER),
                  currentSerial(),
                  m_fileSerial,
                  currentSerial(),
                  m_fileSerial};
    if (m_request.dryRun) {
        result.changes.append(change);
        return true;
    }
    QlxCalRefData current = {};
    if (!m_ctrl.readCalibReferences(current)) {
        result.messages.append(windowText(white ? WindowText::WHITE_SERIAL_READ_FAILED
                                                : WindowText::AMBIENT_SERIAL_READ_FAILED));
        return false;
    }
    if (!saveCalibrationCopy(result, current))
        return false;
    // The file is read again here, as the window's Write To Body does.
    const bool registered = white ? m_ctrl.registerWhitePlate(m_filePath.constData())
                                  : m_ctrl.registerAmbientAdapter(m_filePath.constData());
    if (!registered) {
        result.messages.append(
            windowText(white ? WindowText::WHITE_WRITE_FAILED : WindowText::AMBIENT_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    // The serial number now registered, as the window shows it afterwards.
    if (m_ctrl.readCalibSerialNumbers()) {
        change.newText = currentSerial();
        change.newValue = currentSerial();
    }
    result.changes.append(change);
    return true;
}
