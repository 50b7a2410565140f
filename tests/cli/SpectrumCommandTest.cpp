#include <gtest/gtest.h>

#include <cstdlib>

#include "CliPrompter.h"
#include "CliTestSupport.h"
#include "JsonWriter.h"
#include "Pipeline.h"
#include "distribution/DistributionFit.h"
#include "distribution/Exceedance.h"
#include "support/ScriptedPrompter.h"

namespace karmo::test {
namespace {

// The counting example 0, 10, 2, 8, 4, 6: rotated to 10, 2, 8, 4, 6, 0, ranges 2, 6, 10.
// Three levels from 10 down to the proposed 10/3 hold one cycle each.
TEST(SpectrumCommand, SixPointHistoryAsJson) {
    const CliRun r = RunKarmoCli({"spectrum", CliData("six.txt"), "--levels", "3", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"history\":{\"title\":\"six\",\"points\":6,\"max\":10,\"min\":0,\"recordTime\":1,"
              "\"quantity\":\"Stress\"},"
              "\"counting\":{\"cycles\":3,\"maxRange\":10,\"minCountedRange\":2,\"rearranged\":true},"
              "\"spectrum\":{\"levelCount\":3,\"maxRange\":10,\"minRange\":3.33333325,\"volume\":3,"
              "\"omitted\":0,\"levels\":[{\"range\":10,\"cycles\":1},{\"range\":6.66666698,\"cycles\":1},"
              "{\"range\":3.33333325,\"cycles\":1}]},"
              "\"messages\":[{\"title\":\"Stress History\",\"text\":\"The Stress History has been rearranged.\"}]}\n");
    EXPECT_EQ(r.err, "Stress History: The Stress History has been rearranged.\n");
    // The smallest range is the Single 10/3 exactly: 9 digits read back to the same float.
    EXPECT_EQ(std::strtof("3.33333325", nullptr), 10.0f / 3.0f);
}

TEST(SpectrumCommand, SixPointHistoryAsTable) {
    const CliRun r = RunKarmoCli({"spectrum", CliData("six.txt"), "--levels", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "Stress History: six\n"
              "  Number of points:     6\n"
              "  Maximum [MPa]:        10.0\n"
              "  Minimum [MPa]:        0.0\n"
              "  Record time [min]:    1.0\n"
              "Rainflow counting: (history rearranged)\n"
              "  Cycles counted:       3\n"
              "  Largest range:        10.0\n"
              "  Smallest range:       2.0\n"
              "  Mean stress:          DMSE(-)  \n"
              "Stress Spectrum:\n"
              "  No. of Levels:        3\n"
              "  Maximum Range [MPa]:  10.0\n"
              "  Minimum Range [MPa]:  3.333\n"
              "  Volume [cyc]:         3\n"
              "  Omitted cycles:       0\n"
              "  Level   Range [MPa]       Cycles\n"
              "      1         10.00            1\n"
              "      2          6.67            1\n"
              "      3          3.33            1\n");
}

// The levels and the smallest range: the proposals of the spectrum-parameters dialog, or the
// values given, with the dialog's words when they are refused or corrected.
TEST(SpectrumCommand, LevelAndRangeOptions) {
    struct Case {
        std::vector<std::string> extra;
        int code;
        std::string err;
        std::string spectrumPart;   // a piece of the JSON output
    };
    const std::string rearranged = "Stress History: The Stress History has been rearranged.\n";
    const Case cases[] = {
        // Six points: at most 3 levels proposed (half the points).
        {{}, 0, rearranged, "\"levelCount\":3,\"maxRange\":10,\"minRange\":3.33333325"},
        {{"--levels", "2"}, 0, rearranged, "\"levelCount\":2,\"maxRange\":10,\"minRange\":5,\"volume\":2,\"omitted\":1"},
        {{"--levels", "2", "--min-range", "6"}, 0, rearranged,
         "\"levels\":[{\"range\":10,\"cycles\":1},{\"range\":6,\"cycles\":1}]"},
        // Below the smallest counted range: raised to it, with the note.
        {{"--levels", "1", "--min-range", "0.5"}, 0,
         rearranged + "Stress Spectrum Params: The minimum Stress range should not be less than 10.0 MPa\n",
         "\"levelCount\":1,\"maxRange\":10,\"minRange\":9.99950027,\"volume\":2,\"omitted\":1"},
        {{"--levels", "2", "--min-range", "10"}, 1,
         rearranged + "Stress Spectrum Params: The minimum Stress range should be less than 10.0\n", ""},
        {{"--levels", "3", "--min-range", "1"}, 0,
         rearranged + "Stress Spectrum Params: The minimum Stress range should not be less than 3.333 MPa\n",
         "\"minRange\":3.33283329"},
        {{"--levels", "x"}, 1, rearranged + "Stress Spectrum Params: The number of Stress levels must be numeric\n", ""},
        {{"--levels", "0"}, 1,
         rearranged + "Stress Spectrum Params: The number of Stress levels must be greater than 0\n", ""},
        {{"--levels", "4"}, 1, rearranged + "Stress Spectrum params: The max number of Stress levels is 3\n", ""},
        {{"--levels", "40000"}, 1, rearranged + "Stress Spectrum params: The max number of Stress levels is 3\n", ""},
        {{"--min-range", "abc"}, 1,
         rearranged + "Stress Spectrum Params: The minimum Stress range must be numeric.\n", ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"spectrum", CliData("six.txt"), "--json"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun r = RunKarmoCli(args);
        SCOPED_TRACE(args.back());
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.err, c.err);
        if (c.code == 0) EXPECT_NE(r.out.find(c.spectrumPart), std::string::npos) << r.out;
        else EXPECT_EQ(r.out, "");
    }
}

// The fit in the JSON is the fit of the core on the same levels, and every number reads
// back to the stored Single.
TEST(SpectrumCommand, FitIsTheCoresFitOfTheLevels) {
    for (const char* type : {"beta", "weibull", "lognorm"}) {
        SCOPED_TRACE(type);
        const CliRun r = RunKarmoCli({"spectrum", CliData("six.txt"), "--levels", "3", "--fit", type, "--json"});
        ASSERT_EQ(r.code, 0) << r.err;

        AppState s;
        cli::PrepareState(s, false, false);
        DataBatch& b = s.batch();
        b.LevelCount = 3;
        b.MaxRange = 10;
        b.MinRange = 10.0f / 3.0f;
        b.LevelRange[1] = 10;
        b.LevelRange[2] = 3.33333325f + 1.0f * ((10.0f - 10.0f / 3.0f) / 2.0f);
        b.LevelRange[3] = 10.0f / 3.0f;
        b.LevelCycles[1] = b.LevelCycles[2] = b.LevelCycles[3] = 1;
        b.Volume = 3;
        s.DistributionType = cli::DistributionTypeFromName(type);
        ScriptedPrompter p;
        ASSERT_TRUE(FitDistribution(s, p));

        const std::string fit = r.out.substr(r.out.find("\"fit\":"));
        auto number = [&](const std::string& key) {
            const size_t at = fit.find("\"" + key + "\":");
            EXPECT_NE(at, std::string::npos) << key;
            return std::strtod(fit.c_str() + at + key.size() + 3, nullptr);
        };
        EXPECT_EQ(static_cast<float>(number("FitQ")), b.FitQ);
        EXPECT_EQ(static_cast<float>(number("FitR")), b.FitR);
        EXPECT_EQ(number("Q"), DisplayedFitQ(s.DistributionType, b.FitQ, 1.0f, 10.0f));
        EXPECT_EQ(number("exceedance"), ExceedanceProbability(s.DistributionType, b.FitQ, b.FitR));
        EXPECT_NE(fit.find(std::string("\"type\":\"") + type + "\""), std::string::npos);
    }
}

TEST(SpectrumCommand, MeanStressCorrectionAndItsChecks) {
    const CliRun plain = RunKarmoCli({"spectrum", CliData("six.txt"), "--levels", "3", "--json"});
    const CliRun corrected =
        RunKarmoCli({"spectrum", CliData("six.txt"), "--levels", "3", "--json", "--mse", "500,300,1"});
    ASSERT_EQ(corrected.code, 0) << corrected.err;
    // The cycles with a positive mean are enlarged: the largest range (10 about 5) grows.
    EXPECT_NE(plain.out, corrected.out);
    const size_t at = corrected.out.find("\"maxRange\":");
    EXPECT_GT(std::strtod(corrected.out.c_str() + at + 11, nullptr), 10.0);

    const CliRun refused = RunKarmoCli({"spectrum", CliData("six.txt"), "--mse", "0,300,1"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(LineCount(refused.err), 2);   // the rearrangement note and the refusal
    EXPECT_EQ(refused.out, "");

    const CliRun strain = RunKarmoCli({"spectrum", CliData("six.txt"), "--strain", "--mse", "500,300,1"});
    EXPECT_EQ(strain.code, 2);
    const CliRun shape = RunKarmoCli({"spectrum", CliData("six.txt"), "--mse", "500,300"});
    EXPECT_EQ(shape.code, 2);
    EXPECT_NE(shape.err.find("--mse takes three values"), std::string::npos);
}

TEST(SpectrumCommand, StrainAndUsUnits) {
    const CliRun strain = RunKarmoCli({"spectrum", CliData("six.txt"), "--strain", "--json", "--levels", "3"});
    ASSERT_EQ(strain.code, 0) << strain.err;
    EXPECT_NE(strain.out.find("\"quantity\":\"Strain\""), std::string::npos);
    EXPECT_EQ(strain.err, "Strain History: The Strain History has been rearranged.\n");

    // A text history in ksi is held in MPa: 10 ksi is 68.95 MPa.
    TempDir dir;
    dir.write("ksi.txt", ReadFile(CliData("six.txt")));
    const CliRun us = RunKarmoCli({"spectrum", (dir.path() / "ksi.txt").string(), "--us", "--json", "--levels", "3"});
    ASSERT_EQ(us.code, 0) << us.err;
    EXPECT_NE(us.out.find("\"max\":" + cli::JsonNumber(static_cast<float>(10 / (1 / 6.895f)))), std::string::npos)
        << us.out;
    const CliRun table = RunKarmoCli({"spectrum", (dir.path() / "ksi.txt").string(), "--us", "--levels", "3"});
    EXPECT_NE(table.out.find("  Maximum [ksi]:        10.0\n"), std::string::npos) << table.out;
}

TEST(SpectrumCommand, ConflictsAreRemovedUnlessNo) {
    const CliRun yes = RunKarmoCli({"spectrum", CliData("conflict.txt"), "--json", "--levels", "3"});
    ASSERT_EQ(yes.code, 0) << yes.err;
    EXPECT_EQ(yes.err,
              "Check Stress History: The Stress History has conflicting values at Stress index 3 Remove the conflict?\n"
              "Check Stress History: Remove all conflicts in the Stress History data?\n"
              "Stress History: The Stress History has been rearranged.\n");
    EXPECT_NE(yes.out.find("\"points\":6"), std::string::npos);

    const CliRun no = RunKarmoCli({"spectrum", CliData("conflict.txt"), "--no"});
    EXPECT_EQ(no.code, 1);
    EXPECT_EQ(no.out, "");
    EXPECT_NE(no.err.find("Please use the Correction option to correct the conflicting values."), std::string::npos);
}

}  // namespace
}  // namespace karmo::test
