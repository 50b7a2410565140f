#include <numeric>

#include "CliTestSupport.h"
#include "FatigueOutput.h"
#include "Pipeline.h"

namespace karmo::test {
namespace {

const std::string kRearranged = "Stress History: The Stress History has been rearranged.\n";

std::vector<std::string> six(std::string command, std::vector<std::string> options) {
    options.insert(options.begin(), {command, CliData("six.txt")});
    return options;
}

// The example records, counted as "spectrum --matrix" counts them: every level's row of the
// matrix adds up to the level's cycles, with and without the mean-stress correction.
TEST(FatigueCommand, MatrixRowsAddUpToTheExampleSpectra) {
    const struct {
        const char* file;
        const char* levels;
        std::optional<std::string> mse;
    } cases[] = {{"bracket.txt", "8", std::nullopt},
                 {"strain-gauge.bin", "10", std::nullopt},
                 {"strain-gauge.bin", "12", "500,300,1.5"}};
    for (const auto& c : cases) {
        std::ostringstream err;
        cli::CliPrompter p(err, false);
        AppState s;
        cli::PrepareState(s, false, false);
        cli::LoadHistory(s, p, Example(c.file), cli::InputOptions{});
        cli::RemoveConflicts(s, p);
        s.KeepCycles = true;
        cli::SpectrumOptions o;
        o.levels = c.levels;
        o.mse = c.mse;
        const cli::CountSummary sum = cli::CountSpectrum(s, p, o);
        const RainflowMatrix m = cli::CountedMatrix(s, sum, 9);
        const DataBatch& b = s.batch();
        ASSERT_EQ(m.counts.size(), static_cast<size_t>(b.LevelCount)) << c.file;
        for (size_t i = 0; i < m.counts.size(); ++i)
            EXPECT_EQ(std::accumulate(m.counts[i].begin(), m.counts[i].end(), 0), b.LevelCycles[i + 1])
                << c.file << " level " << i + 1;
    }
}

TEST(FatigueCommand, MatrixAndDamageOutput) {
    TempDir dir;
    dir.write("untimed.txt", "\"untimed\"\r\n6\r\n0\r\n10\r\n2\r\n8\r\n4\r\n6\r\n0\r\n");
    const std::string untimed = (dir.path() / "untimed.txt").string();
    // Six points: cycles 10, 6 and 2 with mean 5 each, on the levels 10, 6.67 and 3.33.
    ExpectRuns({
        {six("spectrum", {"--levels", "3", "--matrix", "2", "--json"}), 0, kRearranged,
         "\"matrix\":{\"rangeEdges\":[11.666666,8.33333302,5,1.66666651],\"meanEdges\":[0,5,10],"
         "\"counts\":[[0,1],[0,1],[0,1]]},\"messages\""},
        {six("spectrum", {"--levels", "3", "--matrix", "2"}), 0, kRearranged,
         "Rainflow Matrix [cyc]: levels down, mean bins across\n"
         "  Mean bin                         1         2\n"
         "  Mean from [MPa]                0.0       5.0\n"
         "  Mean to [MPa]                  5.0      10.0\n"
         "  Level   Range [MPa]\n"
         "      1         10.00             0         1\n"},
        // 10 above the knee: 1000 (8/10)^3 = 512 cycles; 6.67 below it with slope 5; 3.33
        // below the cut-off.
        {six("damage", {"--levels", "3", "--sn", "3,8,1000,5,3.5", "--json"}), 0, kRearranged,
         "{\"damage\":{\"perRepetition\":0.0023550026678315493,\"repetitions\":424.6279690718078,"
         "\"hours\":7.0771328178634629,\"equivalentRange\":0.084478032311735993,\"nRef\":2000000,"
         "\"levels\":[{\"range\":10,\"cycles\":1,\"damage\":0.0019531249999999996},"
         "{\"range\":6.6666669845581055,\"cycles\":1,\"damage\":0.00040187766783154969},"
         "{\"range\":3.3333332538604736,\"cycles\":1,\"damage\":0}]}}\n",
         false, true},
        {six("damage", {"--levels", "3", "--sn", "3,8,1000,5,3.5", "--nref", "1000"}), 0, kRearranged,
         "Fatigue Damage (Palmgren-Miner):\n"
         "  S-N curve:              k = 3, SD = 8.0 MPa at ND = 1000, k2 = 5, SL = 3.5 MPa\n"
         "  Damage per repetition:  2.355e-3\n"
         "  Repetitions to failure: 424.628\n"
         "  Life [h]:               7.077\n"
         "  Equivalent range [MPa] at 1000 cycles: 1.064\n"
         "  Level   Range [MPa]       Cycles        Damage  Share [%]\n"
         "      1         10.00            1    1.95313e-3      82.94\n"
         "      2          6.67            1    4.01878e-4      17.06\n"
         "      3          3.33            1             0       0.00\n",
         false, true},
        {{"damage", "--db", Example("database"), "1", "--detail-category", "71", "--us"}, 0, "",
         "SD = 7.587 ksi at ND = 5000000, k2 = 5, SL = 4.167 ksi\n"},
        {{"damage", untimed, "--sn", "3,8,1000", "--json"}, 0,
         "Fatigue Damage: The record time is 0: the life in hours is not known.\n", "\"hours\":null"},
        {{"damage", untimed, "--sn", "3,8,1000"}, 0,
         "Fatigue Damage: The record time is 0: the life in hours is not known.\n",
         "  Life [h]:               not known (record time 0)\n"},
        {six("damage", {"--sn", "3,0,1000"}), 1,
         kRearranged + "Fatigue Damage: The S-N curve parameters must be greater than 0.\n"},
        {six("damage", {"--detail-category", "-71"}), 1,
         kRearranged + "Fatigue Damage: The S-N curve parameters must be greater than 0.\n"},
        {six("damage", {"--sn", "3,8,1000", "--nref", "0"}), 1,
         kRearranged + "Fatigue Damage: The reference number of cycles must be greater than 0.\n"},
        {{"damage", "--db", Example("database"), "4", "--sn", "3,8,1000"}, 1,
         "karmo-cli: " + Example("database") + " has no batch 4 (it holds 3)\n"},
    });
}

TEST(FatigueCommand, UsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {six("spectrum", {"--matrix", "0"}), "--matrix takes a number of mean bins from 1 to 1000, not 0"},
        {six("spectrum", {"--matrix", "2.5"}), "--matrix takes a number of mean bins from 1 to 1000, not 2.5"},
        {six("damage", {}), "damage needs --sn k,SD,ND[,k2[,SL]] or --detail-category C"},
        {six("damage", {"--sn", "3,8,1000", "--detail-category", "71"}), "give --sn or --detail-category, not both"},
        {six("damage", {"--sn", "3,8"}), "--sn takes k,SD,ND[,k2[,SL]], not 3,8"},
        {six("damage", {"--sn", "3,8,x"}), "--sn takes k,SD,ND[,k2[,SL]], not 3,8,x"},
        {six("damage", {"--sn", "3,8,1000", "--nref", "many"}), "--nref takes a number, not many"},
        {six("damage", {"--strain", "--detail-category", "71"}), "--detail-category applies to stress spectra only"},
    };
    for (const auto& [args, reason] : cases) {
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 2) << reason;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("karmo-cli: " + reason + "\n\nUsage: karmo-cli damage", 0) == 0 ||
                      r.err.rfind("karmo-cli: " + reason + "\n\nUsage: karmo-cli spectrum", 0) == 0,
                  true)
            << r.err;
    }
    const CliRun help = RunKarmoCli({"damage", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Example:\n  karmo-cli damage "), std::string::npos);
}

}  // namespace
}  // namespace karmo::test
