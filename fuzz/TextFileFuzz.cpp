// Plain text files of values, with or without a header, in SI or US display units.
#include <sstream>

#include "FuzzSupport.h"

using namespace karmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    fuzz::BytePrompter p(in.take());
    const uint8_t control = in.take();

    AppState s;
    s.CurrentBatch = 0;
    s.TextHasHeader = (control & 1) ? -1 : 0;
    s.QuantityFactor = (control & 2) ? 1.0f / 6.895f : 1.0f;
    s.Values = {0, 7, -7, 0};
    const AppState before = s;

    std::istringstream file{std::string(in.rest())};
    const HistoryRead r = ReadHistoryFile(s, p, 0, file, (control & 4) ? "values.txt" : "values.dat");
    if (r == HistoryRead::Loaded) {
        fuzz::checkLoadedHistory(s, 0);
        fuzz::checkHistoryRoundTrip(s, 0);
    } else {
        fuzz::check(s.Values == before.Values, "a refused read keeps the values");
        fuzz::check(s.Batches == before.Batches, "a refused read keeps the batches");
    }
    return 0;
}
