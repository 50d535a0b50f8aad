// Connects to the first simulated instrument and ends the process with the session still open and
// its event handler still registered, so that a test can see the library exit cleanly.

#include "instrument/QlxSdk.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void ignoreEvent(int32_t, int32_t, int32_t) {}

constexpr int32_t kConnectParam = 10;
// Long enough for the library's watcher to poll the instrument a few times.
constexpr std::chrono::milliseconds kWatchedTime{150};

} // namespace

int main()
{
    QLX_RegisterDeviceEventHandler(ignoreEvent);
    QlxPortInfo port{};
    uint32_t count = 0;
    if (!qlxSucceeded(QLX_GetDevicePortList(&port, &count, 1)) || count == 0 ||
        !qlxSucceeded(QLX_Connect(&port, kConnectParam)))
        return 1;
    std::printf("connected\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(kWatchedTime);
    return 0;
}
