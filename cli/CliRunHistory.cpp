#include "CliRunContext.h"

#include "CliTexts.h"

#include <QDir>

int CliRun::history()
{
    const ChangeRecord record(ChangeRecord::pathFor(m_request.recordFile));
    // Each line asked for goes to the report as it is read: a record grows for years.
    const bool all = m_request.target.kind != CliTarget::Serial;
    const QString serial = serialNumberLabel(m_request.target.serial);
    QString error;
    const bool read = record.read(
        [&](const ChangeEntry &entry) {
            if (all || entry.serial == serial)
                m_report->historyEntry(entry);
        },
        error);
    if (!read)
        return m_report->error(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(record.path()), error),
                               CLI_EXIT_FAILURE);
    m_report->historyEnd(record.path());
    return CLI_EXIT_SUCCESS;
}
