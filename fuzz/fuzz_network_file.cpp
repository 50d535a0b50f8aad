// Fuzz target: the network settings file reader.

#include "fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    fuzzFileReader(FileReader::NetworkSettings, data, size);
    return 0;
}
