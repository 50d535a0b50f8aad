#include "CliReport.h"

#include "CliJsonReport.h"
#include "CliOutput.h"
#include "CliTextReport.h"
#include "CliTexts.h"

#include <QDir>

#include <algorithm>

std::unique_ptr<CliReport> CliReport::make(const CliRequest &request, CliOutput &output)
{
    if (request.json)
        return std::unique_ptr<CliReport>(new CliJsonReport(request, output));
    return std::unique_ptr<CliReport>(new CliTextReport(request, output));
}

void CliReport::progress(int position, int count, const QString &serial)
{
    m_output.progress(CliText::tr("Instrument %1 of %2: %3").arg(position).arg(count).arg(serial));
}

QString CliReport::unlistedText(uint32_t unlisted)
{
    return CliText::tr("Not reached: instruments the instrument library reports but could not list: %1.")
        .arg(unlisted);
}

int CliReport::targetError(const QString &error, const QVector<ListedInstrument> &listed, uint32_t unlisted)
{
    if (unlisted > 0)
        return this->error(error + QLatin1Char(' ') + unlistedText(unlisted), CLI_EXIT_FAILURE);
    // The list helps to choose: it goes with the error on standard error.
    QStringList lines;
    for (const ListedInstrument &instrument : listed)
        lines.append(
            QStringLiteral("  %1  %2  %3").arg(instrument.port).arg(instrument.serial, instrument.label));
    return reportUsageError(m_request.commandName, error, m_request.json, m_output, lines);
}

bool CliReport::changed(const InstrumentResult &result) const
{
    // A dry run tells what would change; a run what the instrument now holds, also when a later
    // write of the same instrument failed.
    if (m_request.dryRun)
        return result.outcome == InstrumentResult::Succeeded && !result.changes.isEmpty();
    return std::any_of(result.changes.cbegin(), result.changes.cend(),
                       [](const Change &change) { return change.written; });
}

CliReport::Summary CliReport::summarize(const QVector<InstrumentResult> &results, CliStop stop,
                                        uint32_t unlisted) const
{
    Summary summary;
    QStringList done;
    int changedCount = 0;
    int unchangedCount = 0;
    for (const InstrumentResult &result : results) {
        const bool resultChanged = changed(result);
        changedCount += resultChanged ? 1 : 0;
        if (result.outcome == InstrumentResult::Succeeded && !resultChanged)
            ++unchangedCount;
        if (result.outcome == InstrumentResult::Succeeded)
            ++summary.succeeded;
        else if (result.outcome == InstrumentResult::Failed)
            summary.failed.append(result.serial);
        else if (result.outcome == InstrumentResult::Skipped)
            summary.skipped.append(result.serial);
        else
            summary.notDone.append(result.serial);
        if (result.outcome != InstrumentResult::NotDone)
            done.append(result.serial);
    }

    const QString separator = QStringLiteral(", ");
    summary.text =
        m_request.dryRun
            ? CliText::tr("Summary (dry run, nothing written): %1 of %2 passed the checks.")
                  .arg(summary.succeeded)
                  .arg(results.size())
            : CliText::tr("Summary: %1 of %2 succeeded.").arg(summary.succeeded).arg(results.size());
    summary.changed = changedCount > 0;
    if (m_request.command == CliCommand::Apply)
        summary.text += QLatin1Char(' ') +
                        CliText::tr("Changed: %1, unchanged: %2.").arg(changedCount).arg(unchangedCount);
    if (!summary.failed.isEmpty())
        summary.text += QLatin1Char(' ') + CliText::tr("Failed: %1.").arg(summary.failed.join(separator));
    if (!summary.skipped.isEmpty())
        summary.text += QLatin1Char(' ') + CliText::tr("Skipped: %1.").arg(summary.skipped.join(separator));
    if (!summary.notDone.isEmpty())
        summary.text += QLatin1Char(' ') + CliText::tr("Not done: %1.").arg(summary.notDone.join(separator));
    if (unlisted > 0)
        summary.text += QLatin1Char(' ') + unlistedText(unlisted);
    if (!m_backupsNotReached.isEmpty())
        summary.text += QLatin1Char(' ') + CliText::tr("Backups of instruments that are not reachable: %1.")
                                               .arg(m_backupsNotReached.join(separator));
    // A restore that found a backup for none of its instruments did nothing that was asked.
    const bool noBackup = m_request.command == CliCommand::Restore && !results.isEmpty() &&
                          summary.skipped.size() == results.size();
    if (noBackup)
        summary.text += QLatin1Char(' ') + CliText::tr("None of the instruments has a backup in %1.")
                                               .arg(QDir::toNativeSeparators(m_request.file));
    if (m_notInPlan > 0)
        summary.text +=
            QLatin1Char(' ') + CliText::tr("Listed but not in the plan, not touched: %1.").arg(m_notInPlan);
    const QString doneText = done.isEmpty() ? CliText::tr("none") : done.join(separator);
    if (stop == CliStop::INTERRUPT)
        summary.interruption =
            CliText::tr("Stopped by Ctrl+C after the instrument in progress had finished and "
                        "was disconnected. Done: %1.")
                .arg(doneText);
    else if (stop == CliStop::END_REQUEST)
        summary.interruption =
            CliText::tr(
                "Stopped by a request to end the program after the instrument in progress had finished "
                "and was disconnected. Done: %1.")
                .arg(doneText);
    else if (stop == CliStop::OUTPUT_FAILED)
        summary.interruption =
            CliText::tr(
                "Stopped because standard output could not be written, after the instrument in progress "
                "had finished and was disconnected. Done: %1.")
                .arg(doneText);
    else if (stop == CliStop::RECORD_FAILED)
        summary.interruption =
            CliText::tr(
                "Stopped because the change record could not be written: no instrument is written that "
                "it cannot record. Done: %1.")
                .arg(doneText);
    summary.exitStatus = summary.failed.isEmpty() && summary.notDone.isEmpty() && unlisted == 0 &&
                                 !noBackup && stop == CliStop::NONE
                             ? CLI_EXIT_SUCCESS
                             : CLI_EXIT_FAILURE;
    return summary;
}

int reportUsageError(const QString &commandName, const QString &error, bool json, CliOutput &output,
                     const QStringList &details)
{
    output.message(QStringLiteral("kt9-cli: %1").arg(error));
    for (const QString &detail : details)
        output.message(detail);
    output.message(CliText::tr("Try kt9-cli --help for more information."));
    if (json)
        output.document(cliErrorDocument(commandName, error, CLI_EXIT_USAGE));
    return CLI_EXIT_USAGE;
}
