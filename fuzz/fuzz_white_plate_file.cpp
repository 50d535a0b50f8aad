// Fuzz target: the white calibration plate file reader.

#include "fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    fuzzFileReader(FileReader::WhitePlate, data, size);
    return 0;
}
