#pragma once
// kt9-cli's command line: the command, its operands and its options, checked against what
// each command takes before anything else happens.

#include "instrument/QlxSdk.h"

#include <QString>
#include <QStringList>

#include <cstdint>

enum class CliCommand
{
    Help,
    Version,
    List,
    Show,
    NetworkLoad,
    NetworkSave,
    PowerOff,
    Register,
    Backup,
    Restore,
    History,
    Apply,
};

enum class CliAccessory
{
    WhitePlate,
    AmbientAdapter,
};

// Which instruments a command works on.
struct CliTarget
{
    enum Kind
    {
        Unnamed, ///< the only instrument listed
        Port,    ///< the N-th instrument listed, counted from 1
        Serial,  ///< the instrument with this serial number
        All,
    };
    Kind kind = Unnamed;
    int port = 0;
    int32_t serial = 0;
};

struct CliRequest
{
    CliCommand command = CliCommand::Help;
    QString commandName; ///< as typed, e.g. "network load"
    QString
        file; ///< network load / save, register, the plan of apply; the backup folder of backup and restore
    bool recordNamed = true; ///< false: recordFile is not the text of the bytes given
    bool fileNamed = true;   ///< false: file is not the text of the bytes given, and names no file
    QlxShutdownMode mode = QLX_SHUTDOWN_DISABLED;
    CliAccessory accessory = CliAccessory::WhitePlate;
    CliTarget target;
    bool json = false;
    bool showKey = false;
    bool dryRun = false;
    bool force = false;       ///< backup: replace an instrument's existing backup
    bool calibration = false; ///< restore: the calibration references too
    QString recordFile;       ///< --record: the change record to append to
    bool noRecord = false;    ///< --no-record
    QString language;         ///< "en", "ja", or empty for the locale's default
};

struct CliParseResult
{
    CliRequest request;
    QString error; ///< a usage error, translated; empty when the command line is sound
};

// Serial numbers have at most 8 decimal digits.
constexpr int SERIAL_MAX_DIGITS = 8;

// Parses the arguments that follow the program name.
CliParseResult parseCliArguments(const QStringList &arguments);

// The value of --lang among the arguments, looked for before the rest is parsed so that usage
// errors already come in the chosen language; empty when absent.
QString languageArgument(const QStringList &arguments);
// True when --json is among the options (so that even a usage error is reported as JSON).
bool jsonArgument(const QStringList &arguments);

// The usage text of --help.
QString cliUsage();
