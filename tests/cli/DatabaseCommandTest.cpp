#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "CliTestSupport.h"
#include "ExampleFiles.h"

namespace karmo::test {
namespace {

namespace fs = std::filesystem;

// db add appends the counted spectrum as a batch with its history file; db list shows the
// stored fields; db delete renumbers, and on the last batch deletes the database (Yes).
TEST(DatabaseCommand, AddListDelete) {
    TempDir dir;
    const std::string db = (dir.path() / "db").string();  // made by the first add
    ExpectRuns({
        {{"db", "add", db, CliData("six.txt"), "--levels", "3", "--name", "Six, first"}, 0,
         "Stress History: The Stress History has been rearranged.\n",
         db + ": batch 1 \"Six, first\" added (3 levels, volume 3)\n", false, true},
        {{"db", "add", db, CliData("conflict.txt"), "--levels", "2", "--fit", "beta"}, 0, "Check Stress History: ",
         db + ": batch 2 \"Batch 2\" added (2 levels, volume 2)\n", true, true},
        // kardt.dat keeps 7 significant digits: 10/3 comes back as 3.333333.
        {{"db", "list", db, "--json"}, 0, "",
         "{\"format\":-3,\"batches\":["
         "{\"number\":1,\"name\":\"Six, first\",\"quantity\":\"Stress\",\"recordTime\":1,\"pointCount\":7,"
         "\"max\":10,\"min\":0,\"levelCount\":3,\"levels\":[{\"range\":10,\"cycles\":1},"
         "{\"range\":6.66666698,\"cycles\":1},{\"range\":3.33333302,\"cycles\":1}],\"maxRange\":10,"
         "\"minRange\":3.33333302,\"volume\":3,\"FitQ\":0,\"FitR\":0,\"SourceQ\":0,\"SourceR\":0,"
         "\"SourceType\":0,\"Su\":0,\"Sy\":0,\"Kf\":0},"
         "{\"number\":2,\"name\":\"Batch 2\",\"quantity\":\"Stress\",\"recordTime\":1,\"pointCount\":7,"
         "\"max\":10,\"min\":0,\"levelCount\":2,\"levels\":[{\"range\":10,\"cycles\":1},"
         "{\"range\":5,\"cycles\":1}],\"maxRange\":10,\"minRange\":5,\"volume\":2,\"FitQ\":1.5,"
         "\"FitR\":1.5,\"SourceQ\":0,\"SourceR\":0,\"SourceType\":0,\"Su\":0,\"Sy\":0,\"Kf\":0}]}\n",
         false, true},
    });
    // The history as stored: rotated by the count, closed with its opposite extreme.
    EXPECT_EQ(ReadFile(db + "/karhs.1"), "\"six\"\r\n7\r\n1\r\n10\r\n2\r\n8\r\n4\r\n6\r\n0\r\n10\r\n");
    const std::string second = ReadFile(db + "/karhs.2");
    ExpectRuns({{{"db", "delete", db, "1"}, 0, "", db + ": batch 1 deleted\n", false, true},
                {{"db", "list", db}, 0, "",
                 "Loading Database " + db + ": 1 batches\n  1  Batch 2  (Stress; 7 points, 2 levels, volume 2)\n",
                 false, true}});
    EXPECT_EQ(ReadFile(db + "/karhs.1"), second);
    EXPECT_FALSE(fs::exists(db + "/karhs.2"));
    ExpectRuns({{{"db", "delete", db, "1"}, 0,
                 "Write Loading Database: You have deleted all data in this Database. Press Yes to delete the "
                 "Database, or No to stop saving the Database\n"}});
    EXPECT_FALSE(fs::exists(db + "/kardt.dat"));
}

// Refused input: exit 1, one line, the database as it was; a failed add makes no directory.
TEST(DatabaseCommand, RefusalsChangeNothing) {
    TempDir dir;
    const std::string db = dir.str();
    ASSERT_EQ(RunKarmoCli({"db", "add", db, CliData("six.txt")}).code, 0);
    const std::string before = ReadFile(db + "/kardt.dat");
    ExpectRuns({
        {{"db", "add", db, CliData("six.txt"), "--name", "The \"best\""}, 1, "Loading Database: ", "", true},
        {{"db", "add", db, CliData("bad.txt")}, 1, "Reading Stress History: Data point 3 is not a number.\n"},
        {{"db", "delete", db, "2"}, 1, "karmo-cli: " + db + " has no batch 2 (it holds 1)\n"},
        {{"report", db, "3"}, 1, "karmo-cli: " + db + " has no batch 3 (it holds 1)\n"},
        {{"db", "list", db + "/nothing"}, 1, "Loading Database: No such file or directory\n"},
        {{"db", "add", db + "/new", CliData("bad.txt")}, 1, "Reading Stress History: ", "", true},
    });
    EXPECT_EQ(ReadFile(db + "/kardt.dat"), before);
    EXPECT_FALSE(fs::exists(db + "/karhs.2") || fs::exists(db + "/new"));
}

// Values no Single holds are refused under the dialog's title before anything is written, so
// the database that had a batch before still reads; the report checks its date.
TEST(DatabaseCommand, ValuesNoSingleHoldsNeverReachTheDatabase) {
    TempDir dir;
    const std::string db = dir.str();
    ASSERT_EQ(RunKarmoCli({"db", "add", db, Example("bracket.txt")}).code, 0);
    const std::string before = ReadFile(db + "/kardt.dat"), history = ReadFile(db + "/karhs.1");
    const auto add = [&](const char* mse) {
        return std::vector<std::string>{"db", "add", db, Example("bracket.txt"), "--mse", mse};
    };
    ExpectRuns({
        {add("1e39,1,1"), 1, "Mean Stress Effect: The Ultimate Strength is out of range\n"},
        {add("500,300,1e39"), 1, "Mean Stress Effect: The Stress Concentration Factor is out of range\n"},
        {add("500,1e39,1.5"), 1, "Mean Stress Effect: The Yield Strength is out of range\n"},
        {{"report", db, "1", "--date", "02-30-2020"}, 2, "karmo-cli: --date takes MM-DD-YYYY, not 02-30-2020\n", "", true},
        {{"report", db, "1", "--date", "02-29-2020"}, 0, "", "02-29-2020"},
        {{"db", "list", db}, 0, "", "1 batches"},
    });
    EXPECT_EQ(ReadFile(db + "/kardt.dat"), before);
    EXPECT_EQ(ReadFile(db + "/karhs.1"), history);
    EXPECT_FALSE(fs::exists(db + "/karhs.2"));
}

// The summary report of the example database: the file form (Windows-1252, CR LF) and the
// printer form's text, to standard output or a file; a history batch takes its title from
// its history file; a stored batch keeps the blank line after its mean-stress lines.
TEST(ReportCommand, ExampleDatabaseReports) {
    const std::string db = Example("database");
    TempDir dir;
    const std::string file = (dir.path() / "report.txt").string();
    ExpectRuns({{{"report", db, "2", "--date", "12-06-2026"}, 0, "", ReadFile(CliData("report-2.txt")), false, true},
                {{"report", db, "2", "--date", "12-06-2026", "--us"}, 0, "", "[ksi]"},
                {{"report", db, "3", "--date", "12-06-2026", "--printer", "-o", file}, 0, "", "", false, true}});
    EXPECT_EQ(ReadFile(file), ReadFile(CliData("report-3-printer.txt")));
    ASSERT_EQ(RunKarmoCli({"report", db, "1", "--date", "12-06-2026", "-o", file}).code, 0);
    EXPECT_EQ(ReadFile(file), ReadFile(CliData("report-1.txt")));
}

// The committed examples are exactly what tools/make-examples writes; the series in its two
// forms counts alike; the database holds one batch of each kind.
TEST(Examples, AreWhatTheGeneratorWritesAndCountAlike) {
    TempDir dir;
    ASSERT_TRUE(tools::MakeExamples(dir.str()));
    for (const char* name : {"strain-gauge.asc", "strain-gauge.bin", "bracket.txt", "database/kardt.dat",
                             "database/karhs.1"}) {
        const std::string made = ReadFile((dir.path() / name).string());
        EXPECT_TRUE(!made.empty() && made == ReadFile(Example(name))) << name << ": run tools/make-examples";
    }
    const auto count = [](const std::string& name) {
        return std::vector<std::string>{"spectrum", Example(name), "--levels", "12", "--fit", "weibull", "--json"};
    };
    const CliRun fromAsc = RunKarmoCli(count("strain-gauge.asc"));
    ASSERT_EQ(fromAsc.code, 0) << fromAsc.err;
    EXPECT_EQ(fromAsc.out, RunKarmoCli(count("strain-gauge.bin")).out);
    ExpectRuns({
        {count("strain-gauge.asc"), 0, fromAsc.err, "\"title\":\"strain-gauge\",\"points\":"},
        // A clean history: nothing to rearrange or correct.
        {{"spectrum", Example("bracket.txt"), "--json"}, 0, "", "\"title\":\"Bracket B2, test track lap\""},
        {{"db", "list", Example("database")}, 0, "",
         "Loading Database " + Example("database") + ": 3 batches\n"
         "  1  Axle bracket B1, test track  (Stress; 1197 points, 12 levels, volume 558)\n"
         "  2  Rig block programme, 10 h  (Stress; 0 points, 8 levels, volume 438188)\n"
         "  3  Design spectrum, Weibull  (Stress; 0 points, 15 levels, volume 1000000)\n", false, true},
    });
}

// The built program behaves as RunCli does, exit status included.
TEST(Examples, BuiltProgramMatchesInProcessRun) {
    TempDir dir;
    const std::string out = dir.str() + "/out", err = dir.str() + "/err";
    for (const std::string& input : {Example("strain-gauge.bin"), dir.str() + "/none.bin"}) {
        const std::string cmd = std::string("'") + KARMO_CLI_PATH + "' spectrum '" + input +
                                "' --levels 12 --json >'" + out + "' 2>'" + err + "'";
        const int status = std::system(cmd.c_str());
        const CliRun inProcess = RunKarmoCli({"spectrum", input, "--levels", "12", "--json"});
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), inProcess.code);
        EXPECT_EQ(inProcess.code, input == Example("strain-gauge.bin") ? 0 : 1);
        EXPECT_EQ(ReadFile(out), inProcess.out);
        EXPECT_EQ(ReadFile(err), inProcess.err);
    }
}

}  // namespace
}  // namespace karmo::test
