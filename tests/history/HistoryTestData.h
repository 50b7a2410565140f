#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/AppState.h"
#include "history/SeriesReaders.h"

namespace karmo::test {

// Points 1..PointCount of the current batch's history.
inline std::vector<float> historyPoints(const AppState& s) {
    const int32_t n = s.batch().PointCount;
    if (n <= 0 || s.Values.size() < static_cast<size_t>(n) + 1) return {};
    return std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 1 + n);
}

// The current batch `batch` holding `pts` as the program holds them (spare slots 0 and
// count + 1), with its extremes and counts.
inline AppState stateWith(const std::vector<float>& pts, int batch = 1) {
    AppState s;
    s.CurrentBatch = batch;
    s.Values = {0};
    s.Values.insert(s.Values.end(), pts.begin(), pts.end());
    s.Values.push_back(0);
    const auto n = static_cast<int32_t>(pts.size());
    s.batch().PointCount = s.ProcessedCount = s.LoadedCount = n;
    if (n > 0) {
        const auto [mn, mx] = std::minmax_element(pts.begin(), pts.end());
        s.batch().MaxValue = *mx;
        s.batch().MinValue = *mn;
    }
    return s;
}

// A batch with an old history, to see that failed reads leave it alone.
inline AppState oldHistory() {
    AppState s = stateWith({4, -3, 2, -1});
    s.batch().Title = "old";
    s.batch().RecordTime = 9;
    s.BackupValues = {0, 1000000, 0};
    return s;
}

// Everything a declined or failed read must not touch (the counts are checked by the caller).
inline void expectSameHistory(const AppState& before, const AppState& after) {
    EXPECT_EQ(after.Values, before.Values);
    EXPECT_EQ(after.BackupValues, before.BackupValues);
    EXPECT_EQ(static_cast<const BatchRecord&>(after.batch()), static_cast<const BatchRecord&>(before.batch()));
    EXPECT_EQ(after.batch().Saved, before.batch().Saved);
    EXPECT_EQ(after.HistoryModified, before.HistoryModified);
    EXPECT_EQ(after.FastDisplay, before.FastDisplay);
}

// The fields of the current batch a read sets, for one comparison.
inline auto batchFields(const AppState& s) {
    const DataBatch& b = s.batch();
    return std::tuple(b.PointCount, b.MaxValue, b.MinValue, b.RecordTime, b.Title);
}

inline std::string shortest(float v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Time series files: a header of ten items (N, 0, 0, dt, ...) and the samples.
inline std::string asciiSeries(const std::vector<float>& x, std::optional<float> n = {}, float dt = 0.001f) {
    std::string t = (n ? shortest(*n) : std::to_string(x.size())) + " 0 0 " + shortest(dt) + "\r\n1 2 3 4 0.5 0.25\r\n";
    for (size_t i = 0; i < x.size(); ++i) t += shortest(x[i]) + (i % 7 == 6 ? "\r\n" : ",");
    return t + "\r\n";
}

inline std::string binarySeries(const std::vector<float>& x, std::optional<float> n = {}, float dt = 0.001f) {
    std::string out;
    auto put = [&out](float v) {
        const auto u = std::bit_cast<uint32_t>(v);
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
    };
    for (float v : {n ? *n : static_cast<float>(x.size()), 0.0f, 0.0f, dt}) put(v);
    out.resize(kBinaryHeaderBytes, '\0');
    for (float v : x) put(v);
    return out;
}

}  // namespace karmo::test
