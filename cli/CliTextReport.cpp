#include "CliTextReport.h"

#include "CliOutput.h"
#include "CliTexts.h"

#include <QDir>

namespace {

QString withColon(const QString &caption)
{
    return caption.endsWith(QLatin1Char(':')) ? caption : caption + QLatin1Char(':');
}

QString resultWord(InstrumentResult::Outcome outcome)
{
    switch (outcome) {
    case InstrumentResult::Succeeded:
        return CliText::tr("OK");
    case InstrumentResult::Failed:
        return CliText::tr("FAILED");
    case InstrumentResult::Skipped:
        return CliText::tr("SKIPPED");
    case InstrumentResult::NotDone:
        break;
    }
    return CliText::tr("NOT DONE");
}

} // namespace

int CliTextReport::list(const QVector<ListedInstrument> &instruments, uint32_t unlisted)
{
    for (const ListedInstrument &instrument : instruments)
        m_output.line(
            QStringLiteral("%1  %2  %3").arg(instrument.port).arg(instrument.serial, instrument.label));
    if (unlisted == 0)
        return CLI_EXIT_SUCCESS;
    m_output.message(unlistedText(unlisted));
    return CLI_EXIT_FAILURE;
}

void CliTextReport::historyEntry(const ChangeEntry &entry)
{
    ++m_historyCount;
    // Control characters of the values (a line break in an SSID) come out escaped.
    m_output.line(QStringLiteral("%1  %2  %3  %4: %5 -> %6  %7  %8@%9")
                      .arg(entry.time, entry.serial, entry.command, entry.setting, entry.oldValue,
                           entry.newValue, entry.result, entry.user, entry.computer));
}

void CliTextReport::historyEnd(const QString &path)
{
    if (m_historyCount == 0)
        m_output.message(CliText::tr("No change recorded in %1.").arg(QDir::toNativeSeparators(path)));
}

void CliTextReport::instrument(const InstrumentResult &result)
{
    QString word = resultWord(result.outcome);
    // apply says what became of each instrument of its plan.
    const bool plan = m_request.command == CliCommand::Apply;
    if (plan && result.outcome == InstrumentResult::Succeeded)
        word = !changed(result)   ? CliText::tr("UNCHANGED")
               : m_request.dryRun ? CliText::tr("WOULD CHANGE")
                                  : CliText::tr("CHANGED");
    QString line = QStringLiteral("%1  %2  %3").arg(result.serial, result.label, word);
    if (!result.messages.isEmpty())
        line += QStringLiteral("  ") + result.messages.join(QLatin1Char(' '));
    m_output.line(line);
    for (const Shown &shown : result.shown) {
        if (!shown.label.isEmpty())
            m_output.line(QStringLiteral("    %1 %2").arg(withColon(shown.label), shown.text));
    }
    for (const Change &change : result.changes) {
        QString changeLine =
            QStringLiteral("    %1 %2 -> %3").arg(withColon(change.label), change.oldText, change.newText);
        if (!m_request.dryRun && !change.written)
            changeLine += QLatin1Char(' ') + CliText::tr("(not written)");
        m_output.line(changeLine);
    }
    const bool writes = m_request.command != CliCommand::Show &&
                        m_request.command != CliCommand::NetworkSave &&
                        m_request.command != CliCommand::Backup && !plan;
    if (writes && result.outcome == InstrumentResult::Succeeded && result.changes.isEmpty())
        m_output.line(QStringLiteral("    ") + CliText::tr("No change."));
}

int CliTextReport::finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted)
{
    const Summary summary = summarize(results, stop, unlisted);
    // Standard output has failed: the reason goes where it can still be read.
    if (stop == CliStop::OUTPUT_FAILED)
        m_output.message(summary.interruption);
    else if (stop != CliStop::NONE)
        m_output.line(summary.interruption);
    m_output.line(summary.text);
    return summary.exitStatus;
}

int CliTextReport::error(const QString &error, int status)
{
    m_output.message(error);
    return status;
}
