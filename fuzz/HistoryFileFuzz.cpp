// The history file reader on a batch of a database: header, count claims, the question
// on a short file and on a history that does not match the database.
#include "FuzzSupport.h"

using namespace karmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    fuzz::BytePrompter p(in.take());
    const uint8_t control = in.take();

    AppState s;
    s.CurrentBatch = 1;
    s.TextHasHeader = -1;
    // The count the database expects for the batch (0: no stored history).
    s.batch(1).PointCount = (control & 1) ? static_cast<int32_t>(control >> 1) : 0;
    s.Values = {0, 7, -7, 0};
    if (fuzz::readHistoryChecked(s, p, in, 1, "karhs.1") != HistoryRead::Loaded)
        fuzz::check(s.LoadedCount == 0, "a refused read loads nothing");
    return 0;
}
