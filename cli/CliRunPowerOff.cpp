#include "CliRunContext.h"

#include "CliTexts.h"
#include "CliValues.h"

Change CliRun::powerOffChange(QlxShutdownMode before, QlxShutdownMode after)
{
    return {QStringLiteral("powerOff"), windowText(WindowText::AUTO_POWER_OFF),
            powerOffCaption(before),    powerOffCaption(after),
            powerOffWord(before),       powerOffWord(after)};
}

bool CliRun::powerOff(InstrumentResult &result)
{
    QlxShutdownMode current = QLX_SHUTDOWN_DISABLED;
    if (!m_ctrl.readShutdownTime(current)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_READ_FAILED));
        return false;
    }
    if (current != m_request.mode)
        result.changes.append(powerOffChange(current, m_request.mode));
    if (m_request.dryRun)
        return true;
    if (!m_ctrl.writeShutdownTime(m_request.mode)) {
        result.messages.append(windowText(WindowText::SHUTDOWN_WRITE_FAILED));
        return false;
    }
    result.messages.append(windowText(WindowText::DEVICE_WRITTEN));
    return true;
}
