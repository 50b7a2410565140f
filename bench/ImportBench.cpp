// Importing long measured time series: 10^8 binary samples and ~10^7 ASCII samples, each
// for a smooth signal (sum of sines plus noise, about a third of the samples reversals)
// and white noise (about two thirds). The files are generated once in the temporary
// directory and reused; a plain read of the same file in 1 MiB blocks is the floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "history/SeriesReaders.h"

using namespace karmo;

namespace {

constexpr int64_t kBinarySamples = 100'000'000;
constexpr int64_t kAsciiSamples = 10'000'000;

class QuietPrompter : public Prompter {
public:
    Answer ask(const Prompt&) override { return Answer::Yes; }
};

// Seeded generator (xorshift64*), uniform in [-1, 1).
struct Noise {
    uint64_t x;
    float next() {
        x ^= x >> 12;
        x ^= x << 25;
        x ^= x >> 27;
        const uint64_t r = x * 0x2545F4914F6CDD1Dull;
        return static_cast<float>(static_cast<double>(r >> 11) * 0x1.0p-52 - 1.0);
    }
};

// Three sines advanced by rotation (no sin() per sample) plus noise.
class Signal {
public:
    explicit Signal(bool smooth) : smooth_(smooth) {
        for (int k = 0; k < 3; ++k) {
            const double w = kOmega[k];
            c_[k] = std::cos(w);
            s_[k] = std::sin(w);
            re_[k] = 1;
            im_[k] = 0;
        }
    }
    float next() {
        if (!smooth_) return 100.0f * noise_.next();
        double v = 0;
        for (int k = 0; k < 3; ++k) {
            const double r = re_[k] * c_[k] - im_[k] * s_[k];
            im_[k] = re_[k] * s_[k] + im_[k] * c_[k];
            re_[k] = r;
            v += kAmp[k] * im_[k];
        }
        return static_cast<float>(v + 0.44 * noise_.next());
    }

private:
    static constexpr double kOmega[3] = {0.0031, 0.017, 0.0493};
    static constexpr double kAmp[3] = {100, 30, 8};
    bool smooth_;
    Noise noise_{0x9E3779B97F4A7C15ull};
    double c_[3], s_[3], re_[3], im_[3];
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string benchFile(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "karmo-bench-import";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

void putFloat(std::string& out, float v) {
    const uint32_t u = std::bit_cast<uint32_t>(v);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
}

// Generated once; a file of the right size from an earlier run is reused.
const std::string& binaryFile(bool smooth) {
    static std::string paths[2];
    std::string& path = paths[smooth];
    if (!path.empty()) return path;
    path = benchFile(smooth ? "sines.bin" : "noise.bin");
    const uint64_t size = kBinaryHeaderBytes + 4 * static_cast<uint64_t>(kBinarySamples);
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) == size && !ec) return path;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    std::string head;
    putFloat(head, static_cast<float>(kBinarySamples));
    putFloat(head, 0);
    putFloat(head, 0);
    putFloat(head, 0.001f);
    head.resize(kBinaryHeaderBytes, '\0');
    std::fwrite(head.data(), 1, head.size(), f.get());
    Signal sig(smooth);
    std::vector<float> block(1 << 18);
    for (int64_t done = 0; done < kBinarySamples;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(block.size()), kBinarySamples - done));
        for (size_t i = 0; i < n; ++i) block[i] = sig.next();
        std::fwrite(block.data(), 4, n, f.get());
        done += static_cast<int64_t>(n);
    }
    return path;
}

const std::string& asciiFile(bool smooth) {
    static std::string paths[2];
    std::string& path = paths[smooth];
    if (!path.empty()) return path;
    path = benchFile(smooth ? "sines.asc" : "noise.asc");
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > 0 && !ec) return path;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    std::string text = std::to_string(kAsciiSamples) + " 0 0 .001 0 0 0 0 0 0\r\n";
    Signal sig(smooth);
    char buf[32];
    for (int64_t i = 0; i < kAsciiSamples; ++i) {
        const auto r = std::to_chars(buf, buf + sizeof buf, sig.next(), std::chars_format::fixed, 3);
        text.append(buf, r.ptr);
        text += (i % 8 == 7) ? "\r\n" : " ";
        if (text.size() > (1u << 20)) {
            std::fwrite(text.data(), 1, text.size(), f.get());
            text.clear();
        }
    }
    std::fwrite(text.data(), 1, text.size(), f.get());
    return path;
}

void report(benchmark::State& state, int64_t samples, uint64_t bytes, int32_t points) {
    state.counters["samples/s"] = benchmark::Counter(static_cast<double>(samples) * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
    state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(bytes) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1024);
    state.counters["reversals"] = points;
}

void plainRead(benchmark::State& state, const std::string& path) {
    std::vector<char> buf(kSeriesBlockBytes);
    uint64_t bytes = 0;
    for (auto _ : state) {
        std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
        bytes = 0;
        for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), f.get())) > 0;) bytes += n;
        benchmark::DoNotOptimize(buf.data());
    }
    state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(bytes) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate, benchmark::Counter::OneK::kIs1024);
}

void BM_PlainReadBinary(benchmark::State& state) { plainRead(state, binaryFile(state.range(0) != 0)); }
void BM_PlainReadAscii(benchmark::State& state) { plainRead(state, asciiFile(state.range(0) != 0)); }

using SeriesReader = SeriesRead (*)(AppState&, Prompter&, const std::string&, int);

void importRun(benchmark::State& state, const std::string& path, SeriesReader read, int64_t samples) {
    QuietPrompter p;
    int32_t points = 0;
    for (auto _ : state) {
        AppState s;
        s.CurrentBatch = 1;
        if (read(s, p, path, 1) != SeriesRead::Loaded) state.SkipWithError("read failed");
        points = s.batch().PointCount;
    }
    report(state, samples, std::filesystem::file_size(path), points);
}

void BM_ImportBinary(benchmark::State& state) {
    importRun(state, binaryFile(state.range(0) != 0), ReadBinarySeries, kBinarySamples);
}

void BM_ImportAscii(benchmark::State& state) {
    importRun(state, asciiFile(state.range(0) != 0), ReadAsciiSeries, kAsciiSamples);
}

// Argument 1: sum of sines plus noise; 0: white noise.
BENCHMARK(BM_PlainReadBinary)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportBinary)->Arg(1)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadAscii)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportAscii)->Arg(1)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
