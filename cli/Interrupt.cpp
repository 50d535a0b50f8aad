#include "Interrupt.h"

#include <atomic>

#if defined(_WIN32)
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

enum Cause : int
{
    NONE,
    CTRL_C,
    END_REQUEST,
};

// A signal handler may touch nothing but lock-free atomics.
std::atomic<int> cause{NONE};
static_assert(std::atomic<int>::is_always_lock_free, "the interrupt flag is set from a signal handler");

#if defined(_WIN32)
// Windows ends the process as soon as the handler of a closed console returns, and at the
// latest about five seconds after the event: the handler waits that long, which gives the run
// the time to finish its instrument; the run's own end (main returning) ends the wait earlier.
constexpr DWORD CLOSE_WAIT_MS = 5000;

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    // The second one goes on to the default handler, which ends the process.
    int none = NONE;
    if (!cause.compare_exchange_strong(none, event == CTRL_C_EVENT ? CTRL_C : END_REQUEST))
        return FALSE;
    if (event == CTRL_CLOSE_EVENT)
        Sleep(CLOSE_WAIT_MS);
    return TRUE;
}
#else
constexpr int WATCHED_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void onSignal(int number)
{
    cause = number == SIGINT ? CTRL_C : END_REQUEST;
    // The next one, of any of them, takes its default action: the process ends at once.
    // sigaction may be called from a signal handler.
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    for (const int watched : WATCHED_SIGNALS)
        sigaction(watched, &defaultAction, nullptr);
}
#endif

} // namespace

#if defined(_WIN32)
void watchForInterrupt()
{
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}
#else
void watchForInterrupt()
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A write or a wait that the signal interrupts goes on: the instrument in hand is finished.
    action.sa_flags = SA_RESTART;
    for (const int number : WATCHED_SIGNALS) {
        struct sigaction previous = {};
        if (sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            sigaction(number, &action, nullptr);
    }
}
#endif

bool interruptRequested()
{
    return cause != NONE;
}

bool endRequested()
{
    return cause == END_REQUEST;
}
