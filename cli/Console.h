#pragma once
// What kt9-cli needs of the console that Qt does not offer. The only place where the platforms
// differ: the C runtime's descriptor functions have other names and headers on Windows, and a
// Windows console shows text of every language only when it is handed UTF-16.

#include <QString>

constexpr int STANDARD_INPUT_DESCRIPTOR = 0;
constexpr int STANDARD_OUTPUT_DESCRIPTOR = 1;
constexpr int STANDARD_ERROR_DESCRIPTOR = 2;

// Opens the null device on each standard stream that the program was started without (kt9-cli
// >&-), before anything else opens a file: a file opened later would otherwise take the number
// of standard output and receive the program's output. Returns false when standard output was
// one of them. Call it first thing in main.
bool occupyClosedStandardStreams();

// A write to a pipe whose reader has gone then fails with an error the program reports,
// instead of ending the process (SIGPIPE on POSIX systems; Windows has no such signal).
void ignoreBrokenPipe();

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

// The name of the operating system's account the process runs as (its effective user on POSIX
// systems), which no environment variable can change; empty when the system cannot tell.
QString accountName();

// Whether path itself (a link is not followed) belongs to the process's effective user and no
// one else may change what it holds: not writable by its group or by others, and, for a file,
// no second name (a hard link) anywhere else. On Windows, where files keep the access rights of
// their parent folder, always true.
bool ownedAndPrivate(const QString &path);

// Whether no one but the process's user (and the administrator) can rename or remove what the
// user puts into the folder dir: dir belongs to the user or to root, and when its group or
// others may write to it, it has the sticky bit. On Windows always true.
bool othersCannotRenameIn(const QString &dir);

// While it lives, what the process creates gets no access rights for group and others, whatever
// the umask (POSIX; nothing on Windows): a folder is never open to others between its creation
// and the change of its mode.
class PrivateCreation
{
public:
    PrivateCreation();
    ~PrivateCreation();
    PrivateCreation(const PrivateCreation &) = delete;
    PrivateCreation &operator=(const PrivateCreation &) = delete;

private:
    unsigned m_previous = 0;
};
