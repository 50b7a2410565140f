#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "DatabaseFixtures.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::readText;
using test::ScriptedPrompter;
using test::TempDir;

// The golden file pins the written layout: the values read from it are the ones it shows, and
// writing them gives it back byte for byte.
TEST(DatabaseFile, GoldenFileReadsAndWritesBackByteForByte) {
    std::ifstream in(std::string(KARMO_TEST_DATA) + "/database/kardt.golden", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TempDir dir;
    dir.write("kardt.dat", golden);
    AppState s;
    s.DatabaseDir = dir.str() + "/";
    s.batch(2).Title = "left from another database";
    ScriptedPrompter p;
    ASSERT_EQ(ReadDatabase(s, p), DatabaseRead::Loaded);
    EXPECT_EQ(std::tuple(s.BatchCount, s.DatabaseFormat), std::tuple(2, -3));
    const BatchRecord first{.Quantity = "Stress ", .RecordTime = 12.5f, .LevelCount = 2,
        .PointCount = 1001, .MaxValue = 250.5f, .MinValue = -120.25f, .LevelRange = {0, 300, 150.5f},
        .LevelCycles = {0, 10, 1234}, .MaxRange = 300, .MinRange = 150.5f, .Volume = 1244,
        .FitQ = 1.5f, .FitR = 0.5f, .UltimateStrength = 520, .Name = "Batch 1", .SourceType = -1,
        .YieldStrength = 400, .NotchFactor = 1.25f, .Title = {}};
    const BatchRecord second{.Quantity = "Strain ", .RecordTime = 0.001f, .MaxValue = 1.5e7f,
        .MinValue = -1e-5f, .Name = "Left, rear", .SourceQ = 2, .SourceR = 3, .SourceType = -2, .Title = {}};
    EXPECT_EQ(static_cast<const BatchRecord&>(s.batch(1)), first);
    EXPECT_EQ(static_cast<const BatchRecord&>(s.batch(2)), second);
    EXPECT_EQ(s.batch(1).Saved, first);
    EXPECT_EQ(std::tuple(s.batch(1).HasHistory, s.batch(2).HasHistory), std::tuple(true, false));
    EXPECT_EQ(DatabaseFileText(s), golden);
    s.batch(1).PointCount = 1000;       // an even count is written as the next odd one
    EXPECT_EQ(DatabaseFileText(s), golden);
    for (auto [count, written] : {std::pair{1000, 1001}, {999, 999}, {0, 0}, {-4, 0}})
        EXPECT_EQ(WrittenPointCount(count), written) << count;
}

TEST(DatabaseFile, NamesReadBackWholeAndDoubleQuotesAreRefused) {
    EXPECT_EQ(ValidateBatchName("Left, rear"), "");
    EXPECT_EQ(ValidateBatchName("6\" pipe"), "A batch name cannot contain a double quote (\").");
    // {name, read back}: one with a double quote that got into memory anyway still reads.
    for (const auto& [name, back] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {"a,b", "a,b"}, {" lead", " lead"}, {"trail ", "trail "},
             {"Straße", "Straße"}, {"\"quoted\", too", "'quoted', too"}}) {
        AppState s;
        s.BatchCount = 2;
        s.batch(1).Name = name;
        s.batch(2).Name = "second";
        ScriptedPrompter p;
        AppState r;
        ASSERT_EQ(readText(r, p, DatabaseFileText(s)), DatabaseRead::Loaded) << name;
        EXPECT_EQ(std::tuple(r.batch(1).Name, r.batch(2).Name), std::tuple(back, "second")) << name;
    }
}

// The older formats, chosen by the first value; each batch has level 1 of 100 at 10 cycles.
// Fields a format does not hold keep what the slot had (Strain, source type 7, Sy 9, Kf 3).
TEST(DatabaseFile, ReadsEveryOlderFormat) {
    const std::string body = " 5  1  400  90 -80 \r\n 100  10 \r\n 100  100  10  0  0 ";
    const std::string plain = body + "520 Old\r\n";
    std::string five = " 5 \r\n";
    for (int i = 0; i < 5; ++i) five += plain;
    struct Case {
        std::string text;
        int format, count;
        float sourceType, yield, notch;
    };
    for (const Case& c : std::vector<Case>{
             {"-4 \r\n 1 \r\n" + plain + " 1  2 -1  300  2 \r\n", -4, 1, -1, 300, 2},
             {"-2 \r\n 1 \r\n" + plain + " 1  2 -1  300  2 \r\n", -2, 1, -1, 300, 2},
             {"-1 \r\n 1 \r\n" + plain + " 1  2 -1 \r\n", -1, 1, -1, 520, 1},    // Sy = Su, Kf 1
             {"-1 \r\n 1 \r\n" + body + "1 Old\r\n 1  2 -1 \r\n", -1, 1, -1, 9, 3},  // Su <= 1
             {" 0 \r\n 1 \r\n" + plain, 0, 1, 7, 520, 1},
             {" 1 \r\n" + plain, 1, 1, 7, 520, 1},
             {five, 5, 5, 7, 520, 1}}) {    // a count without format marker
        AppState s;
        for (DataBatch& b : s.Batches)
            static_cast<BatchRecord&>(b) = BatchRecord{
                .Quantity = "Strain ", .Name = {}, .SourceType = 7, .YieldStrength = 9, .NotchFactor = 3, .Title = {}};
        ScriptedPrompter p;
        ASSERT_EQ(readText(s, p, c.text), DatabaseRead::Loaded) << c.text;
        const DataBatch& b = s.batch(c.count);
        EXPECT_EQ(std::tuple(s.DatabaseFormat, s.BatchCount, b.Quantity, b.Name, b.RecordTime, b.LevelCycles[1]),
                  std::tuple(c.format, c.count, "Stress ", "Old", 5.0f, 10)) << c.text;
        EXPECT_EQ(std::tuple(b.SourceType, b.YieldStrength, b.NotchFactor),
                  std::tuple(c.sourceType, c.yield, c.notch)) << c.text;
    }
}

