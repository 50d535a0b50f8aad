#pragma once
// One run of kt9-cli on its instruments: input files read and checked first, then each target
// instrument in turn connected, worked on through the controller and disconnected, with one
// result per instrument and a summary.

#include "CliArguments.h"

class CliOutput;

// Runs a parsed request (not Help or Version) and returns the exit status.
int runCliRequest(const CliRequest &request, CliOutput &output);
