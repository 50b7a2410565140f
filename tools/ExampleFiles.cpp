#include "ExampleFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ExampleDatabase.h"
#include "SignalGenerator.h"
#include "core/NumberForms.h"

namespace karmo::tools {

namespace {

constexpr double kSampleRate = 200;

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "make-examples: cannot write " << path << ": " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

// The ASCII form: ten header items (N, two unused, the sampling interval, six unused),
// then one sample per line.
std::string asciiSeries(const std::vector<float>& x, double dt) {
    std::string t = std::to_string(x.size()) + " 0 0 " + ShortNumber(static_cast<float>(dt)) +
                    " 0 0 0 0 0 0\r\n";
    char buf[32];
    for (const float v : x) {
        std::snprintf(buf, sizeof buf, "%.2f\r\n", static_cast<double>(v));
        t += buf;
    }
    return t;
}

void putFloat(std::string& t, float v) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) t += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// The binary form: a 512-byte header of 128 little-endian floats (N in record 1, the
// sampling interval in record 4), then the samples.
std::string binarySeries(const std::vector<float>& x, double dt) {
    std::string t;
    t.reserve(512 + 4 * x.size());
    for (int r = 1; r <= 128; ++r) {
        float v = 0;
        if (r == 1) v = static_cast<float>(x.size());
        if (r == 4) v = static_cast<float>(dt);
        putFloat(t, v);
    }
    for (const float v : x) putFloat(t, v);
    return t;
}

// A text history with header: title, count, record time in minutes, one value per line.
std::string textHistory(const std::string& title, const std::vector<float>& values, float minutes) {
    std::string t = ListString(title) + "\r\n" + std::to_string(values.size()) + "\r\n" +
                    ListNumber(minutes) + "\r\n";
    for (const float v : values) t += ListNumber(v) + "\r\n";
    return t;
}

}  // namespace

bool MakeExamples(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    GaugeSignal gauge;
    gauge.sampleRate = kSampleRate;
    const std::vector<float> series = MakeGaugeSignal(gauge);
    const double dt = 1.0 / kSampleRate;
    const std::string asc = dir + "/strain-gauge.asc";
    const std::string bin = dir + "/strain-gauge.bin";
    if (!writeFile(asc, asciiSeries(series, dt)) || !writeFile(bin, binarySeries(series, dt))) return false;

    // A shorter, quieter record reduced to its peaks and valleys.
    GaugeSignal lap;
    lap.seconds = 30;
    lap.resonance = 2.1;
    lap.rmsStress = 40;
    lap.staticStress = 55;
    lap.drift = 20;
    lap.noise = 0;
    lap.step = 0.1;
    lap.seed = 4711;
    const std::vector<float> points = Reversals(MakeGaugeSignal(lap));
    const std::string txt = dir + "/bracket.txt";
    if (!writeFile(txt, textHistory("Bracket B2, test track lap", points, static_cast<float>(lap.seconds / 60))))
        return false;

    if (!MakeExampleDatabase(dir + "/database", bin)) return false;
    return true;
}

}  // namespace karmo::tools
