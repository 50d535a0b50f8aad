#pragma once
// What the three fuzz targets share: the input goes to a file of this process, the reader
// reads it, and a broken property aborts the process with its description.

#include "fuzz/ReaderChecks.h"

#include <cstddef>
#include <cstdint>

// Runs the checks of reader on one input; aborts when one fails.
void fuzzFileReader(FileReader reader, const uint8_t *data, std::size_t size);
