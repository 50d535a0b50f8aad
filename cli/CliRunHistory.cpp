#include "CliRunContext.h"

#include "CliTexts.h"

#include <QDir>

int CliRun::history()
{
    const ChangeRecord record(ChangeRecord::pathFor(m_request.recordFile));
    QVector<ChangeEntry> entries;
    QString error;
    if (!record.read(entries, error))
        return m_report->error(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(record.path()), error),
                               CLI_EXIT_FAILURE);
    if (m_request.target.kind == CliTarget::Serial) {
        const QString serial = serialNumberLabel(m_request.target.serial);
        QVector<ChangeEntry> chosen;
        for (const ChangeEntry &entry : entries) {
            if (entry.serial == serial)
                chosen.append(entry);
        }
        entries = chosen;
    }
    m_report->history(record.path(), entries);
    return CLI_EXIT_SUCCESS;
}
