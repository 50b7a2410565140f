// Drawing a long history on a bitmap the size of a large plot picture: the full window
// of 10^7 points and a scroll step through a window of a tenth of it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdlib>

#include "history/HistoryPlot.h"
#include "ui/QtCanvas.h"

namespace {

using namespace karmo;

AppState& longHistory() {
    static AppState s = [] {
        AppState a;
        constexpr int32_t n = 10'000'000;
        a.Values.assign(static_cast<size_t>(n) + 2, 0.0f);
        float mx = 0, mn = 0;
        for (int32_t i = 1; i <= n; ++i) {
            const float v = (i % 2 ? 1.0f : -1.0f) * (50.0f + 40.0f * std::sin(i * 1e-4f)) + (i % 13);
            a.Values[static_cast<size_t>(i)] = v;
            mx = i == 1 || v > mx ? v : mx;
            mn = i == 1 || v < mn ? v : mn;
        }
        a.batch().PointCount = n;
        a.batch().MaxValue = mx;
        a.batch().MinValue = mn;
        a.batch().RecordTime = 600;
        return a;
    }();
    return s;
}

void BM_DrawFullWindow(benchmark::State& st) {
    AppState& s = longHistory();
    s.ViewCount = s.batch().PointCount;
    QImage image(1600, 500, QImage::Format_RGB32);
    for (auto _ : st) {
        QtCanvas c(image);
        DrawHistory(c, s, 0, 1, HistoryTarget::Screen, 1.0);
    }
    st.SetItemsProcessed(st.iterations() * s.ViewCount);
}
BENCHMARK(BM_DrawFullWindow)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& st) {
    AppState& s = longHistory();
    s.ViewCount = s.batch().PointCount / 10;
    QImage image(1600, 500, QImage::Format_RGB32);
    int32_t from = 1;
    for (auto _ : st) {
        QtCanvas c(image);
        DrawHistory(c, s, 0, from, HistoryTarget::Screen, 1.0);
        from = from + s.ViewCount / 40 > s.batch().PointCount - s.ViewCount ? 1 : from + s.ViewCount / 40;
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

// A window a little longer than the picture is wide: connected lines, no bars.
void BM_DrawLineWindow(benchmark::State& st) {
    AppState& s = longHistory();
    s.ViewCount = 2000;
    QImage image(1600, 500, QImage::Format_RGB32);
    for (auto _ : st) {
        QtCanvas c(image);
        DrawHistory(c, s, 0, 5001, HistoryTarget::Screen, 1.0);
    }
}
BENCHMARK(BM_DrawLineWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
