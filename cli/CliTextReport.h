#pragma once
// The report as text: a line per instrument (result, messages, then its values or changes
// indented) as soon as it is known, then the summary.

#include "CliReport.h"

class CliTextReport : public CliReport
{
public:
    CliTextReport(const CliRequest &request, CliOutput &output) : CliReport(request, output) {}

    int list(const QVector<ListedInstrument> &instruments, uint32_t unlisted) override;
    void historyEntry(const ChangeEntry &entry) override;
    void historyEnd(const QString &path) override;
    void instrument(const InstrumentResult &result) override;
    int finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted) override;
    int error(const QString &error, int status) override;

private:
    int m_historyCount = 0; ///< the record's lines that history reported
};
