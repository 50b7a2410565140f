#include <gtest/gtest.h>

#include <filesystem>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

namespace fs = std::filesystem;

// db add appends the counted spectrum as a batch with its history file; db list shows the
// stored fields; db delete renumbers.
TEST(DatabaseCommand, AddListDelete) {
    TempDir dir;
    const std::string db = (dir.path() / "db").string();   // made by the first add
    CliRun r = RunKarmoCli({"db", "add", db, CliData("six.txt"), "--levels", "3", "--name", "Six, first"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, db + ": batch 1 \"Six, first\" added (3 levels, volume 3)\n");
    // The history as stored: rotated by the count, closed with its opposite extreme.
    EXPECT_EQ(ReadFile(db + "/karhs.1"), "\"six\"\r\n7\r\n1\r\n10\r\n2\r\n8\r\n4\r\n6\r\n0\r\n10\r\n");

    r = RunKarmoCli({"db", "add", db, CliData("conflict.txt"), "--levels", "2", "--fit", "beta"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, db + ": batch 2 \"Batch 2\" added (2 levels, volume 2)\n");

    r = RunKarmoCli({"db", "list", db, "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"format\":-3,\"batches\":["
              // kardt.dat keeps 7 significant digits: 10/3 comes back as 3.333333.
              "{\"number\":1,\"name\":\"Six, first\",\"quantity\":\"Stress\",\"recordTime\":1,\"pointCount\":7,"
              "\"max\":10,\"min\":0,\"levelCount\":3,\"levels\":[{\"range\":10,\"cycles\":1},"
              "{\"range\":6.66666698,\"cycles\":1},{\"range\":3.33333302,\"cycles\":1}],\"maxRange\":10,"
              "\"minRange\":3.33333302,\"volume\":3,\"FitQ\":0,\"FitR\":0,\"SourceQ\":0,\"SourceR\":0,"
              "\"SourceType\":0,\"Su\":0,\"Sy\":0,\"Kf\":0},"
              "{\"number\":2,\"name\":\"Batch 2\",\"quantity\":\"Stress\",\"recordTime\":1,\"pointCount\":7,"
              "\"max\":10,\"min\":0,\"levelCount\":2,\"levels\":[{\"range\":10,\"cycles\":1},"
              "{\"range\":5,\"cycles\":1}],\"maxRange\":10,\"minRange\":5,\"volume\":2,\"FitQ\":1.5,"
              "\"FitR\":1.5,\"SourceQ\":0,\"SourceR\":0,\"SourceType\":0,\"Su\":0,\"Sy\":0,\"Kf\":0}]}\n");
    const std::string second = ReadFile(db + "/karhs.2");

    r = RunKarmoCli({"db", "delete", db, "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, db + ": batch 1 deleted\n");
    EXPECT_EQ(ReadFile(db + "/karhs.1"), second);
    EXPECT_FALSE(fs::exists(db + "/karhs.2"));
    r = RunKarmoCli({"db", "list", db});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Loading Database " + db + ": 1 batches\n  1  Batch 2  (Stress; 7 points, 2 levels, volume 2)\n");

    // Deleting the last batch asks whether to delete the whole database (Yes).
    r = RunKarmoCli({"db", "delete", db, "1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(LineCount(r.err), 1) << r.err;
    EXPECT_FALSE(fs::exists(db + "/kardt.dat"));
}

TEST(DatabaseCommand, RefusalsChangeNothing) {
    TempDir dir;
    const std::string db = dir.str();
    ASSERT_EQ(RunKarmoCli({"db", "add", db, CliData("six.txt")}).code, 0);
    const std::string before = ReadFile(db + "/kardt.dat");
    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const Case cases[] = {
        {{"db", "add", db, CliData("six.txt"), "--name", "The \"best\""},
         "Loading Database: "},
        {{"db", "add", db, CliData("bad.txt")}, "Reading Stress History: Data point 3 is not a number.\n"},
        {{"db", "delete", db, "2"}, "karmo-cli: " + db + " has no batch 2 (it holds 1)\n"},
        {{"report", db, "3"}, "karmo-cli: " + db + " has no batch 3 (it holds 1)\n"},
        {{"db", "list", db + "/nothing"}, "Loading Database: No such file or directory\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const CliRun r = RunKarmoCli(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(LineCount(r.err), 1) << r.err;
        EXPECT_EQ(r.err.substr(0, c.line.size()), c.line);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(ReadFile(db + "/kardt.dat"), before);
        EXPECT_FALSE(fs::exists(db + "/karhs.2"));
    }
    // A failed add to a new directory makes no directory.
    const CliRun r = RunKarmoCli({"db", "add", db + "/new", CliData("bad.txt")});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(fs::exists(db + "/new"));
}

// The summary report of the example database: the file form (Windows-1252, CR LF) and the
// printer form's text, to standard output or a file.
TEST(ReportCommand, ExampleDatabaseReports) {
    const std::string db = Example("database");
    CliRun r = RunKarmoCli({"report", db, "2", "--date", "12-06-2026"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, ReadFile(CliData("report-2.txt")));

    TempDir dir;
    const std::string file = (dir.path() / "batch3.txt").string();
    r = RunKarmoCli({"report", db, "3", "--date", "12-06-2026", "--printer", "-o", file});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(file), ReadFile(CliData("report-3-printer.txt")));

    // Batch 1 has a history: its title comes from the history file.
    r = RunKarmoCli({"report", db, "1", "--date", "12-06-2026", "-o", file});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string text = ReadFile(file);
    EXPECT_NE(text.find("Stress History: strain-gauge\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("DATA:   Axle bracket B1, test track\r\n"), std::string::npos);
    EXPECT_EQ(text.rfind("Orvex", 0), 0u);

    r = RunKarmoCli({"report", db, "2", "--date", "12-06-2026", "--us"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("[ksi]"), std::string::npos);
}

}  // namespace
}  // namespace karmo::test
