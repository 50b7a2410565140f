// Number forms on history-file sized inputs: list input and list output of Singles, and
// the display masks.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "core/NumberForms.h"

using namespace karmo;

namespace {

float sampleValue(int64_t i) {
    return static_cast<float>((i * 7919) % 200003) / 7.0f - 10000.0f;
}

std::string historyText(int64_t count) {
    std::string text;
    text.reserve(static_cast<size_t>(count) * 12);
    for (int64_t i = 0; i < count; ++i) {
        text += ListNumber(sampleValue(i));
        text += "\r\n";
    }
    return text;
}

void BM_ListReaderNumbers(benchmark::State& state) {
    const std::string text = historyText(state.range(0));
    for (auto _ : state) {
        std::istringstream in(text);
        ListReader reader(in);
        double v = 0, sum = 0;
        while (reader.readNumber(v)) sum += v;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ListReaderNumbers)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ListNumberSingles(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ListNumber(sampleValue(i++)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ListNumberSingles);

void BM_FormatMask(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FormatMask(sampleValue(i++), "#####0.0##"));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatMask);

}  // namespace

BENCHMARK_MAIN();
