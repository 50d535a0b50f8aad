#pragma once
// The report as one JSON document on standard output, written when the run ends (or fails).

#include "CliReport.h"

#include <QJsonArray>
#include <QJsonObject>

class CliJsonReport : public CliReport
{
public:
    CliJsonReport(const CliRequest &request, CliOutput &output) : CliReport(request, output) {}

    int list(const QVector<ListedInstrument> &instruments, uint32_t unlisted) override;
    void historyEntry(const ChangeEntry &entry) override;
    void historyEnd(const QString &path) override;
    void instrument(const InstrumentResult &result) override;
    int finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted) override;
    int error(const QString &error, int status) override;

private:
    QJsonArray m_historyChanges; ///< the record's lines that history reports, as they are read
};

// The document of a run that ended before any instrument was worked on.
QJsonObject cliErrorDocument(const QString &commandName, const QString &error, int exitStatus);
