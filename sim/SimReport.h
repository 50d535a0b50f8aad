#pragma once
// The library's diagnostics on standard error.

#include <QString>

namespace qlxsim {

// Writes "qlxsdk-sim: <text>" to standard error in one write, so lines from two threads never mix.
void report(const QString &text);

} // namespace qlxsim
