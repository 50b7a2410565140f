#pragma once
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "support/TempDir.h"

namespace karmo::test {

// One in-process run of karmo-cli.
struct CliRun {
    int code = -1;
    std::string out, err;
};

inline CliRun RunKarmoCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun r;
    r.code = cli::RunCli(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline int LineCount(const std::string& text) {
    int n = 0;
    for (const char c : text) n += c == '\n';
    return n;
}

inline std::string CliData(const std::string& name) { return std::string(KARMO_TEST_DATA) + "/cli/" + name; }
inline std::string Example(const std::string& name) { return std::string(KARMO_EXAMPLES_DIR) + "/" + name; }

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A binary series: 128 header floats (N, -, -, dt), then the samples, little-endian.
inline std::string BinarySeries(const std::vector<float>& samples, float n, float dt) {
    std::vector<float> records(128, 0.0f);
    records[0] = n;
    records[3] = dt;
    records.insert(records.end(), samples.begin(), samples.end());
    std::string bytes(records.size() * 4, '\0');
    for (size_t i = 0; i < records.size(); ++i) {
        uint32_t bits = 0;
        std::memcpy(&bits, &records[i], 4);
        for (int k = 0; k < 4; ++k) bytes[i * 4 + static_cast<size_t>(k)] = static_cast<char>((bits >> (8 * k)) & 0xFF);
    }
    return bytes;
}

// An ASCII series: ten header items (N, -, -, dt, ...), then the samples.
inline std::string AsciiSeries(const std::vector<std::string>& samples, const std::string& dt) {
    std::string t = std::to_string(samples.size()) + " 0 0 " + dt + " 0 0 0 0 0 0\r\n";
    for (const auto& s : samples) t += s + "\r\n";
    return t;
}

}  // namespace karmo::test
