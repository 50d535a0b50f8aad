#include "CliRunContext.h"

#include "CliTexts.h"
#include "Console.h"

#include <QDateTime>
#include <QDir>
#include <QSysInfo>

namespace {

// The text of a value in the change record: untranslated, as the JSON document has it.
QString recordText(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDouble())
        return QString::number(value.toDouble());
    return value.toString();
}

} // namespace

void CliRun::recordChanges(InstrumentResult &result)
{
    const QString time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    const QString user = accountName();
    const QString computer = QSysInfo::machineHostName();
    QVector<ChangeEntry> entries;
    bool anyWritten = false;
    for (const Change &change : result.changes) {
        // The key is never recorded, whatever --show-key says.
        const bool secret = change.field == QLatin1String("securityKey");
        entries.append({time, user, computer, m_request.commandName, result.serial, change.field,
                        secret ? HIDDEN_KEY : recordText(change.oldValue),
                        secret ? HIDDEN_KEY : recordText(change.newValue),
                        change.written ? QStringLiteral("succeeded") : QStringLiteral("failed")});
        anyWritten = anyWritten || change.written;
    }
    QString error;
    if (entries.isEmpty() || m_record->append(entries, error))
        return;
    // What the instrument now holds is not in the record: the instrument's work failed, and no
    // other instrument is written.
    result.outcome = InstrumentResult::Failed;
    m_recordFailed = true;
    const QString reason = CliText::tr("The change record %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(m_record->path()), error);
    result.messages.append(anyWritten ? CliText::tr("Written, but not recorded.") + QLatin1Char(' ') + reason
                                      : reason);
}
