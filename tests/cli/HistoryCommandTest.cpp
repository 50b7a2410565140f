#include <gtest/gtest.h>

#include <filesystem>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

std::string historyFile(const std::string& title, const std::vector<std::string>& values, const std::string& time) {
    std::string t = "\"" + title + "\"\r\n" + std::to_string(values.size()) + "\r\n" + time + "\r\n";
    for (const auto& v : values) t += v + "\r\n";
    return t;
}

// The history file written: the values after reading, gate and scale, conflicts removed,
// closed with MinValue (a history starting upward that does not end at its minimum).
TEST(HistoryCommand, WritesTheReducedHistoryWithItsClosingValue) {
    struct Case {
        std::string input;
        std::vector<std::string> options;
        std::string expected;
    };
    const Case cases[] = {
        {"six.txt", {}, historyFile("six", {"0", "10", "2", "8", "4", "6", "0"}, "1")},
        // Gate 10 %: the pair 100, 95 goes.
        {"gate.txt", {"--gate", "10"}, historyFile("gate", {"0", "100", "0", "100", "0", "100", "0"}, "2")},
        {"six.txt", {"--scale", "2.5"}, historyFile("six", {"0", "25", "5", "20", "10", "15", "0"}, "1")},
        // The plateau 10, 10 is a conflict: removed, and the odd rest loses its last point.
        {"conflict.txt", {}, historyFile("conflict", {"0", "10", "2", "8", "4", "6", "0"}, "1")},
        // Answered No: the conflict stays.
        {"conflict.txt", {"--no"}, historyFile("conflict", {"0", "10", "10", "2", "8", "4", "6", "1", "0"}, "1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        TempDir dir;
        const std::string out = (dir.path() / "karhs.1").string();
        std::vector<std::string> args = {"history", CliData(c.input), "-o", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = RunKarmoCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(dir.read("karhs.1"), c.expected);
    }
}

// A measured series reduced while it is read: 0, 5, 5, 2, 8 gives 0, 5, 2, 8, in both
// forms; the title is the file name without its extension, the record time N dt / 60.
TEST(HistoryCommand, MeasuredSeriesInBothForms) {
    TempDir dir;
    dir.write("run.asc", AsciiSeries({"0", "5", "5", "2", "8"}, "6"));
    dir.write("run.bin", BinarySeries({0, 5, 5, 2, 8}, 5, 6));
    dir.write("run.dat", BinarySeries({0, 5, 5, 2, 8}, 5, 6));
    const std::string expected = historyFile("run", {"0", "5", "2", "8", "0"}, ".5");
    for (const auto& [name, format] : std::vector<std::pair<std::string, std::string>>{
             {"run.asc", ""}, {"run.bin", ""}, {"run.dat", "bin"}}) {
        SCOPED_TRACE(name);
        std::vector<std::string> args = {"history", (dir.path() / name).string(), "-o", (dir.path() / "out").string()};
        if (!format.empty()) args.insert(args.end(), {"--format", format});
        const CliRun r = RunKarmoCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, (dir.path() / "out").string() + ": 4 points\n");
        EXPECT_EQ(dir.read("out"), expected);
    }
}

// Input that cannot be used: exit 1, one line on standard error, nothing written.
TEST(HistoryCommand, BadInputGivesOneLineAndWritesNothing) {
    TempDir dir;
    dir.write("short.bin", BinarySeries({1, 2}, 2.9f, 0.01f));
    dir.write("flat.asc", AsciiSeries({"1", "2", "3", "4"}, "0.01"));
    dir.write("nan.bin", BinarySeries({1, 5, std::numeric_limits<float>::quiet_NaN(), 2}, 4, 0.01f));
    dir.write("empty.txt", "");
    std::filesystem::create_directory(dir.path() / "folder.txt");
    struct Case {
        std::string input;
        std::vector<std::string> options;
        std::string line;
    };
    const std::string d = dir.str() + "/";
    const Case cases[] = {
        {d + "missing.txt", {}, "Reading Stress History: No such file or directory\n"},
        {d + "folder.txt", {}, "Reading Stress History: Is a directory\n"},
        {CliData("bad.txt"), {}, "Reading Stress History: Data point 3 is not a number.\n"},
        {d + "short.bin", {}, "Reading Time Series: Note: Stress History must have more than 3 Points\n"},
        {d + "flat.asc", {}, "Reading Time Series: Note: Stress History must have more than 3 Points\n"},
        {d + "missing.bin", {}, "Real Binary Stress History: No such file or directory\n"},
        {CliData("six.txt"), {"--gate", "-1"}, "Stress History: The Gate must be > 0.\n"},
        {CliData("six.txt"), {"--scale", "two"}, "Stress History: The Rescale factor must be numeric\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        std::vector<std::string> args = {"history", c.input, "-o", d + "out"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, c.line);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(std::filesystem::exists(d + "out"));
    }
    // A NaN sample ends the read with a message naming it.
    const CliRun nan = RunKarmoCli({"history", d + "nan.bin", "-o", d + "out"});
    EXPECT_EQ(nan.code, 1);
    EXPECT_EQ(LineCount(nan.err), 1) << nan.err;
    EXPECT_FALSE(std::filesystem::exists(d + "out"));
    // An output directory that does not exist: the write fails, reported once.
    const CliRun unwritable = RunKarmoCli({"history", CliData("six.txt"), "-o", d + "no/such/dir/karhs.1"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(LineCount(unwritable.err), 1) << unwritable.err;
    EXPECT_EQ(unwritable.err.rfind("Saving Stress History: ", 0), 0u) << unwritable.err;
}

}  // namespace
}  // namespace karmo::test
