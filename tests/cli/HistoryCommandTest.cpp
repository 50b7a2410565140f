#include <filesystem>
#include <limits>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

std::string historyFile(const std::string& title, const std::vector<std::string>& values, const std::string& time) {
    std::string t = "\"" + title + "\"\r\n" + std::to_string(values.size()) + "\r\n" + time + "\r\n";
    for (const auto& v : values) t += v + "\r\n";
    return t;
}

// The history file written: the values after reading, gate and scale, conflicts removed,
// closed with MinValue. A measured series is reduced while it is read (0, 5, 5, 2, 8 gives
// 0, 5, 2, 8) in both forms, titled by the file name, record time N dt / 60.
TEST(HistoryCommand, WritesTheReducedHistoryWithItsClosingValue) {
    TempDir dir;
    dir.write("run.asc", AsciiSeries({"0", "5", "5", "2", "8"}, "6"));
    dir.write("run.bin", BinarySeries({0, 5, 5, 2, 8}, 5, 6));
    dir.write("run.dat", BinarySeries({0, 5, 5, 2, 8}, 5, 6));
    const std::string run = historyFile("run", {"0", "5", "2", "8", "0"}, ".5"), d = dir.str() + "/";
    const std::string yes = "Check Stress History: The Stress History has conflicting values at Stress index 3 "
                            "Remove the conflict?\n";
    struct Case {
        std::vector<std::string> args;
        std::string expected, err = "";
    };
    const Case cases[] = {
        {{CliData("six.txt")}, historyFile("six", {"0", "10", "2", "8", "4", "6", "0"}, "1")},
        // Gate 10 %: the pair 100, 95 goes.
        {{CliData("gate.txt"), "--gate", "10"}, historyFile("gate", {"0", "100", "0", "100", "0", "100", "0"}, "2")},
        {{CliData("six.txt"), "--scale", "2.5"}, historyFile("six", {"0", "25", "5", "20", "10", "15", "0"}, "1")},
        // The plateau 10, 10 is a conflict: removed, and the odd rest loses its last point.
        {{CliData("conflict.txt")}, historyFile("conflict", {"0", "10", "2", "8", "4", "6", "0"}, "1"),
         yes + "Check Stress History: Remove all conflicts in the Stress History data?\n"},
        {{CliData("conflict.txt"), "--no"},
         historyFile("conflict", {"0", "10", "10", "2", "8", "4", "6", "1", "0"}, "1"),
         yes},
        {{d + "run.asc"}, run},
        {{d + "run.bin"}, run},
        {{d + "run.dat", "--format", "bin"}, run},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = {"history", "-o", d + "karhs.1"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = RunKarmoCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(dir.read("karhs.1"), c.expected);
        EXPECT_EQ(r.out, d + "karhs.1: " + std::to_string(LineCount(c.expected) - 4) + " points\n");
    }
}

// Input that cannot be used: exit 1, one line on standard error, nothing written.
TEST(HistoryCommand, BadInputGivesOneLineAndWritesNothing) {
    TempDir dir;
    dir.write("short.bin", BinarySeries({1, 2}, 2.9f, 0.01f));
    dir.write("nan.bin", BinarySeries({1, 5, std::numeric_limits<float>::quiet_NaN(), 2}, 4, 0.01f));
    std::vector<float> zigzag;
    for (int i = 0; i < 300; ++i) zigzag.push_back(static_cast<float>(i % 2 * 10 + i % 7));
    dir.write("long.bin", BinarySeries(zigzag, 300, 3e38f));
    std::string longAsc = "36000 0 0 1e38 0 0 0 0 0 0\r\n";
    for (int i = 0; i < 36000; ++i) longAsc += std::to_string(i % 2 * 10 + i % 7) + "\r\n";
    dir.write("long.asc", longAsc);
    dir.write("far.asc", "4 0 0 .01 0 0 0 0 0 0\r\n1 5 1e39 2\r\n");
    dir.write("flat.txt", historyFile("flat", {"3", "3", "3", "3", "3"}, "1"));
    dir.write("zeros.txt", std::string(std::size_t{2} << 20, '\0'));
    const std::string d = dir.str() + "/";
    const auto history = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"history", "-o", d + "out"});
        return args;
    };
    ExpectRuns({
        {history({d + "missing.txt"}), 1, "Reading Stress History: No such file or directory\n"},
        {history({CliData("bad.txt")}), 1, "Reading Stress History: Data point 3 is not a number.\n"},
        {history({d + "short.bin"}), 1, "Reading Time Series: Note: Stress History must have more than 3 Points\n"},
        {history({d + "missing.bin"}), 1, "Real Binary Stress History: No such file or directory\n"},
        {history({d + "nan.bin"}), 1, "Real Binary Stress History: Sample 3 is not a number.\n"},
        {history({CliData("six.txt"), "--gate", "-1"}), 1, "Stress History: The Gate must be > 0.\n"},
        // Values no Single holds: refused where they enter, not written as "Inf".
        {history({d + "far.asc"}), 1, "Real ASCII Stress History: Sample 3 is out of range.\n"},
        {history({d + "long.asc"}), 1, "Real ASCII Stress History: The record time (36000 samples of 1E+38) is out of range.\n"},
        {history({d + "long.bin"}), 1, "Real Binary Stress History: The record time (300 samples of 3E+38) is out of range.\n"},
        {history({CliData("six.txt"), "--scale", "1e39"}), 1, "Stress History: The Rescale factor is out of range\n"},
        {history({CliData("six.txt"), "--scale", "1e38"}), 1, "Stress History: The rescaled Stress History is out of range\n"},
        // A flat record would reduce to two equal points, which no history file can hold.
        {history({d + "flat.txt"}), 1, "Reading Stress History: All 5 data points are equal. A Stress History needs at least 3.\n"},
        // An endless item (a device without separators) stops the read.
        {history({d + "zeros.txt"}), 1, "Reading Stress History: Item 1 (\"????????????????????????????????????????...\") is too long\n"},
        // An output directory that does not exist: the write fails, reported once.
        {{"history", CliData("six.txt"), "-o", d + "no/dir/karhs.1"}, 1,
         "Saving Stress History: karhs.1: No such file or directory\n"},
    });
    EXPECT_FALSE(std::filesystem::exists(d + "out"));
}

}  // namespace
}  // namespace karmo::test
