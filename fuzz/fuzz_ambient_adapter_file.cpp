// Fuzz target: the ambient light adapter file reader.

#include "fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    fuzzFileReader(FileReader::AmbientAdapter, data, size);
    return 0;
}
