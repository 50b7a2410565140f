// Editing a history of realistic length (10^7 points): rescale, subtract, append.
#include <benchmark/benchmark.h>

#include "editing/Append.h"
#include "editing/Rescale.h"
#include "editing/Subtract.h"

using namespace karmo;

namespace {

constexpr int32_t kPoints = 10'000'000;

// Answers every question with Yes, says nothing.
class QuietPrompter : public Prompter {
public:
    Answer ask(const Prompt&) override { return Answer::Yes; }
};

std::vector<float> alternating(int32_t n) {
    std::vector<float> v(static_cast<size_t>(n) + 2, 0.0f);
    for (int32_t i = 1; i <= n; ++i) v[static_cast<size_t>(i)] = (i % 2 ? -1.0f : 1.0f) * (100.0f + 0.37f * (i % 997));
    return v;
}

const std::vector<float>& master() {
    static const std::vector<float> v = alternating(kPoints);
    return v;
}

// The history of the current batch as a freshly read one: exactly its size, no spare room.
void load(AppState& s) {
    s.CurrentBatch = 1;
    s.Values = master();
    s.batch().PointCount = kPoints;
    s.batch().MaxValue = 100.0f + 0.37f * 996;
    s.batch().MinValue = -s.batch().MaxValue;
    s.batch().RecordTime = 100;
    s.FastDisplay = -1;
    s.ViewStart = 1;
    s.ViewCount = kPoints;
}

void BM_Rescale(benchmark::State& state) {
    AppState s;
    load(s);
    QuietPrompter p;
    for (auto _ : state) {
        ApplyRescale(s, p, -1.0f, 0.0f);   // a mirror: the values stay the same size
        benchmark::DoNotOptimize(s.Values.data());
    }
}
BENCHMARK(BM_Rescale)->Unit(benchmark::kMillisecond);

// range(0): points cut from the middle (odd: the conflict check runs over the history);
// range(1): 1 a stretch, 2 a rectangle over the whole history holding one value.
void BM_Subtract(benchmark::State& state) {
    AppState s;
    QuietPrompter p;
    const auto cut = static_cast<int32_t>(state.range(0));
    const auto kind = static_cast<MarkKind>(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        load(s);
        const float band = s.Values[kPoints / 2];
        s.BandLow = s.BandHigh = band;
        state.ResumeTiming();
        if (kind == MarkKind::Stretch)
            ApplySubtract(s, p, kPoints / 2, kPoints / 2 + cut - 1, kind);
        else
            ApplySubtract(s, p, 1, kPoints, kind);
        benchmark::DoNotOptimize(s.Values.data());
    }
}
BENCHMARK(BM_Subtract)->Args({1000, 1})->Args({3, 1})->Args({0, 2})->Unit(benchmark::kMillisecond);

// range(0) points appended to the 10^7-point history.
void BM_Append(benchmark::State& state) {
    AppState s;
    QuietPrompter p;
    AppendHistory a;
    a.AppendCount = static_cast<int32_t>(state.range(0));
    a.AppendValues = alternating(a.AppendCount);
    a.AppendValues.pop_back();
    a.AppendRecordTime = 1;
    for (auto _ : state) {
        state.PauseTiming();
        load(s);
        state.ResumeTiming();
        ApplyAppend(s, p, a);
        benchmark::DoNotOptimize(s.Values.data());
    }
}
BENCHMARK(BM_Append)->Arg(1000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
