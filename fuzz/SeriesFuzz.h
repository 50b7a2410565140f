#pragma once
// The time-series readers: from a scratch file, in blocks of a size the input picks.
#include "FuzzSupport.h"
#include "history/SeriesReaders.h"

namespace karmo::fuzz {

inline void fuzzSeries(const uint8_t* data, size_t size, bool binary) {
    Input in(data, size);
    const uint8_t answers = in.take();
    const uint8_t control = in.take();
    BytePrompter p(answers, (control & 8) != 0);

    AppState s;
    s.CurrentBatch = 0;
    s.QuantityFactor = (control & 1) ? 1.0f / 6.895f : 1.0f;
    s.StepDirection = static_cast<int16_t>((control >> 1) & 3);
    s.Values = {0, 7, -7, 0};
    s.batch().PointCount = 2;
    s.batch().MaxValue = 7;
    s.batch().MinValue = -7;
    const AppState before = s;

    const std::string path = (scratchDir(false) / (binary ? "series.bin" : "series.asc")).string();
    writeFile(path, in.rest());
    const size_t block = (control & 16) ? 1 + (control >> 5) : size_t{1} << 16;
    const SeriesRead r = binary ? detail::ReadBinarySeriesBlocks(s, p, path, 0, block)
                                : detail::ReadAsciiSeriesBlocks(s, p, path, 0, block);
    switch (r) {
    case SeriesRead::Loaded:
        checkLoadedHistory(s, 0);
        checkHistoryRoundTrip(s, 0);
        break;
    case SeriesRead::TooFewPoints:
        // Too few reversals delete the history; a binary header claiming fewer than 3 stops
        // before anything is read.
        check(s.batch().PointCount == 0 || (s.Values == before.Values && s.Batches == before.Batches),
              "too few points leave no history, or the old one");
        break;
    default:
        check(s.Values == before.Values, "a refused read keeps the values");
        check(s.Batches == before.Batches, "a refused read keeps the batches");
        break;
    }
}

}  // namespace karmo::fuzz
