#pragma once
// The report as one JSON document on standard output, written when the run ends (or fails).

#include "CliReport.h"

#include <QJsonObject>

class CliJsonReport : public CliReport
{
public:
    CliJsonReport(const CliRequest &request, CliOutput &output) : CliReport(request, output) {}

    int list(const QVector<ListedInstrument> &instruments, uint32_t unlisted) override;
    void instrument(const InstrumentResult &result) override;
    int finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted) override;
    int error(const QString &error, int status) override;
};

// The document of a run that ended before any instrument was worked on.
QJsonObject cliErrorDocument(const QString &commandName, const QString &error, int exitStatus);
