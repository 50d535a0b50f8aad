#pragma once
// What kt9-cli found and did on each instrument, as the run collects it and the report prints it,
// and the exit statuses.

#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <QVector>

// Exit statuses.
constexpr int CLI_EXIT_SUCCESS = 0; ///< every instrument succeeded
constexpr int CLI_EXIT_FAILURE = 1; ///< an instrument failed, none was reachable, or the run was stopped
constexpr int CLI_EXIT_USAGE = 2;   ///< usage error or unreadable input file: nothing was written

// Why a run stopped before its last instrument.
enum class CliStop
{
    NONE,
    INTERRUPT,     ///< Ctrl+C
    END_REQUEST,   ///< SIGTERM, SIGHUP; on Windows Ctrl+Break or the console closed
    OUTPUT_FAILED, ///< standard output could not be written
    RECORD_FAILED, ///< the change record could not be appended to
};

// One field that differs between the instrument and what is (or would be) written.
struct Change
{
    QString field; ///< name in the JSON document
    QString label; ///< caption in the text output
    QString oldText;
    QString newText;
    QJsonValue oldValue;
    QJsonValue newValue;
    bool written = false; ///< the instrument holds newValue: the write that carries it succeeded
};

// One value that show reports.
struct Shown
{
    QString field;
    QString label; ///< caption in the text output; empty for a value only the JSON document has
    QString text;
    QJsonValue value;
};

struct InstrumentResult
{
    enum Outcome
    {
        Succeeded,
        Failed,
        NotDone,
        Skipped, ///< restore: no backup of this instrument
    };
    int port = 0; ///< position in the list, counted from 1
    QString serial;
    QString label;
    Outcome outcome = NotDone;
    QStringList messages;
    QVector<Change> changes;
    QVector<Shown> shown;
};

// One instrument of the port list.
struct ListedInstrument
{
    int port = 0; ///< counted from 1
    QString serial;
    QString label;
};
