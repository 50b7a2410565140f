#include <gtest/gtest.h>

#include "Fixtures.h"
#include "distribution/StoredSpectrumEdit.h"

namespace karmo {
namespace {

using test::SetSpectrum;

// A stored Weibull spectrum of three levels with a fit and a source distribution.
AppState storedBatch() {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
    DataBatch& b = s.batch();
    b.FitQ = 0.3f;
    b.FitR = 1.2f;
    b.SourceQ = 40;
    b.SourceR = 1.5f;
    b.SourceType = -1;
    b.Saved = b;
    return s;
}

TEST(StoredSpectrumEdit, KeyboardGridFromTheSpan) {
    struct Case { float max, min; int16_t levels; std::vector<float> ranges; std::vector<int> cycles; bool changed; };
    const Case cases[] = {
        {300, 50, 6, {300, 250, 200, 150, 100, 50}, {1, 3, 6, 0, 0, 0}, true},   // new levels start empty
        {100, 20, 3, {100, 60, 20}, {1, 3, 6}, false},                           // the stored grid again
        {100, 20, 2, {100, 20}, {1, 3}, true},
        {80, 20, 1, {80}, {1}, true},                                            // one level: no width
    };
    for (const Case& c : cases) {
        AppState s = storedBatch();
        BeginStoredEdit(s, false);
        ChooseSpectrumEntry(s, true);
        DataBatch& b = s.batch();
        b.MaxRange = c.max;
        b.MinRange = c.min;
        b.LevelCount = c.levels;
        b.LevelCycles[5] = 99;  // left from an older, longer spectrum
        BuildKeyboardLevels(s);
        for (size_t j = 1; j <= c.ranges.size(); ++j) {
            EXPECT_FLOAT_EQ(s.WorkLevelRange[j], c.ranges[j - 1]) << c.levels << " level " << j;
            EXPECT_EQ(s.WorkLevelCycles[j], static_cast<float>(c.cycles[j - 1])) << c.levels << " level " << j;
        }
        EXPECT_EQ(std::tuple(b.FitQ, b.FitR, b.SourceQ, b.SourceR), std::tuple(0.0f, 0.0f, 0.0f, 0.0f));
        EXPECT_EQ(s.SpectrumChanged, c.changed) << c.levels;
    }
}

}  // namespace
}  // namespace karmo
