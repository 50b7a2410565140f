#include <gtest/gtest.h>

#include <sstream>

#include "DatabaseFixtures.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::TempDir;
using test::readFile;
using test::fillBatch;

const std::string kGolden = std::string(KARMO_TEST_DATA) + "/database/kardt.golden";

// The two batches of the golden file.
void goldenState(AppState& s) {
    s.BatchCount = 2;
    DataBatch& a = s.batch(1);
    a.Quantity = "Stress ";
    a.RecordTime = 12.5f;
    a.LevelCount = 2;
    a.PointCount = 1000;
    a.MaxValue = 250.5f;
    a.MinValue = -120.25f;
    a.LevelRange[1] = 300;
    a.LevelCycles[1] = 10;
    a.LevelRange[2] = 150.5f;
    a.LevelCycles[2] = 1234;
    a.MaxRange = 300;
    a.MinRange = 150.5f;
    a.Volume = 1244;
    a.FitQ = 1.5f;
    a.FitR = 0.5f;
    a.UltimateStrength = 520;
    a.Name = "Batch 1";
    a.SourceType = -1;
    a.YieldStrength = 400;
    a.NotchFactor = 1.25f;
    DataBatch& b = s.batch(2);
    b.Quantity = "Strain ";
    b.RecordTime = 0.001f;
    b.MaxValue = 1.5e7f;
    b.MinValue = -1e-5f;
    b.Name = "Left, rear";
    b.SourceQ = 2;
    b.SourceR = 3;
    b.SourceType = -2;
}

DatabaseRead readText(AppState& s, Prompter& p, const std::string& text) {
    std::istringstream in(text);
    return ReadDatabaseStream(s, p, in);
}

TEST(DatabaseFile, WritesThePrintNumberLayoutByteForByte) {
    AppState s;
    goldenState(s);
    EXPECT_EQ(DatabaseFileText(s), readFile(kGolden));
}

TEST(DatabaseFile, WriteReadWriteIsByteIdentical) {
    AppState s;
    ScriptedPrompter p;
    const std::string golden = readFile(kGolden);
    ASSERT_EQ(readText(s, p, golden), DatabaseRead::Loaded);
    EXPECT_EQ(s.BatchCount, 2);
    EXPECT_EQ(s.DatabaseFormat, -3);
    EXPECT_EQ(s.batch(2).Name, "Left, rear");   // a comma in a name reads back whole
    EXPECT_EQ(s.batch(2).Quantity, "Strain ");
    EXPECT_EQ(s.batch(1).PointCount, 1001);     // the written count
    EXPECT_EQ(DatabaseFileText(s), golden);

    AppState expected;
    goldenState(expected);
    expected.batch(1).PointCount = 1001;
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(static_cast<const BatchRecord&>(s.batch(i)),
                  static_cast<const BatchRecord&>(expected.batch(i)));
        EXPECT_EQ(s.batch(i).Saved, static_cast<const BatchRecord&>(s.batch(i)));
        EXPECT_FALSE(s.batch(i).Deleted);
    }
    EXPECT_TRUE(s.batch(1).HasHistory);
    EXPECT_FALSE(s.batch(2).HasHistory);
}

TEST(DatabaseFile, NamesRoundTrip) {
    const std::vector<std::string> names = {
        "", "Batch 7", "Left, rear", "a,b,c", " leading blank", "trailing blank ",
        "Straße nach Zürich", "semi;colon", "it's", "x"};
    for (const std::string& name : names) {
        AppState s;
        s.BatchCount = 2;
        s.batch(1).Name = name;
        s.batch(2).Name = "second";
        ScriptedPrompter p;
        AppState back;
        ASSERT_EQ(readText(back, p, DatabaseFileText(s)), DatabaseRead::Loaded) << name;
        EXPECT_EQ(back.batch(1).Name, name);
        EXPECT_EQ(back.batch(2).Name, "second") << "after " << name;
        EXPECT_EQ(back.batch(2).SourceType, 0.0f);
    }
}

TEST(DatabaseFile, DoubleQuotesInNamesAreRefused) {
    EXPECT_EQ(ValidateBatchName("Left, rear"), "");
    EXPECT_EQ(ValidateBatchName("6\" pipe"), "A batch name cannot contain a double quote (\").");
    // One that got into memory anyway is still written so that the file reads back.
    AppState s;
    s.BatchCount = 2;
    s.batch(1).Name = "\"quoted\", too";
    ScriptedPrompter p;
    AppState back;
    ASSERT_EQ(readText(back, p, DatabaseFileText(s)), DatabaseRead::Loaded);
    EXPECT_EQ(back.batch(1).Name, "'quoted', too");
    EXPECT_EQ(back.BatchCount, 2);
}

