#include <cstdlib>

#include "CliTestSupport.h"
#include "JsonWriter.h"
#include "Pipeline.h"
#include "distribution/DistributionFit.h"
#include "distribution/Exceedance.h"
#include "support/ScriptedPrompter.h"

namespace karmo::test {
namespace {

const std::string kRearranged = "Stress History: The Stress History has been rearranged.\n";

std::vector<std::string> spectrum(std::vector<std::string> options, const std::string& input = "six.txt") {
    options.insert(options.begin(), {"spectrum", CliData(input)});
    return options;
}

std::vector<std::string> synth(const std::string& type, const std::string& q, const std::string& r,
                               const std::string& max, const std::string& min, const std::string& levels,
                               const std::string& volume) {
    return {"synth", "--type", type, "--q", q, "--r", r, "--max", max, "--min", min, "--levels", levels,
            "--volume", volume, "--json"};
}

// The counting example 0, 10, 2, 8, 4, 6: rotated to 10, 2, 8, 4, 6, 0, ranges 2, 6, 10.
// Three levels from 10 down to 10/3 hold one cycle each; 9 digits read back to the Single.
TEST(SpectrumCommand, SixPointHistoryAsJsonAndTable) {
    ExpectRuns({
        {spectrum({"--levels", "3", "--json"}), 0, kRearranged,
         "{\"history\":{\"title\":\"six\",\"points\":6,\"max\":10,\"min\":0,\"recordTime\":1,\"quantity\":\"Stress\"},"
         "\"counting\":{\"cycles\":3,\"maxRange\":10,\"minCountedRange\":2,\"rearranged\":true},"
         "\"spectrum\":{\"levelCount\":3,\"maxRange\":10,\"minRange\":3.33333325,\"volume\":3,"
         "\"omitted\":0,\"levels\":[{\"range\":10,\"cycles\":1},{\"range\":6.66666698,\"cycles\":1},"
         "{\"range\":3.33333325,\"cycles\":1}]},\"messages\":[{\"title\":\"Stress History\","
         "\"text\":\"The Stress History has been rearranged.\"}]}\n",
         false, true},
        {spectrum({"--levels", "3"}), 0, kRearranged,
         "Stress History: six\n  Number of points:     6\n  Maximum [MPa]:        10.0\n"
         "  Minimum [MPa]:        0.0\n  Record time [min]:    1.0\n"
         "Rainflow counting: (history rearranged)\n  Cycles counted:       3\n  Largest range:        10.0\n"
         "  Smallest range:       2.0\n  Mean stress:          DMSE(-)  \nStress Spectrum:\n"
         "  No. of Levels:        3\n  Maximum Range [MPa]:  10.0\n  Minimum Range [MPa]:  3.333\n"
         "  Volume [cyc]:         3\n  Omitted cycles:       0\n  Level   Range [MPa]       Cycles\n"
         "      1         10.00            1\n      2          6.67            1\n      3          3.33            1\n",
         false, true},
    });
    EXPECT_EQ(std::strtof("3.33333325", nullptr), 10.0f / 3.0f);
}

// Levels and smallest range: the dialog's proposals, or the values given, refused or
// corrected with the dialog's words. Strain, ksi, conflicts and the mean-stress effect.
TEST(SpectrumCommand, OptionsAndTheirRefusals) {
    const std::string params = kRearranged + "Stress Spectrum Params: ";
    TempDir dir;
    dir.write("ksi.txt", ReadFile(CliData("six.txt")));
    const std::string ksi = (dir.path() / "ksi.txt").string();
    ExpectRuns({
        // Six points: at most 3 levels proposed (half the points).
        {spectrum({"--json"}), 0, kRearranged, "\"levelCount\":3,\"maxRange\":10,\"minRange\":3.33333325"},
        {spectrum({"--json", "--levels", "2"}), 0, kRearranged,
         "\"levelCount\":2,\"maxRange\":10,\"minRange\":5,\"volume\":2,\"omitted\":1"},
        // Below the lower limit: raised to it (Max/L - 0.0005), with the note.
        {spectrum({"--json", "--levels", "1", "--min-range", "0.5"}), 0,
         params + "The minimum Stress range should not be less than 10.0 MPa\n", "\"minRange\":9.99950027"},
        // One level and no smallest range given: the lower limit, the value the dialog takes.
        {spectrum({"--json", "--levels", "1"}), 0, kRearranged, "\"levelCount\":1,\"maxRange\":10,\"minRange\":9.99950027"},
        // Scaled beyond a Single (the largest range of the example would be 4.7E+38).
        {{"spectrum", Example("bracket.txt"), "--scale", "1e36"}, 1,
         "Stress History: The rescaled Stress History is out of range\n"},
        {spectrum({"--levels", "2", "--min-range", "10"}), 1,
         params + "The minimum Stress range should be less than 10.0\n"},
        {spectrum({"--levels", "4"}), 1,
         kRearranged + "Stress Spectrum params: The max number of Stress levels is 3\n"},
        {spectrum({"--strain", "--json", "--levels", "3"}), 0,
         "Strain History: The Strain History has been rearranged.\n", "\"quantity\":\"Strain\""},
        // A text history in ksi is held in MPa: 10 ksi is 68.95 MPa.
        {{"spectrum", ksi, "--us", "--json"}, 0, kRearranged,
         "\"max\":" + cli::JsonNumber(static_cast<float>(10 / (1 / 6.895f)))},
        {{"spectrum", ksi, "--us"}, 0, kRearranged, "  Maximum [ksi]:        10.0\n"},
        {spectrum({"--json", "--levels", "3"}, "conflict.txt"), 0,
         "Check Stress History: The Stress History has conflicting values at Stress index 3 Remove the conflict?\n"
         "Check Stress History: Remove all conflicts in the Stress History data?\n" + kRearranged, "\"points\":6"},
        {spectrum({"--no"}, "conflict.txt"), 1,
         "Check Stress History: The Stress History has conflicting values at Stress index 3 Remove the conflict?\n" +
             kRearranged +
             "Check Stress History: The Stress History has conflicting values at Stress index 2 Remove the conflict?\n"
             "Stress History: Please use the Correction option to correct the conflicting values.\n"},
        // The mean-stress effect enlarges the cycles with a positive mean (10 about 5 grows);
        // the dialog's refusal ends the run; strain or a wrong count of values is a usage error.
        {spectrum({"--levels", "3", "--json", "--mse", "500,300,1"}), 0, kRearranged,
         "\"counting\":{\"cycles\":3,\"maxRange\":10.1010103,\"minCountedRange\":2.02020192"},
        {spectrum({"--mse", "0,300,1"}), 1,
         kRearranged + "Mean Stress Effect: The Ultimate Strength must be greater than 0\n"},
        {spectrum({"--strain", "--mse", "500,300,1"}), 2, "karmo-cli: ", "", true},
        {spectrum({"--mse", "500,300"}), 2, "karmo-cli: --mse takes three values", "", true},
    });
}

// The fit in the JSON is the core's fit of the same levels, every number as stored.
TEST(SpectrumCommand, FitIsTheCoresFitOfTheLevels) {
    for (const char* type : {"beta", "weibull", "lognorm"}) {
        SCOPED_TRACE(type);
        const CliRun r = RunKarmoCli(spectrum({"--levels", "3", "--fit", type, "--json"}));
        ASSERT_EQ(r.code, 0) << r.err;
        AppState s;
        cli::PrepareState(s, false, false);
        DataBatch& b = s.batch();
        b.LevelCount = 3;
        b.MaxRange = b.LevelRange[1] = 10;
        b.MinRange = b.LevelRange[3] = 10.0f / 3.0f;
        b.LevelRange[2] = 3.33333325f + (10.0f - 10.0f / 3.0f) / 2.0f;
        b.LevelCycles[1] = b.LevelCycles[2] = b.LevelCycles[3] = 1;
        b.Volume = 3;
        s.DistributionType = cli::DistributionTypeFromName(type);
        ScriptedPrompter p;
        ASSERT_TRUE(FitDistribution(s, p));
        const std::string json = cli::JsonNumber(b.FitQ) + ",\"FitR\":" + cli::JsonNumber(b.FitR) + ",\"Q\":" +
                                 cli::JsonNumber(DisplayedFitQ(s.DistributionType, b.FitQ, 1.0f, 10.0f)) + ",\"R\":" +
                                 cli::JsonNumber(b.FitR) + ",\"exceedance\":" +
                                 cli::JsonNumber(ExceedanceProbability(s.DistributionType, b.FitQ, b.FitR)) + "}";
        EXPECT_NE(r.out.find(std::string("\"fit\":{\"type\":\"") + type + "\",\"FitQ\":" + json), std::string::npos)
            << r.out;
    }
}

// Weibull Q = 50, R = 2 on 100, 60, 20 with volume 10: 2, 8, 0; the empty last level goes.
TEST(SynthCommand, ExamplesAndRefusedValues) {
    const std::string params = "Stress Spectrum Params: ", edit = "Edit Beta Parameters: ";
    ExpectRuns({
        {synth("weibull", "50", "2", "100", "20", "3", "10"), 0,
         "Editing Stress Spectrum: 1 last spectrum levels with 0 cycles have been removed.\n",
         "{\"source\":{\"type\":\"weibull\",\"SourceQ\":50,\"SourceR\":2,\"SourceType\":-1},"
         "\"spectrum\":{\"levelCount\":2,\"maxRange\":100,\"minRange\":60,\"volume\":10,\"omitted\":0,"
         "\"levels\":[{\"range\":100,\"cycles\":2},{\"range\":60,\"cycles\":8}]},"
         "\"messages\":[{\"title\":\"Editing Stress Spectrum\","
         "\"text\":\"1 last spectrum levels with 0 cycles have been removed.\"}]}\n",
         false, true},
        {{"synth", "--type", "lognorm", "--q", "3.5", "--r", "0.6", "--max", "200", "--min", "20", "--levels", "10",
          "--volume", "100000"},
         0, "", "Source: (Log-norm) Distribution\n  Q = 3.5   R = 0.6\nStress Spectrum:\n"},
        // Beta 1.8, 1.8 spreads the volume of 8 cycles over 7 levels.
        {synth("beta", "1.8", "1.8", "100", "60", "8", "8"), 0,
         "Editing Stress Spectrum: 1 last spectrum levels with 0 cycles have been removed.\n",
         "\"SourceType\":0},\"spectrum\":{\"levelCount\":7,\"maxRange\":100,\"minRange\":65.7142868,\"volume\":8"},
        {synth("beta", "2", "2", "100", "20", "5", "1"), 1, params + "The spectrum volume must be greater than 1\n"},
        {synth("beta", "2", "2", "100", "20", "101", "100000"), 1,
         "Stress Spectrum params: The max number of Stress levels is 100\n"},
        {synth("beta", "2", "2", "100", "100", "5", "100"), 1,
         params + "The maximum Stress range should not be less than 100.0 \n"},
        {synth("beta", "0", "2", "100", "20", "5", "100"), 1, edit + "The value of Q must be greater than 0\n"},
        {synth("lognorm", "5", "1", "100", "20", "5", "100"), 1, edit + "The value of Q must be smaller than 0\n"},
    });
}

}  // namespace
}  // namespace karmo::test
