#pragma once
// What kt9-cli needs of the console that Qt does not offer. The only place where the platforms
// differ: the C runtime's descriptor functions have other names and headers on Windows, and a
// Windows console shows text of every language only when it is handed UTF-16.

#include <QString>

constexpr int STANDARD_OUTPUT_DESCRIPTOR = 1;
constexpr int STANDARD_ERROR_DESCRIPTOR = 2;

// Points the process's standard output at its standard error and returns a new descriptor of
// the original standard output, for kt9-cli's own output alone. Whatever the libraries print
// on standard output (the file reader's notes on a malformed calibration file) then lands on
// standard error and cannot corrupt a JSON document. -1 when it cannot be done.
int divertStandardOutput();

// True when standard error is a terminal, where a progress line may be drawn.
bool standardErrorIsTerminal();

// True when standard output (descriptor) is a Windows console, which writeConsole must write:
// the console shows UTF-8 bytes in its own code page. Always false elsewhere, where a terminal
// takes UTF-8.
bool isWindowsConsole(int descriptor);
// Writes text to the Windows console of descriptor; false when it cannot.
bool writeConsole(int descriptor, const QString &text);
