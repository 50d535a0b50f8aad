#include "CliTextReport.h"

#include "CliOutput.h"
#include "CliTexts.h"

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
    case InstrumentResult::NotDone:
        break;
    }
    return CliText::tr("NOT DONE");
}

} // namespace

void CliTextReport::list(const QVector<ListedInstrument> &instruments)
{
    for (const ListedInstrument &instrument : instruments)
        m_output.line(
            QStringLiteral("%1  %2  %3").arg(instrument.port).arg(instrument.serial, instrument.label));
    if (instruments.isEmpty())
        m_output.line(windowText(WindowText::NOT_CONNECTED));
}

void CliTextReport::instrument(const InstrumentResult &result)
{
    QString line = QStringLiteral("%1  %2  %3").arg(result.serial, result.label, resultWord(result.outcome));
    if (!result.messages.isEmpty())
        line += QStringLiteral("  ") + result.messages.join(QLatin1Char(' '));
    m_output.line(line);
    for (const Shown &shown : result.shown) {
        if (!shown.label.isEmpty())
            m_output.line(QStringLiteral("    %1 %2").arg(withColon(shown.label), shown.text));
    }
    for (const Change &change : result.changes)
        m_output.line(
            QStringLiteral("    %1 %2 -> %3").arg(withColon(change.label), change.oldText, change.newText));
    const bool writes = m_request.command != CliCommand::Show && m_request.command != CliCommand::NetworkSave;
    if (writes && result.outcome == InstrumentResult::Succeeded && result.changes.isEmpty())
        m_output.line(QStringLiteral("    ") + CliText::tr("No change."));
}

int CliTextReport::finish(const QVector<InstrumentResult> &results, bool interrupted)
{
    const Summary summary = summarize(results, interrupted);
    if (interrupted)
        m_output.line(summary.interruption);
    m_output.line(summary.text);
    return summary.exitStatus;
}

int CliTextReport::error(const QString &error, int status)
{
    m_output.message(error);
    return status;
}
