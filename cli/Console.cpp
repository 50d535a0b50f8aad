#include "Console.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int STANDARD_OUTPUT = 1;
constexpr int STANDARD_ERROR = 2;

#if defined(_WIN32)
int duplicate(int descriptor)
{
    return _dup(descriptor);
}
int duplicateOnto(int descriptor, int target)
{
    return _dup2(descriptor, target);
}
bool isTerminal(int descriptor)
{
    return _isatty(descriptor) != 0;
}
#else
int duplicate(int descriptor)
{
    return dup(descriptor);
}
int duplicateOnto(int descriptor, int target)
{
    return dup2(descriptor, target);
}
bool isTerminal(int descriptor)
{
    return isatty(descriptor) != 0;
}
#endif

} // namespace

int divertStandardOutput()
{
    std::fflush(stdout);
    const int original = duplicate(STANDARD_OUTPUT);
    // Should the diversion fail, the copy still reaches the original standard output.
    if (original >= 0)
        duplicateOnto(STANDARD_ERROR, STANDARD_OUTPUT);
    return original;
}

bool standardErrorIsTerminal()
{
    return isTerminal(STANDARD_ERROR);
}
