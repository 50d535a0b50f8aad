#pragma once
// kt9-cli's report of a run, in the format the command line chose: text (a line per instrument
// as it finishes, then a summary) or one JSON document at the end. Errors go to standard error
// in both, and a JSON run also puts them in its document.

#include "ChangeRecord.h"
#include "CliArguments.h"
#include "CliResult.h"

#include <cstdint>
#include <memory>

class CliOutput;

class CliReport
{
public:
    static std::unique_ptr<CliReport> make(const CliRequest &request, CliOutput &output);
    virtual ~CliReport() = default;

    CliReport(const CliReport &) = delete;
    CliReport &operator=(const CliReport &) = delete;

    // The port list, for the command list, and how many instruments the library reported but
    // did not list; returns the exit status.
    virtual int list(const QVector<ListedInstrument> &instruments, uint32_t unlisted) = 0;
    // "Instrument 2 of 5: serial" as the progress line, while the instrument is worked on.
    void progress(int position, int count, const QString &serial);
    // One line of the change record, for the command history, as it is read; then the end of the
    // record at path.
    virtual void historyEntry(const ChangeEntry &entry) = 0;
    virtual void historyEnd(const QString &path) = 0;
    // One instrument's result, as soon as it is known.
    virtual void instrument(const InstrumentResult &result) = 0;
    // The summary after the last instrument (unlisted: instruments a run over all of them could
    // not reach, as the library did not list them); returns the exit status.
    virtual int finish(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted) = 0;
    // apply: how many listed instruments the plan has no row for (they are not touched).
    void notInPlan(int count) { m_notInPlan = count; }
    // An error that ends the run before any instrument is worked on; returns status.
    virtual int error(const QString &error, int status) = 0;
    // A target that names no instrument (or several), with the port list to choose from;
    // returns CLI_EXIT_USAGE, or CLI_EXIT_FAILURE when the instrument may be one of the
    // `unlisted` ones that the library reported but did not list.
    int targetError(const QString &error, const QVector<ListedInstrument> &listed, uint32_t unlisted);
    // restore: the serial numbers of backups whose instruments are not in the port list, which
    // the summary names.
    void setBackupsNotReached(const QStringList &serials) { m_backupsNotReached = serials; }

protected:
    CliReport(const CliRequest &request, CliOutput &output) : m_request(request), m_output(output) {}

    struct Summary
    {
        int succeeded = 0;
        QStringList failed;  ///< serial numbers
        QStringList notDone; ///< serial numbers
        QStringList skipped; ///< serial numbers
        QString text;
        QString interruption; ///< why the run stopped early; empty when it did not
        int exitStatus = CLI_EXIT_SUCCESS;
        bool changed = false; ///< apply: an instrument changed (or would, on a dry run)
    };
    Summary summarize(const QVector<InstrumentResult> &results, CliStop stop, uint32_t unlisted) const;
    // The instruments the library reported but did not list.
    static QString unlistedText(uint32_t unlisted);

    // apply: whether the result is one of an instrument that changed (or would).
    bool changed(const InstrumentResult &result) const;

    const CliRequest &m_request;
    CliOutput &m_output;
    QStringList m_backupsNotReached;
    int m_notInPlan = 0;
};

// Reports a usage error, then the details, then the hint to --help; returns CLI_EXIT_USAGE.
int reportUsageError(const QString &commandName, const QString &error, bool json, CliOutput &output,
                     const QStringList &details = QStringList());
