// Reading and writing history files of realistic length (10^7 values).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "history/HistoryFile.h"

using namespace karmo;

namespace {

// Answers every question with Yes, says nothing.
class QuietPrompter : public Prompter {
public:
    Answer ask(const Prompt&) override { return Answer::Yes; }
};

AppState historyState(int32_t n) {
    AppState s;
    s.CurrentBatch = 1;
    s.batch().Title = "bench";
    s.batch().PointCount = n;
    s.Values.resize(static_cast<size_t>(n) + 2);
    for (int32_t i = 1; i <= n; ++i)
        s.Values[static_cast<size_t>(i)] = (i % 2 ? 1.0f : -1.0f) * (100.0f + 0.37f * (i % 997));
    s.batch().MaxValue = 100.0f + 0.37f * 996;
    s.batch().MinValue = -s.batch().MaxValue;
    return s;
}

std::string benchDir() {
    auto dir = std::filesystem::temp_directory_path() / "karmo-bench-history";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void BM_ReadHistoryFile(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    const std::string dir = benchDir();
    AppState w = historyState(n);
    {
        std::ofstream out(dir + "/karhs.1", std::ios::binary);
        out << HistoryFileText(w, 1);
    }
    QuietPrompter p;
    for (auto _ : state) {
        AppState s;
        s.CurrentBatch = 1;
        s.HistoryPath = dir + "/karhs.1";
        benchmark::DoNotOptimize(OpenChkHFile(s, p));
        if (s.batch().PointCount != n) state.SkipWithError("short read");
    }
    state.SetItemsProcessed(state.iterations() * n);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadHistoryFile)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_WriteHistoryFile(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    AppState s = historyState(n);
    s.DatabaseDir = s.HistoryDir = benchDir();
    s.SaveFileName = "karhs.1";
    QuietPrompter p;
    for (auto _ : state) {
        int16_t ok = 0;
        WriteHistoryFile(s, p, 1, ok);
        if (ok != 1) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * n);
    std::filesystem::remove_all(s.DatabaseDir);
}
BENCHMARK(BM_WriteHistoryFile)->Arg(10000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
