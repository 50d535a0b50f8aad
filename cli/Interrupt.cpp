#include "Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

// A signal handler may touch nothing but lock-free atomics.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt flag is set from a signal handler");

extern "C" void onInterrupt(int)
{
    requested = true;
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void watchForInterrupt()
{
    std::signal(SIGINT, onInterrupt);
}

bool interruptRequested()
{
    return requested;
}
