#include "Console.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

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
// The console behind a descriptor, or null when it is a file or a pipe.
HANDLE consoleOf(int descriptor)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
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
    const int original = duplicate(STANDARD_OUTPUT_DESCRIPTOR);
    // Should the diversion fail, the copy still reaches the original standard output.
    if (original >= 0)
        duplicateOnto(STANDARD_ERROR_DESCRIPTOR, STANDARD_OUTPUT_DESCRIPTOR);
    return original;
}

bool standardErrorIsTerminal()
{
    return isTerminal(STANDARD_ERROR_DESCRIPTOR);
}

#if defined(_WIN32)
bool isWindowsConsole(int descriptor)
{
    return consoleOf(descriptor) != nullptr;
}

bool writeConsole(int descriptor, const QString &text)
{
    const HANDLE console = consoleOf(descriptor);
    DWORD written = 0;
    return console && WriteConsoleW(console, text.utf16(), DWORD(text.size()), &written, nullptr) &&
           written == DWORD(text.size());
}
#else
bool isWindowsConsole(int)
{
    return false;
}

bool writeConsole(int, const QString &)
{
    return false;
}
#endif
