#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

std::vector<std::string> synth(const std::string& type, const std::string& q, const std::string& r,
                               const std::string& max, const std::string& min, const std::string& levels,
                               const std::string& volume) {
    return {"synth", "--type", type, "--q", q, "--r", r, "--max", max, "--min", min, "--levels", levels,
            "--volume", volume, "--json"};
}

// Weibull Q = 50, R = 2 on 100, 60, 20 with volume 10: 2, 8, 0; the empty last level goes.
TEST(SynthCommand, WeibullExample) {
    const CliRun r = RunKarmoCli(synth("weibull", "50", "2", "100", "20", "3", "10"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"source\":{\"type\":\"weibull\",\"SourceQ\":50,\"SourceR\":2,\"SourceType\":-1},"
              "\"spectrum\":{\"levelCount\":2,\"maxRange\":100,\"minRange\":60,\"volume\":10,\"omitted\":0,"
              "\"levels\":[{\"range\":100,\"cycles\":2},{\"range\":60,\"cycles\":8}]},"
              "\"messages\":[{\"title\":\"Editing Stress Spectrum\","
              "\"text\":\"1 last spectrum levels with 0 cycles have been removed.\"}]}\n");
    EXPECT_EQ(r.err, "Editing Stress Spectrum: 1 last spectrum levels with 0 cycles have been removed.\n");
}

TEST(SynthCommand, SpectrumObjectAndTable) {
    const CliRun json = RunKarmoCli(synth("beta", "1.8", "1.8", "100", "60", "8", "8"));
    ASSERT_EQ(json.code, 0) << json.err;
    int total = 0;
    for (size_t at = json.out.find("\"cycles\":"); at != std::string::npos; at = json.out.find("\"cycles\":", at + 1))
        total += std::atoi(json.out.c_str() + at + 9);
    EXPECT_EQ(total, 8);
    EXPECT_NE(json.out.find("\"SourceType\":0"), std::string::npos);

    std::vector<std::string> args = synth("lognorm", "3.5", "0.6", "200", "20", "10", "100000");
    args.pop_back();   // the table
    const CliRun table = RunKarmoCli(args);
    ASSERT_EQ(table.code, 0) << table.err;
    EXPECT_EQ(table.out.rfind("Source: (Log-norm) Distribution\n  Q = 3.5   R = 0.6\nStress Spectrum:\n", 0), 0u)
        << table.out;
}

// Values the dialogs refuse: exit 1 with their words, nothing printed.
TEST(SynthCommand, RefusedValues) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {synth("beta", "2", "2", "100", "20", "5", "1"), "Stress Spectrum Params: The spectrum volume must be greater than 1\n"},
        {synth("beta", "2", "2", "100", "20", "5", "many"), "Stress Spectrum Params: The spectrum volume must be numeric\n"},
        {synth("beta", "2", "2", "100", "20", "5", "3"), "Stress Spectrum params: The max number of Stress levels is 3\n"},
        {synth("beta", "2", "2", "100", "20", "101", "100000"),
         "Stress Spectrum params: The max number of Stress levels is 100\n"},
        {synth("beta", "2", "2", "-5", "20", "5", "100"), "Stress Spectrum Params: The maximum Stress range must be positive\n"},
        {synth("beta", "2", "2", "top", "20", "5", "100"), "Stress Spectrum Params: The Maximum Stress range must be numeric\n"},
        {synth("beta", "2", "2", "100", "100", "5", "100"),
         "Stress Spectrum Params: The maximum Stress range should not be less than 100.0 \n"},
        {synth("beta", "0", "2", "100", "20", "5", "100"), "Edit Beta Parameters: The value of Q must be greater than 0\n"},
        {synth("weibull", "50", "-1", "100", "20", "5", "100"), "Edit Beta Parameters: The value of R must be greater than 0\n"},
        {synth("lognorm", "5", "1", "100", "20", "5", "100"), "Edit Beta Parameters: The value of Q must be smaller than 0\n"},
        {synth("beta", "x", "2", "100", "20", "5", "100"), "Edit Beta Parameters: Q must be a numeric\n"},
    };
    for (const auto& [args, line] : cases) {
        SCOPED_TRACE(line);
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, line);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace karmo::test