TEST(DatabaseFile, WrittenPointCountIsOdd) {
    const std::vector<std::pair<int32_t, int32_t>> cases = {
        {1000, 1001}, {999, 999}, {0, 0}, {2, 3}, {1, 1}, {-4, 0}};
    for (auto [count, written] : cases) EXPECT_EQ(WrittenPointCount(count), written) << count;
    AppState s;
    s.BatchCount = 2;
    s.batch(1).PointCount = 1000;
    s.batch(2).PointCount = 999;
    const std::string text = DatabaseFileText(s);
    EXPECT_NE(text.find("\r\n 0  0  1001  0  0 \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n 0  0  999  0  0 \r\n"), std::string::npos) << text;
}

// The older formats, one batch each (level 1 of 100 at 10 cycles), chosen by the first value.
struct OldFormat {
    std::string text;
    int16_t format;
    float sourceType, yield, notch;
};

TEST(DatabaseFile, ReadsEveryOlderFormat) {
    const std::string body = " 5  1  400  90 -80 \r\n 100  10 \r\n 100  100  10  0  0 ";
    const std::vector<OldFormat> cases = {
        {"-4 \r\n 1 \r\n" + body + "520 Old\r\n 1  2 -1  300  2 \r\n", -4, -1, 300, 2},
        {"-2 \r\n 1 \r\n" + body + "520 Old\r\n 1  2 -1  300  2 \r\n", -2, -1, 300, 2},
        {"-1 \r\n 1 \r\n" + body + "520 Old\r\n 1  2 -1 \r\n", -1, -1, 520, 1},
        {" 0 \r\n 1 \r\n" + body + "520 Old\r\n", 0, 7, 520, 1},
        {" 1 \r\n" + body + "520 Old\r\n", 1, 7, 520, 1},
        // Su up to 1: Sy and Kf keep what the slot held.
        {"-1 \r\n 1 \r\n" + body + "1 Old\r\n 1  2 -1 \r\n", -1, -1, 9, 3},
    };
    for (const OldFormat& c : cases) {
        AppState s;
        s.batch(1).Quantity = "Strain ";
        s.batch(1).SourceType = 7;      // kept when the format has no source distribution
        s.batch(1).YieldStrength = 9;
        s.batch(1).NotchFactor = 3;
        ScriptedPrompter p;
        ASSERT_EQ(readText(s, p, c.text), DatabaseRead::Loaded) << c.text;
        const DataBatch& b = s.batch(1);
        EXPECT_EQ(s.DatabaseFormat, c.format);
        EXPECT_EQ(s.BatchCount, 1);
        EXPECT_EQ(b.Quantity, "Stress ");
        EXPECT_EQ(b.Name, "Old");
        EXPECT_EQ(b.LevelCount, 1);
        EXPECT_EQ(b.LevelCycles[1], 10);
        EXPECT_EQ(b.SourceType, c.sourceType) << c.text;
        EXPECT_EQ(b.YieldStrength, c.yield) << c.text;
        EXPECT_EQ(b.NotchFactor, c.notch) << c.text;
        EXPECT_EQ(b.Saved, static_cast<const BatchRecord&>(b));
    }
}

TEST(DatabaseFile, FormatMinusOneWithSu520GivesSy520AndKf1) {
    AppState s;
    ScriptedPrompter p;
    ASSERT_EQ(readText(s, p, "-1 \r\n 1 \r\n 1  0  0  0  0 \r\n 0  0  0  0  0  520 \r\n 0  0  0 \r\n"),
              DatabaseRead::Loaded);
    EXPECT_EQ(s.batch(1).YieldStrength, 520.0f);
    EXPECT_EQ(s.batch(1).NotchFactor, 1.0f);
    EXPECT_EQ(s.batch(1).Name, "");
}

TEST(DatabaseFile, FiveWithoutMarkerIsFiveBatchesOfTheOldestLayout) {
    std::string text = " 5 \r\n";
    for (int i = 1; i <= 5; ++i)
        text += " " + std::to_string(i) + "  0  0  1 -1 \r\n 0  0  0  0  0  0 Batch " +
                std::to_string(i) + "\r\n";
    AppState s;
    ScriptedPrompter p;
    ASSERT_EQ(readText(s, p, text), DatabaseRead::Loaded);
    EXPECT_EQ(s.BatchCount, 5);
    EXPECT_EQ(s.DatabaseFormat, 5);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(s.batch(i).RecordTime, static_cast<float>(i));
        EXPECT_EQ(s.batch(i).Name, "Batch " + std::to_string(i));
    }
}

