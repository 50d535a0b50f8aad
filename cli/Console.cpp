#include "Console.h"

#include <QFile>

#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
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
bool isOpen(int descriptor)
{
    // -2: the stream is not associated with anything.
    return _get_osfhandle(descriptor) >= 0;
}
int openNullDevice()
{
    return _open("NUL", _O_RDWR);
}
void closeDescriptor(int descriptor)
{
    _close(descriptor);
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
bool isOpen(int descriptor)
{
    return fcntl(descriptor, F_GETFD) != -1;
}
int openNullDevice()
{
    return open("/dev/null", O_RDWR);
}
void closeDescriptor(int descriptor)
{
    close(descriptor);
}
#endif

} // namespace

bool occupyClosedStandardStreams()
{
    bool outputOpen = true;
    for (const int descriptor :
         {STANDARD_INPUT_DESCRIPTOR, STANDARD_OUTPUT_DESCRIPTOR, STANDARD_ERROR_DESCRIPTOR}) {
        if (isOpen(descriptor))
            continue;
        if (descriptor == STANDARD_OUTPUT_DESCRIPTOR)
            outputOpen = false;
        const int null = openNullDevice();
        if (null >= 0 && null != descriptor) {
            duplicateOnto(null, descriptor);
            closeDescriptor(null);
        }
    }
    return outputOpen;
}

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
void ignoreBrokenPipe() {}

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
void ignoreBrokenPipe()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool isWindowsConsole(int)
{
    return false;
}

bool writeConsole(int, const QString &)
{
    return false;
}
#endif

#if defined(_WIN32)
QString accountName()
{
    // The longest account name Windows allows (UNLEN) and its terminating zero.
    constexpr DWORD ACCOUNT_NAME_CAPACITY = 256 + 1;
    wchar_t name[ACCOUNT_NAME_CAPACITY] = {};
    DWORD size = ACCOUNT_NAME_CAPACITY;
    if (!GetUserNameW(name, &size) || size == 0)
        return QString();
    // size counts the terminating zero.
    return QString::fromWCharArray(name, int(size - 1));
}
#else
QString accountName()
{
    // getpwuid's record may be overwritten by a later call: the name is copied at once.
    const passwd *account = getpwuid(geteuid());
    return account && account->pw_name ? QString::fromLocal8Bit(account->pw_name) : QString();
}
#endif

#if defined(_WIN32)
bool ownedAndPrivate(const QString &)
{
    return true;
}

bool othersCannotRenameIn(const QString &)
{
    return true;
}

PrivateCreation::PrivateCreation() = default;
PrivateCreation::~PrivateCreation() = default;
#else
bool ownedAndPrivate(const QString &path)
{
    struct stat status = {};
    return lstat(QFile::encodeName(path).constData(), &status) == 0 && status.st_uid == geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0 && (!S_ISREG(status.st_mode) || status.st_nlink == 1);
}

bool othersCannotRenameIn(const QString &dir)
{
    struct stat status = {};
    return lstat(QFile::encodeName(dir).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           (status.st_uid == geteuid() || status.st_uid == 0) &&
           ((status.st_mode & (S_IWGRP | S_IWOTH)) == 0 || (status.st_mode & S_ISVTX) != 0);
}

PrivateCreation::PrivateCreation() : m_previous(umask(S_IRWXG | S_IRWXO)) {}

PrivateCreation::~PrivateCreation()
{
    umask(mode_t(m_previous));
}
#endif
