// Run by tst_simulator beside itself: connects to the first simulated instrument and sets its
// automatic power-off time the given number of times, reading it back after every write. Prints
// how often its own write was already gone when read back.

#include "instrument/QlxSdk.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t kConnectParam = 10;
constexpr int kModeCount = 4;

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 0;
    QlxPortInfo port{};
    uint32_t count = 0;
    if (!qlxSucceeded(QLX_GetDevicePortList(&port, &count, 1)) || count == 0 ||
        !qlxSucceeded(QLX_Connect(&port, kConnectParam)))
        return 1;
    std::printf("connected\n");
    std::fflush(stdout);
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
