// The history file reader on a batch of a database: header, count claims, the question
// on a short file and on a history that does not match the database.
#include <sstream>

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
    const AppState before = s;

    std::istringstream file{std::string(in.rest())};
    const HistoryRead r = ReadHistoryFile(s, p, 1, file, "karhs.1");
    if (r == HistoryRead::Loaded) {
        fuzz::checkLoadedHistory(s, 1);
        fuzz::checkHistoryRoundTrip(s, 1);
    } else {
        fuzz::check(s.Values == before.Values, "a refused read keeps the values");
        fuzz::check(s.Batches == before.Batches, "a refused read keeps the batches");
        fuzz::check(s.LoadedCount == 0, "a refused read loads nothing");
    }
    return 0;
}
