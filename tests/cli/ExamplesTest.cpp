#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "CliTestSupport.h"
#include "ExampleFiles.h"

namespace karmo::test {
namespace {

namespace fs = std::filesystem;

// The committed examples are exactly what tools/make-examples writes.
TEST(Examples, AreWhatTheGeneratorWrites) {
    TempDir dir;
    ASSERT_TRUE(tools::MakeExamples(dir.str()));
    for (const char* name : {"strain-gauge.asc", "strain-gauge.bin", "bracket.txt", "database/kardt.dat",
                             "database/karhs.1"}) {
        SCOPED_TRACE(name);
        const std::string made = ReadFile((dir.path() / name).string());
        EXPECT_FALSE(made.empty());
        EXPECT_TRUE(made == ReadFile(Example(name))) << "run tools/make-examples";
    }
    EXPECT_LT(fs::file_size(Example("strain-gauge.asc")), 2u << 20);
}

// The series in its two forms gives the same history and spectrum.
TEST(Examples, BothSeriesFormsCountAlike) {
    const CliRun asc = RunKarmoCli({"spectrum", Example("strain-gauge.asc"), "--levels", "12", "--fit", "weibull", "--json"});
    const CliRun bin = RunKarmoCli({"spectrum", Example("strain-gauge.bin"), "--levels", "12", "--fit", "weibull", "--json"});
    ASSERT_EQ(asc.code, 0) << asc.err;
    ASSERT_EQ(bin.code, 0) << bin.err;
    EXPECT_EQ(asc.out, bin.out);
    EXPECT_NE(asc.out.find("\"title\":\"strain-gauge\",\"points\":"), std::string::npos) << asc.out;
    EXPECT_NE(asc.out.find("\"recordTime\":3,"), std::string::npos);

    const CliRun text = RunKarmoCli({"spectrum", Example("bracket.txt"), "--json"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.err, "");   // a clean history: nothing to rearrange or correct
    EXPECT_NE(text.out.find("\"title\":\"Bracket B2, test track lap\""), std::string::npos);
}

TEST(Examples, DatabaseHoldsThreeBatchesOfEachKind) {
    const CliRun r = RunKarmoCli({"db", "list", Example("database")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Loading Database " + Example("database") +
                         ": 3 batches\n"
                         "  1  Axle bracket B1, test track  (Stress; 1197 points, 12 levels, volume 558)\n"
                         "  2  Rig block programme, 10 h  (Stress; 0 points, 8 levels, volume 438188)\n"
                         "  3  Design spectrum, Weibull  (Stress; 0 points, 15 levels, volume 1000000)\n");
}

// The built program behaves as RunCli does, exit status included.
TEST(Examples, BuiltProgramMatchesInProcessRun) {
    TempDir dir;
    const std::string out = (dir.path() / "out").string(), err = (dir.path() / "err").string();
    const std::string cmd = std::string("'") + KARMO_CLI_PATH + "' spectrum '" + Example("strain-gauge.bin") +
                            "' --levels 12 --json >'" + out + "' 2>'" + err + "'";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const CliRun inProcess = RunKarmoCli({"spectrum", Example("strain-gauge.bin"), "--levels", "12", "--json"});
    EXPECT_EQ(ReadFile(out), inProcess.out);
    EXPECT_EQ(ReadFile(err), inProcess.err);

    const std::string bad = std::string("'") + KARMO_CLI_PATH + "' spectrum '" + dir.str() + "/none.bin' 2>'" + err + "'";
    status = std::system(bad.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadFile(err), "Real Binary Stress History: No such file or directory\n");
}

}  // namespace
}  // namespace karmo::test