// A read takes over only complete batches; a bad file changes nothing but DatabaseReadFailed.
TEST(DatabaseFile, ShortAndBadFilesKeepTheOldState) {
    const std::string batch = "\"Stress \"\r\n 1  0  0  0  0 \r\n 0  0  0  0  0  0 x\r\n 0  0  0  0  0 \r\n";
    std::string levels101 = "-3 \r\n 1 \r\n\"Stress \"\r\n 1  101  0  0  0 \r\n";
    for (int j = 0; j < 101; ++j) levels101 += " 1  1 \r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        // {text, message}: "" = a short file without message, "-" = nothing complete
        {"-3 \r\n 3 \r\n" + batch + batch + "\"Stress \"\r\n 1  0  0 ", ""},
        {"", "-"},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1 ", "-"},
        {" 0 \r\n", "-"},
        {"-3 \r\n 21 \r\n" + batch, "The Database lists 21 data batches.\nA Database holds at most 20."},
        {"-3 \r\n-1 \r\n", "The Database lists -1 data batches.\nThe number cannot be negative."},
        {levels101 + " 1  1  1  0  0  0 x\r\n 0  0  0  0  0 \r\n",
         "Data batch 1 of the Database has 101 spectrum levels.\nA data batch holds at most 100."},
        {"-3 \r\n 2 \r\n" + batch + "\"Stress \"\r\n 1 -1  0  0  0 \r\n",
         "Data batch 2 of the Database has -1 spectrum levels.\nThe number cannot be negative."},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1  0  abc  0  0 \r\n", "Data batch 1, PointCount: Item 6 (\"abc\") is not a number"},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1e39  0  0  0  0 \r\n", "Data batch 1, RecordTime: Item 4 (1E+39) is out of range"},
        {"-3 \r\n 2 \r\n" + batch + "\"Stress \"\r\n 1  0  0  0  0 \r\n 0  0  0  0  0  Inf x\r\n",
         "Data batch 2, UltimateStrength: Item 32 (\"Inf\") is not a number"},
        {"-3 \r\n 1 \r\n\"Stress \"\r\n 1  0  0  0  " + std::string(2 << 20, '0'),
         "Data batch 1, MinValue: Item 8 (\"0000000000000000000000000000000000000000...\") is too long"},
        {"40000 \r\n", "Item 1 (40000) is out of range"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        const bool failed = message.size() > 1;
        AppState s = test::database(2);
        s.DatabaseReadFailed = !failed;
        const AppState before = s;
        ScriptedPrompter p;
        if (failed) p.expect("Loading Database", message, Icon::Exclamation);
        EXPECT_EQ(readText(s, p, text), failed           ? DatabaseRead::Failed
                                        : message.empty() ? DatabaseRead::Loaded
                                                          : DatabaseRead::Empty);
        EXPECT_EQ(std::tuple(s.DatabaseReadFailed, s.BatchCount), std::tuple(failed, 2));
        EXPECT_EQ(s.DatabaseFormat, message.empty() ? -3 : 0);
        EXPECT_EQ(s.batch(3), before.batch(3));     // a short file: two batches of three
        EXPECT_TRUE(message.empty() ? s.batch(2).Name == "x" : s.Batches == before.Batches);
    }
}

// A field that is not a finite Single is never written: it would make every batch of the file
// unreadable. The save is refused, naming batch and field, and the files stay as they were.
TEST(DatabaseFile, NonFiniteFieldsAreRefusedBeforeAnythingIsWritten) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<void (*)(DataBatch&, float), const char*> cases[] = {
        {[](DataBatch& b, float v) { b.UltimateStrength = v; }, "UltimateStrength"},
        {[](DataBatch& b, float v) { b.LevelRange[2] = v; }, "LevelRange(2)"},
        {[](DataBatch& b, float v) { b.RecordTime = -v; }, "RecordTime"},
        {[](DataBatch& b, float) { b.NotchFactor = std::numeric_limits<float>::quiet_NaN(); }, "NotchFactor"},
    };
    for (const auto& [spoil, field] : cases) {
        TempDir dir;
        AppState s = test::database(2, 1, &dir);
        const auto before = histories(dir);
        const std::string kardt = dir.read("kardt.dat");
        spoil(s.batch(2), inf);
        s.DatabaseModified = true;
        ScriptedPrompter p;
        p.expect("Loading Database", std::string("Data batch 2 cannot be saved: its ") + field + " is not a number.",
                 Icon::Exclamation);
        EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Failed);
        EXPECT_EQ(std::tuple(dir.read("kardt.dat"), histories(dir), s.DatabaseModified), std::tuple(kardt, before, true));
    }
}

TEST(DatabaseFile, AFileThatCannotBeOpenedIsReportedUnderLoadingDatabase) {
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

}  // namespace
}  // namespace karmo