TEST(DatabaseFile, AnEarlyEndKeepsTheBatchesReadCompletely) {
    AppState s;
    goldenState(s);
    std::string text = DatabaseFileText(s);
    text.replace(text.find(" 2 \r\n"), 5, " 3 \r\n");     // claims a third batch
    ScriptedPrompter p;   // no message
    AppState back;
    back.DatabaseReadFailed = true;
    ASSERT_EQ(readText(back, p, text + "\"Stress \"\r\n 1  0  0 "), DatabaseRead::Loaded);
    EXPECT_EQ(back.BatchCount, 2);
    EXPECT_FALSE(back.DatabaseReadFailed);
    EXPECT_EQ(back.batch(3), DataBatch{});      // the partial batch left no trace

    // Nothing complete: nothing is taken over.
    AppState empty;
    fillBatch(empty.batch(1), 1);
    empty.BatchCount = 1;
    const AppState before = empty;
    for (const std::string t : {"", "-3 \r\n", "-3 \r\n 1 \r\n\"Stress \"\r\n 1 ", " 0 \r\n"}) {
        EXPECT_EQ(readText(empty, p, t), DatabaseRead::Empty) << t;
        EXPECT_EQ(empty.Batches, before.Batches);
        EXPECT_EQ(empty.BatchCount, 1);
    }
}

struct BadFile {
    std::string text, message;
};

TEST(DatabaseFile, BadFilesStopWithAMessageAndKeepTheOldState) {
    const std::string batch = "\"Stress \"\r\n 1  0  0  0  0 \r\n 0  0  0  0  0  0 x\r\n 0  0  0  0  0 \r\n";
    std::string levels101 = "-3 \r\n 1 \r\n\"Stress \"\r\n 1  101  0  0  0 \r\n";
    for (int j = 0; j < 101; ++j) levels101 += " 1  1 \r\n";
    const std::vector<BadFile> cases = {
        {"-3 \r\n 21 \r\n" + batch, "The Database lists 21 data batches.\nA Database holds at most 20."},
        {"21 \r\n", "The Database lists 21 data batches.\nA Database holds at most 20."},
        {"-3 \r\n-1 \r\n", "The Database lists -1 data batches.\nThe number cannot be negative."},
        {levels101 + " 1  1  1  0  0  0 x\r\n 0  0  0  0  0 \r\n",
         "Data batch 1 of the Database has 101 spectrum levels.\nA data batch holds at most 100."},
        {"-3 \r\n 2 \r\n" + batch + "\"Stress \"\r\n 1 -1  0  0  0 \r\n",
         "Data batch 2 of the Database has -1 spectrum levels.\nThe number cannot be negative."},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1  0  abc  0  0 \r\n", "Item 6 (\"abc\") is not a number"},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1e39  0  0  0  0 \r\n", "Item 4 (1E+39) is out of range"},
        {"40000 \r\n", "Item 1 (40000) is out of range"},
    };
    for (const BadFile& c : cases) {
        AppState s;
        fillBatch(s.batch(1), 1);
        fillBatch(s.batch(2), 2);
        s.BatchCount = 2;
        s.DatabaseFormat = -3;
        const AppState before = s;
        ScriptedPrompter p;
        p.expect("Loading Database", c.message, Icon::Exclamation);
        EXPECT_EQ(readText(s, p, c.text), DatabaseRead::Failed) << c.text;
        EXPECT_TRUE(s.DatabaseReadFailed);
        EXPECT_EQ(s.Batches, before.Batches);
        EXPECT_EQ(s.BatchCount, 2);
        EXPECT_EQ(s.DatabaseFormat, -3);
    }
}

TEST(DatabaseFile, AMissingFileIsReportedUnderLoadingDatabase) {
    TempDir dir;
    AppState s;
    s.DatabaseDir = dir.str();
    ScriptedPrompter p;
    p.expect("Loading Database", "No such file or directory", Icon::Exclamation);
    EXPECT_EQ(ReadDatabase(s, p), DatabaseRead::Failed);
    EXPECT_TRUE(s.DatabaseReadFailed);

    std::filesystem::create_directory(dir.path() / "kardt.dat");
    p.expect("Loading Database", "Is a directory", Icon::Exclamation);
    EXPECT_EQ(ReadDatabase(s, p), DatabaseRead::Failed);
}

TEST(DatabaseFile, ReadsTheGoldenFileFromItsDirectory) {
    TempDir dir;
    dir.write("kardt.dat", readFile(kGolden));
    AppState s;
    s.DatabaseDir = dir.str() + "/";
    ScriptedPrompter p;
    EXPECT_EQ(ReadDatabase(s, p), DatabaseRead::Loaded);
    EXPECT_EQ(s.BatchCount, 2);
    EXPECT_FALSE(s.DatabaseReadFailed);
}

}  // namespace
}  // namespace karmo
