#pragma once
// What kt9-cli needs of the console that Qt does not offer. The only place where the platforms
// differ: the C runtime's descriptor functions have other names and headers on Windows.

// Points the process's standard output at its standard error and returns a new descriptor of
// the original standard output, for kt9-cli's own output alone. Whatever the libraries print
// on standard output (the file reader's notes on a malformed calibration file) then lands on
// standard error and cannot corrupt a JSON document. -1 when it cannot be done.
int divertStandardOutput();

// True when standard error is a terminal, where a progress line may be drawn.
bool standardErrorIsTerminal();
