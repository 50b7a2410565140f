#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
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
    const int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// A command line and what it must give: the exit status, standard error (whole, or its start
// when errIsStart), standard output (a piece of it, or all of it when outWhole); a failed run
// prints nothing.
struct Expected {
    std::vector<std::string> args;
    int code;
    std::string err;
    std::string out = "";
    bool errIsStart = false;
    bool outWhole = false;
};

inline void ExpectRuns(const std::vector<Expected>& cases) {
    for (const Expected& c : cases) {
        const CliRun r = RunKarmoCli(c.args);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(c.errIsStart ? r.err.substr(0, c.err.size()) : r.err, c.err);
        if (c.outWhole || c.code != 0) {
            EXPECT_EQ(r.out, c.out);
        } else {
            EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        }
    }
}

inline long LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }
inline std::string CliData(const std::string& name) { return std::string(KARMO_TEST_DATA) + "/cli/" + name; }
inline std::string Example(const std::string& name) { return std::string(KARMO_EXAMPLES_DIR) + "/" + name; }

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A binary series: 128 header floats (N, -, -, dt), then the samples, little-endian.
inline std::string BinarySeries(const std::vector<float>& samples, float n, float dt) {
    static_assert(std::endian::native == std::endian::little);
    std::vector<float> records(128, 0.0f);
    records[0] = n;
    records[3] = dt;
    records.insert(records.end(), samples.begin(), samples.end());
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(float));
}

// An ASCII series: ten header items (N, -, -, dt, ...), then the samples.
inline std::string AsciiSeries(const std::vector<std::string>& samples, const std::string& dt) {
    std::string t = std::to_string(samples.size()) + " 0 0 " + dt + " 0 0 0 0 0 0\r\n";
    for (const auto& s : samples) t += s + "\r\n";
    return t;
}

}  // namespace karmo::test
