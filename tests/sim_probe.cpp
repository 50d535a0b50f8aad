// Run by tst_simulator beside itself: a second process on the first simulated instrument.
//   sim_probe exit        connects with an event handler registered and ends the process with
//                         the session still open, so that a test can see the library exit cleanly;
//   sim_probe write N     sets the instrument's automatic power-off time N times, reading it back
//                         after every write, and prints how often its own write was already gone.
// Prints "connected" once connected.

#include "instrument/QlxSdk.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr int32_t kConnectParam = 10;
constexpr int kModeCount = 4;
// Long enough for the library's watcher to poll the instrument a few times.
constexpr std::chrono::milliseconds kWatchedTime{150};

void ignoreEvent(int32_t, int32_t, int32_t) {}

int writeRounds(int rounds)
{
    int lost = 0;
    for (int i = 0; i < rounds; ++i) {
        QlxShutdownMode mode = QlxShutdownMode(i % kModeCount);
        QlxShutdownMode back = 0;
        if (!qlxSucceeded(QLX_SetShutdownTime(&mode)) || !qlxSucceeded(QLX_GetShutdownTime(&back)))
            return 1;
        lost += back != mode;
    }
    QLX_Disconnect();
    std::printf("lost %d\n", lost);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const bool exitOpen = argc == 2 && std::strcmp(argv[1], "exit") == 0;
    const bool write = argc == 3 && std::strcmp(argv[1], "write") == 0;
    if (!exitOpen && !write)
        return 2;
    if (exitOpen)
        QLX_RegisterDeviceEventHandler(ignoreEvent);
    QlxPortInfo port{};
    uint32_t count = 0;
    if (!qlxSucceeded(QLX_GetDevicePortList(&port, &count, 1)) || count == 0 ||
        !qlxSucceeded(QLX_Connect(&port, kConnectParam)))
        return 1;
    std::printf("connected\n");
    std::fflush(stdout);
    if (write)
        return writeRounds(std::atoi(argv[2]));
    std::this_thread::sleep_for(kWatchedTime);
    return 0;
}
