#include "SeriesFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    karmo::fuzz::fuzzSeries(data, size, false);
    return 0;
}
