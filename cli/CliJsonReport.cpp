#include "CliJsonReport.h"

#include "CliOutput.h"

#include <QDir>
#include <QJsonArray>

namespace {

QString resultName(InstrumentResult::Outcome outcome)
{
    switch (outcome) {
    case InstrumentResult::Succeeded:
        return QStringLiteral("succeeded");
    case InstrumentResult::Failed:
        return QStringLiteral("failed");
    case InstrumentResult::Skipped:
        return QStringLiteral("skipped");
    case InstrumentResult::NotDone:
        break;
    }
    return QStringLiteral("not-done");
}

} // namespace

QJsonObject cliErrorDocument(const QString &commandName, const QString &error, int exitStatus)
{
    return QJsonObject{{QStringLiteral("command"), commandName},
                       {QStringLiteral("error"), error},
                       {QStringLiteral("exitStatus"), exitStatus}};
}

int CliJsonReport::list(const QVector<ListedInstrument> &instruments, uint32_t unlisted)
{
    QJsonArray listed;
    for (const ListedInstrument &instrument : instruments)
        listed.append(QJsonObject{{QStringLiteral("port"), instrument.port},
                                  {QStringLiteral("serial"), instrument.serial},
                                  {QStringLiteral("label"), instrument.label}});
    const int status = unlisted == 0 ? CLI_EXIT_SUCCESS : CLI_EXIT_FAILURE;
    if (unlisted > 0)
        m_output.message(unlistedText(unlisted));
    m_output.document(QJsonObject{{QStringLiteral("command"), m_request.commandName},
                                  {QStringLiteral("instruments"), listed},
                                  {QStringLiteral("unlisted"), int(unlisted)},
                                  {QStringLiteral("exitStatus"), status}});
    return status;
}

void CliJsonReport::historyEntry(const ChangeEntry &entry)
{
    m_historyChanges.append(QJsonObject{{QStringLiteral("time"), entry.time},
                                        {QStringLiteral("user"), entry.user},
                                        {QStringLiteral("computer"), entry.computer},
                                        {QStringLiteral("command"), entry.command},
                                        {QStringLiteral("serial"), entry.serial},
                                        {QStringLiteral("setting"), entry.setting},
                                        {QStringLiteral("old"), entry.oldValue},
                                        {QStringLiteral("new"), entry.newValue},
                                        {QStringLiteral("result"), entry.result}});
}

void CliJsonReport::historyEnd(const QString &path)
{
    m_output.document(QJsonObject{{QStringLiteral("command"), m_request.commandName},
                                  {QStringLiteral("record"), QDir::toNativeSeparators(path)},
                                  {QStringLiteral("changes"), m_historyChanges},
                                  {QStringLiteral("exitStatus"), CLI_EXIT_SUCCESS}});
}

void CliJsonReport::instrument(const InstrumentResult &)
{
    // Every instrument is in the one document that finish() writes.
}

int CliJsonReport::finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted)
{
    QJsonArray instruments;
    for (const InstrumentResult &result : results) {
        QJsonObject instrument{{QStringLiteral("port"), result.port},
                               {QStringLiteral("serial"), result.serial},
                               {QStringLiteral("label"), result.label},
                               {QStringLiteral("result"), resultName(result.outcome)},
                               {QStringLiteral("message"), result.messages.join(QLatin1Char(' '))}};
        if (m_request.command == CliCommand::Show) {
            QJsonObject settings;
            for (const Shown &shown : result.shown)
                settings.insert(shown.field, shown.value);
            instrument.insert(QStringLiteral("settings"), settings);
        } else {
            QJsonArray changes;
            for (const Change &change : result.changes)
                changes.append(QJsonObject{{QStringLiteral("field"), change.field},
                                           {QStringLiteral("old"), change.oldValue},
                                           {QStringLiteral("new"), change.newValue},
                                           {QStringLiteral("written"), change.written}});
            instrument.insert(QStringLiteral("changes"), changes);
        }
        if (m_request.command == CliCommand::Apply)
            instrument.insert(QStringLiteral("changed"), changed(result));
        instruments.append(instrument);
    }

    const Summary summary = summarize(results, stop, unlisted);
    QJsonObject summaryJson{{QStringLiteral("instruments"), results.size()},
                            {QStringLiteral("succeeded"), summary.succeeded},
                            {QStringLiteral("failed"), QJsonArray::fromStringList(summary.failed)},
                            {QStringLiteral("notDone"), QJsonArray::fromStringList(summary.notDone)},
                            {QStringLiteral("unlisted"), int(unlisted)},
                            {QStringLiteral("text"), summary.text}};
    if (m_request.command == CliCommand::Restore) {
        summaryJson.insert(QStringLiteral("skipped"), QJsonArray::fromStringList(summary.skipped));
        summaryJson.insert(QStringLiteral("notReachable"), QJsonArray::fromStringList(m_backupsNotReached));
    }
    QJsonObject document{
        {QStringLiteral("command"), m_request.commandName},
        {QStringLiteral("dryRun"), m_request.dryRun},
        {QStringLiteral("instruments"), instruments},
        {QStringLiteral("summary"), summaryJson},
        {QStringLiteral("interrupted"), stop == CliStop::INTERRUPT || stop == CliStop::END_REQUEST},
        {QStringLiteral("exitStatus"), summary.exitStatus}};
    if (m_request.command == CliCommand::Apply) {
        summaryJson.insert(QStringLiteral("notInPlan"), m_notInPlan);
        document.insert(QStringLiteral("summary"), summaryJson);
        document.insert(QStringLiteral("changed"), summary.changed);
    }
    m_output.document(document);
    if (stop != CliStop::NONE)
        m_output.message(summary.interruption);
    return summary.exitStatus;
}

int CliJsonReport::error(const QString &error, int status)
{
    m_output.message(error);
    m_output.document(cliErrorDocument(m_request.commandName, error, status));
    return status;
}
