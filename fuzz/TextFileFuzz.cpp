// Plain text files of values, with or without a header, in SI or US display units.
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
    fuzz::readHistoryChecked(s, p, in, 0, (control & 4) ? "values.txt" : "values.dat");
    return 0;
}
