#include "SimReport.h"

#include <cstdio>

namespace qlxsim {

void report(const QString &text)
{
    std::fprintf(stderr, "qlxsdk-sim: %s\n", qUtf8Printable(text));
}

} // namespace qlxsim
