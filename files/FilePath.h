#pragma once
// The 8-bit form in which the tool carries a file path from the window or kt9-cli to the file
// operations: UTF-8, so that every path the file dialog or the command line names survives,
// whatever the local code page can hold. No file and no instrument ever sees this form.

#include <QByteArray>
#include <QString>

// True when bytes are well-formed UTF-8 (an empty array is).
bool isUtf8(const QByteArray &bytes);

// The path whose 8-bit form path is; empty (no file opens) for a null path or bytes that are not
// UTF-8, which name no path this tool handed over.
QString filePathFromUtf8(const char *path);
