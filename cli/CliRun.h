#pragma once
// One run of kt9-cli on its instruments: input files read and checked first, then each target
// instrument in turn connected, worked on through the controller and disconnected, with one
// result per instrument and a summary.

#include "CliArguments.h"

class CliOutput;

// Exit statuses.
constexpr int CLI_EXIT_SUCCESS = 0; ///< every instrument succeeded
constexpr int CLI_EXIT_FAILURE = 1; ///< an instrument failed, none was reachable, or Ctrl+C left some out
constexpr int CLI_EXIT_USAGE = 2;   ///< usage error or unreadable input file: nothing was written

// Runs a parsed request (not Help or Version) and returns the exit status.
int runCliRequest(const CliRequest &request, CliOutput &output);

// Reports a usage error, then the details, then the hint to --help; returns CLI_EXIT_USAGE.
int reportUsageError(const QString &commandName, const QString &error, bool json, CliOutput &output,
                     const QStringList &details = QStringList());
