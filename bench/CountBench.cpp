// Rainflow counting speed: rotation to the largest magnitude, counting and sorting of the
// ranges, on generated alternating histories of 10^6 and 10^7 points. The cost must grow
// linearly, for a random history and for a decaying one (free vibrations, where every point
// of a burst stays live until a larger range comes). Keeping every cycle for the rainflow
// matrix must add less than a fifth to the count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "fatigue/RainflowMatrix.h"
#include "spectrum/RainflowCounter.h"
#include "spectrum/SpectrumLevels.h"

using namespace karmo;

namespace {

struct SilentPrompter : Prompter {
    Answer ask(const Prompt&) override { return Answer::Yes; }
};

// Peaks above zero, valleys below: strictly alternating, largest magnitude somewhere inside.
std::vector<float> randomHistory(int32_t n) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> mag(1.0f, 1000.0f);
    std::vector<float> h(static_cast<size_t>(n) + 2, 0.0f);
    for (int32_t i = 1; i <= n; ++i) h[static_cast<size_t>(i)] = (i % 2 ? mag(rng) : -mag(rng));
    return h;
}

// Bursts of 10000 reversals whose amplitude falls by 0.6 % at each, so each burst stays
// live in full until the next one starts; the largest burst is the fifth.
std::vector<float> decayingHistory(int32_t n) {
    constexpr int32_t kBurst = 10000;
    std::vector<float> h(static_cast<size_t>(n) + 2, 0.0f);
    double a = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (i % kBurst == 0) a = 1.0e6 * (1.0 - 1e-4 * ((i / kBurst + 3) % 7));
        h[static_cast<size_t>(i) + 1] = static_cast<float>(i % 2 ? -a : a);
        a *= 0.994;
    }
    return h;
}

// repeated: one program state for all rounds, as in a session that counts again and again
// (the previous results' memory is reused); otherwise a fresh state for every round.
void runCount(benchmark::State& state, const std::vector<float>& history, bool repeated = true,
              bool keepCycles = false) {
    const auto n = static_cast<int32_t>(history.size() - 2);
    auto s = std::make_unique<AppState>();
    s->batch().PointCount = n;
    s->KeepCycles = keepCycles;
    SilentPrompter p;
    for (auto _ : state) {
        state.PauseTiming();
        if (!repeated) {
            s = std::make_unique<AppState>();
            s->batch().PointCount = n;
            s->KeepCycles = keepCycles;
        }
        s->Values = history;    // unrotated again for every round
        state.ResumeTiming();
        RearrangeHistory(s->Values, n);
        CountCycles(*s, p);
        benchmark::DoNotOptimize(s->CountedRanges.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_RotateCountSort_Random(benchmark::State& state) {
    runCount(state, randomHistory(static_cast<int32_t>(state.range(0))));
}

void BM_RotateCountSort_Decaying(benchmark::State& state) {
    runCount(state, decayingHistory(static_cast<int32_t>(state.range(0))));
}

void BM_FirstCount_Random(benchmark::State& state) {
    runCount(state, randomHistory(static_cast<int32_t>(state.range(0))), false);
}

void BM_FirstCount_Decaying(benchmark::State& state) {
    runCount(state, decayingHistory(static_cast<int32_t>(state.range(0))), false);
}

// The same counts keeping every cycle for the rainflow matrix.
void BM_RotateCountSort_Random_Matrix(benchmark::State& state) {
    runCount(state, randomHistory(static_cast<int32_t>(state.range(0))), true, true);
}

void BM_RotateCountSort_Decaying_Matrix(benchmark::State& state) {
    runCount(state, decayingHistory(static_cast<int32_t>(state.range(0))), true, true);
}

// Sorting the kept cycles into 10 levels and 20 mean bins, once the levels are chosen.
void BM_MatrixFromCycles_Random(benchmark::State& state) {
    const std::vector<float> h = randomHistory(static_cast<int32_t>(state.range(0)));
    const auto n = static_cast<int32_t>(h.size() - 2);
    AppState s;
    s.batch().PointCount = n;
    s.KeepCycles = true;
    s.Values = h;
    SilentPrompter p;
    RearrangeHistory(s.Values, n);
    CountCycles(s, p);
    const LevelGrid grid = SpectrumLevelGrid(10, s.batch().MaxRange, 0.1f * s.batch().MaxRange);
    for (auto _ : state) {
        RainflowMatrix m = BuildRainflowMatrix(s.CountedCycles, grid, 10, -1000, 1000, 20);
        benchmark::DoNotOptimize(m.counts.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.CountedCycles.size()));
}

// The parts on their own, for the closing figures.
void BM_CountOnly_Decaying(benchmark::State& state) {
    const std::vector<float> h = decayingHistory(static_cast<int32_t>(state.range(0)));
    const auto n = static_cast<int32_t>(h.size() - 2);
    std::vector<float> ranges(static_cast<size_t>(n) / 2 + 2);
    for (auto _ : state) {
        RainflowTally t = CountClosedLoop(h.data() + 1, n, ranges.data());
        benchmark::DoNotOptimize(t);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// For comparison: the array form of the procedure, which moves every live point on each
// closed cycle (quadratic in the length of a decaying stretch).
void BM_ArrayProcedure_Decaying(benchmark::State& state) {
    const std::vector<float> h = decayingHistory(static_cast<int32_t>(state.range(0)));
    const auto n = static_cast<int32_t>(h.size() - 2);
    std::vector<float> W(h.size());
    for (auto _ : state) {
        std::copy(h.begin(), h.end(), W.begin());
        W[static_cast<size_t>(n) + 1] = W[1];
        const auto [lo, hi] = std::minmax_element(W.begin() + 1, W.begin() + 1 + n);
        const float smin = *lo, smax = *hi;
        int32_t k = 0, r = 0, i = 2;
        for (;;) {
            if ((n + 1) - r < 3) break;
            while (i - r < 3) ++i;
            if (i > n + 1) break;
            const float x = std::fabs(W[i] - W[i - 1]);
            const float y = std::fabs(W[i - 1] - W[i - 2]);
            if (ClosesCycle(W[i - 2], W[i - 1], x, y, smax, smin)) {
                ++k;
                r += 2;
                for (int32_t j = 1; j <= i - r; ++j) W[i - j] = W[i - j - 2];
            } else {
                ++i;
            }
        }
        benchmark::DoNotOptimize(k);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_SortOnly_Random(benchmark::State& state) {
    const auto k = static_cast<int32_t>(state.range(0));
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> r(0.0f, 2000.0f);
    std::vector<float> ranges(static_cast<size_t>(k) + 2);
    for (auto& v : ranges) v = r(rng);
    std::vector<float> work;
    for (auto _ : state) {
        state.PauseTiming();
        work = ranges;
        state.ResumeTiming();
        SortRanges(work, k);
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * k);
}

}  // namespace

BENCHMARK(BM_RotateCountSort_Random)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateCountSort_Decaying)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateCountSort_Random_Matrix)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateCountSort_Decaying_Matrix)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixFromCycles_Random)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCount_Random)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCount_Decaying)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountOnly_Decaying)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrayProcedure_Decaying)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortOnly_Random)->Arg(5000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
