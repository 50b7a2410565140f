#include "history/HistoryFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "HistoryTestData.h"
#include "core/NumberForms.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

using namespace karmo;
using namespace karmo::test;

namespace {

const std::string kReading = "Reading Stress History";
const std::string kMismatch =
    "The Stress History does not match to that one specified in the Database.\nContinue?";

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(KARMO_TEST_DATA) + "/history/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A history file: header and n values 1, -2, 3, -4, ... one per line.
std::string historyText(const std::string& title, long count, int n) {
    std::string t = "\"" + title + "\"\r\n" + std::to_string(count) + "\r\n2.5\r\n";
    for (int i = 1; i <= n; ++i) t += ListNumber(static_cast<float>(i % 2 ? i : -i)) + "\r\n";
    return t;
}

HistoryRead readText(AppState& s, Prompter& p, const std::string& text, std::string_view name = "karhs.1") {
    std::istringstream in(text);
    return ReadHistoryFile(s, p, s.CurrentBatch, in, name);
}

// A declined or failed read: the history as it was, nothing counted as loaded.
void expectUnchanged(const AppState& before, const AppState& after) {
    expectSameHistory(before, after);
    EXPECT_EQ(std::tuple(after.LoadedCount, after.ProcessedCount), std::tuple(0, 0));
}

}  // namespace

TEST(HistoryFile, WritesGoldenFileAndReadsItBack) {
    TempDir dir;
    AppState s = stateWith({120.5f, -80.25f, 60, 1.5e-05f, 100, 0.5f});
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.SaveFileName = "karhs.1";
    s.HistoryModified = true;
    s.batch().Title = "Crane hook \u00b5-gauge 3";
    s.batch().RecordTime = 12.75f;
    ScriptedPrompter p;
    int16_t ok = 0;
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_FALSE(s.HistoryModified);   // stored in the batch's own file
    EXPECT_EQ(dir.read("karhs.1"), fixture("karhs.golden"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});   // no temporary left
    s.HistoryDir = "/elsewhere";   // no longer the batch's own file: still modified
    s.HistoryModified = true;
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_TRUE(s.HistoryModified);

    AppState r;   // the database expects 7 = 6 points + closing value
    r.CurrentBatch = 1;
    r.HistoryPath = HistoryFilePath(dir.str() + "/", 1);
    r.batch().PointCount = 7;
    EXPECT_TRUE(OpenChkHFile(r, p).drawHistory);
    EXPECT_EQ(r.Values, s.Values);
    EXPECT_EQ(batchFields(r), batchFields(s));
    EXPECT_EQ(std::tuple(r.ProcessedCount, r.LoadedCount, r.HistoryShown), std::tuple(6, 6, true));
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(HistoryFile, ClosingValue) {
    struct Case { std::vector<float> values; const char* lines; } cases[] = {
        {{120, -80, 60, -40}, "5|0|120|-80|60|-40|120|"},           // starts downward: the maximum
        {{-80, 120, -40, 60}, "5|0|-80|120|-40|60|-80|"},           // starts upward: the minimum
        {{10, 10, -3, 7}, "5|0|10|10|-3|7|-3|"},                    // equal first two: upward
        {{-80, 120, -40, 60, 10, -80}, "6|0|-80|120|-40|60|10|-80|"},   // already closed
        {{120, -80, 60, -40, 30, 120}, "6|0|120|-80|60|-40|30|120|"},
        {{5}, nullptr},   // too short to close: no file the reader would take
        {{}, nullptr},
        {{7, 7}, nullptr},   // what a flat record reduces to
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.values, 2);
        s.batch().Title = "t";
        if (!c.lines) {
            EXPECT_THROW(HistoryFileText(s, 2), std::runtime_error);
            continue;
        }
        std::string text = HistoryFileText(s, 2), lines;
        ASSERT_EQ(text.substr(0, 5), "\"t\"\r\n");
        for (size_t i = 5; i < text.size(); ++i) lines += text.compare(i, 2, "\r\n") ? text[i] : (++i, '|');
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(HistoryFile, HeaderlessTextOfNineValues) {
    AppState s = oldHistory();
    s.CurrentBatch = 0;   // no database count to match
    s.batch().RecordTime = 3;
    s.TextHasHeader = 0;
    ScriptedPrompter p;   // no question: a file without header always continues
    EXPECT_EQ(readText(s, p, fixture("nine.txt"), "/data/in/nine.txt"), HistoryRead::Loaded);
    EXPECT_EQ(s.Values, (std::vector<float>{0, 1.5f, -2.5f, 3, -4, 5.25f, -6, 7, -8, 0}));
    // The extremes include the cut ninth value; no header, so the record time stays.
    EXPECT_EQ(batchFields(s), std::tuple(8, 9.0f, -8.0f, 3.0f, "nine"));
    EXPECT_EQ(std::tuple(s.LoadedCount, s.HistoryModified, s.FastDisplay), std::tuple(8, true, -1));

    struct Name { const char* file; const char* title; };   // characters, not bytes; cut to 30
    for (const Name& n : {Name{"/d/\u00e9t\u00e9 1.asc", "\u00e9t\u00e9 1"},
                          Name{"/d/0123456789012345678901234567890123456789.txt", "012345678901234567890123456789"}}) {
        AppState t;
        t.TextHasHeader = 0;
        EXPECT_EQ(readText(t, p, "1 2 3 4", n.file), HistoryRead::Loaded);
        EXPECT_EQ(t.batch().Title, n.title);
    }
}

TEST(HistoryFile, TxtFilesHoldDisplayUnits) {
    const std::string text = "\"ksi\"\r\n6\r\n1\r\n100\r\n-50\r\n1\r\n250.5\r\n-1000\r\n3\r\n";
    // x / (1/6.895) in single precision
    const std::vector<float> ksi = {0, 689.5f, -344.75f, 0x1.b947aep+2f, 0x1.afcca4p+10f, -6895.0f,
                                    0x1.4af5c4p+4f, 0};
    const std::vector<float> asIs = {0, 100, -50, 1, 250.5f, -1000, 3, 0};
    struct Case { const char* name; bool divided; } cases[] = {
        {"/d/run.txt", true}, {"/d/runtxt", true}, {"/d/run.TXT", false}, {"/d/karhs.3", false}};
    for (const Case& c : cases) {
        AppState s;
        s.StressFactor = s.QuantityFactor = static_cast<float>(1.0 / 6.895);
        ScriptedPrompter p;
        EXPECT_EQ(readText(s, p, text, c.name), HistoryRead::Loaded);
        EXPECT_EQ(s.Values, c.divided ? ksi : asIs) << c.name;
        EXPECT_EQ(s.batch().MaxValue, c.divided ? 1727.19751f : 250.5f);
    }
}

TEST(HistoryFile, OddCountTitleAndDisplayMode) {
    for (int count : {15000, 15001}) {
        AppState s;
        ScriptedPrompter p;
        // 0xB5 is the micro sign in Windows-1252; the title is cut to 30 characters.
        EXPECT_EQ(readText(s, p, historyText("\xb5" "23456789012345678901234567890abc", count, count)),
                  HistoryRead::Loaded);
        // The extremes are taken over every value read, the cut one included.
        EXPECT_EQ(batchFields(s), std::tuple(15000, count == 15001 ? 15001.0f : 14999.0f, -15000.0f, 2.5f,
                                             "\u00b5" "23456789012345678901234567890"));
        EXPECT_EQ(std::tuple(s.ProcessedCount, s.Values.size(), s.Values[15001], s.HistoryModified),
                  std::tuple(15000, 15002u, 0.0f, false));
        EXPECT_EQ(s.FastDisplay, count == 15001 ? -1 : 0);
    }
}

TEST(HistoryFile, QuestionsAndRefusals) {
    const HistoryRead L = HistoryRead::Loaded, F = HistoryRead::Failed;
    const Answer Y = Answer::Yes, N = Answer::No, O = Answer::Ok;
    const std::string can400 = "Can read 400 data points only.\nContinue?", h = "\"t\"\r\n";
    // For a batch whose database count is 11 (a 10-point history and its closing value), a file
    // matches when its length is within 1 and it starts and ends at one extreme.
    const std::string open10 = h + "11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0\r\n";
    struct Case { std::string text, message; Answer answer; HistoryRead read; int32_t points, expected = 4; } cases[] = {
        {historyText("s", 500, 400), can400, Y, L, 400, 0},
        {historyText("s", 500, 400), can400, N, HistoryRead::DeclinedShort, 0},
        {historyText("s", 2000000000, 10), "Can read 10 data points only.\nContinue?", Y, L, 10, 0},   // not allocated
        {h + "11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 5\r\n", "", O, L, 10, 11},
        {h + "10\r\n0\r\n-5 5 -4 4 -3 3 -2 2 -1 -5\r\n", "", O, L, 10, 11},   // closed at the minimum
        {h + "13\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0 1 5\r\n", kMismatch, Y, L, 12, 11},   // two too many
        {open10, kMismatch, Y, L, 10, 11},
        {open10, kMismatch, N, HistoryRead::DeclinedMismatch, 0, 11},
        {historyText("few", 2, 5), "The file announces 2 data points.\nA Stress History needs at least 3.", O, F, 0},
        {historyText("few", -5, 5), "The file announces -5 data points.\nA Stress History needs at least 3.", O, F, 0},
        {h + "5\r\n1\r\n1\r\n", "The file holds 1 data points only.\nA Stress History needs at least 2.", O, F, 0},
        {h + "5\r\n", "The file ends within its header.", O, F, 0},
        {h + "3e9\r\n1\r\n1 2 3\r\n", "The number of data points in the file header is out of range.", O, F, 0},
        {h + "five\r\n1\r\n1 2 3 4 5\r\n", "The number of data points in the file header is not a number.", O, F, 0},
        {h + "5\r\n1e39\r\n1\r\n2\r\n", "The record time in the file header is out of range.", O, F, 0},
        {h + "5\r\nsoon\r\n1 2 3 4 5\r\n", "The record time in the file header is not a number.", O, F, 0},
        {h + "5\r\n1\r\n1\r\n2\r\n1e39\r\n", "Data point 3 is out of range.", O, F, 0},
        {h + "5\r\n1\r\n1,2,abc,4,5\r\n", "Data point 3 is not a number.", O, F, 0},
        // What no history file of the program can hold: a flat record (it reduces to two equal
        // points), a range beyond a Single, an item longer than any number.
        {h + "5\r\n1\r\n3 3 3 3 3\r\n", "All 5 data points are equal.\nA Stress History needs at least 3.", O, F, 0},
        {h + "4\r\n1\r\n3e38 -3e38 3e38 -3e38\r\n", "The range of the Stress History is out of range.", O, F, 0},
        {h + "4\r\n1\r\n1 " + std::string(std::size_t{2} << 20, '5'),
         "Item 5 (\"5555555555555555555555555555555555555555...\") is too long", O, F, 0},
    };
    for (const Case& c : cases) {
        AppState s = oldHistory();
        s.batch().PointCount = s.batch().Saved.PointCount = c.expected;
        const AppState before = s;
        ScriptedPrompter p;
        if (!c.message.empty()) p.expect(kReading, c.message, c.read == F ? Icon::Exclamation : Icon::Question, c.answer);
        EXPECT_EQ(readText(s, p, c.text), c.read) << c.message;
        for (const Prompt& asked : p.asked) EXPECT_EQ(asked.buttons, c.answer == O ? Buttons::Ok : Buttons::YesNo);
        EXPECT_EQ(p.busyDepth, 0);
        if (c.read != L) {
            expectUnchanged(before, s);   // the batch keeps the count its database expects
            continue;
        }
        EXPECT_EQ(std::tuple(s.batch().PointCount, s.LoadedCount, s.Values.size(), s.HistoryModified),
                  std::tuple(c.points, c.points, c.points + 2u, !c.message.empty()));
        EXPECT_LT(s.Values.capacity(), 2000u);
        // An accepted mismatch is a new, unsaved history.
        const bool mismatch = c.message == kMismatch;
        EXPECT_EQ(s.BackupValues, mismatch ? std::vector<float>(c.points + 2u, 0.0f) : before.BackupValues);
        EXPECT_EQ(s.batch().Saved.PointCount, mismatch ? c.points + 1 : c.expected);
    }
}

TEST(HistoryFile, OpenChkHFile) {
    TempDir dir;
    dir.write("karhs.3", historyText("h", 4, 4));
    dir.write("copy", historyText("h", 4, 4));
    for (const std::string& path : {dir.str() + "/missing", dir.str()}) {   // open errors: nothing read
        AppState s = oldHistory();
        s.QuantityName = "Strain ";
        s.HistoryPath = path;
        ScriptedPrompter p;
        p.expect("Reading Strain History", path == dir.str() ? "Is a directory" : "No such file or directory",
                 Icon::Exclamation);
        const OpenHistoryResult res = OpenChkHFile(s, p);
        EXPECT_EQ(std::tuple(res.read, res.drawHistory, s.LoadedCount, s.HistoryShown),
                  std::tuple(HistoryRead::Failed, false, 4, false));
    }
    // The batch's own file while the database panel edits: an unnamed batch is named, and the
    // not-yet-stored mark counts as a modification.
    struct Case { bool ownFile, editFlag; float backup1; const char* nameBefore; const char* nameAfter; bool modified; };
    for (const Case& c : {Case{true, true, 1000000, "", "Batch 3", true}, Case{true, true, 999999, "", "Batch 3", false},
                          Case{true, true, 1000000, "Pier", "Pier", true}, Case{true, false, 1000000, "", "", false},
                          Case{false, true, 1000000, "", "", false}}) {
        AppState s;
        s.CurrentBatch = 3;
        s.HistoryDir = dir.str();
        s.HistoryPath = dir.str() + (c.ownFile ? "/karhs.3" : "/copy");
        s.DatabaseEditFlag = c.editFlag;
        s.BackupValues = {0, c.backup1, 0};
        s.batch().Name = c.nameBefore;
        s.ViewStart = 40;
        ScriptedPrompter p;
        EXPECT_TRUE(OpenChkHFile(s, p).drawHistory);
        EXPECT_EQ(std::tuple(s.batch().Name, s.HistoryModified, s.HistoryShown, s.ViewStart),
                  std::tuple(c.nameAfter, c.modified, true, 1));
    }
    AppState s;   // a declined mismatch draws nothing and moves on to the next batch
    s.CurrentBatch = 3;
    s.HistoryPath = dir.str() + "/karhs.3";
    s.batch().PointCount = 9;
    ScriptedPrompter p;
    p.expect(kReading, kMismatch, Answer::No);
    const OpenHistoryResult res = OpenChkHFile(s, p);
    EXPECT_EQ(std::tuple(res.focusNextBatch, res.drawHistory, s.HistoryShown, s.batch().PointCount),
              std::tuple(true, false, false, 9));
}

TEST(HistoryFile, FailedWriteKeepsOldFileAndReports) {
    TempDir dir;
    std::vector<float> values(2000, 1.25f);
    for (size_t i = 1; i < values.size(); i += 2) values[i] = -1.25f;
    AppState s = stateWith(values);
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.SaveFileName = "karhs.1";
    s.HistoryModified = true;
    dir.write("karhs.1", "old");

    // A file size limit makes the write fail part way, as a full disk would (tests run as
    // root, where permissions cannot make it fail).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedPrompter p;
    p.expect("Saving Stress History", std::string("karhs.1: ") + std::strerror(EFBIG), Icon::Exclamation);
    int16_t ok = 7;
    WriteHistoryFile(s, p, 1, ok);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(dir.read("karhs.1"), "old");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});
    EXPECT_EQ(std::tuple(ok, s.HistoryModified, p.busyDepth), std::tuple(7, true, 0));
}

// A history the reader would refuse is not written: the old file stays, the message names
// the point.
TEST(HistoryFile, WriterRefusesWhatItsReaderWouldRefuse) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { std::vector<float> values; float recordTime; const char* message; } cases[] = {
        {{1, -1, inf, -1}, 1, "Data point 3 of batch 1 is not a number."},
        {{1, std::numeric_limits<float>::quiet_NaN(), 1, -1}, 1, "Data point 2 of batch 1 is not a number."},
        {{4, 4, 4, 4}, 1, "All 4 data points are equal.\nA Stress History needs at least 3."},
        {{4, 4, 4, 4}, 1, nullptr},   // its minimum 1 (a dropped odd point) closes it: not flat
        {{1, -1, 1, -1}, inf, "The record time of batch 1 is not a number."},
    };
    for (const Case& c : cases) {
        TempDir dir;
        AppState s = stateWith(c.values);
        s.batch().RecordTime = c.recordTime;
        if (!c.message) s.batch().MinValue = 1;
        s.DatabaseDir = s.HistoryDir = dir.str();
        s.SaveFileName = "karhs.1";
        dir.write("karhs.1", "old");
        ScriptedPrompter p;
        if (c.message) p.expect("Saving Stress History", std::string("karhs.1: ") + c.message, Icon::Exclamation);
        int16_t ok = 7;
        WriteHistoryFile(s, p, 1, ok);
        if (!c.message) {
            EXPECT_EQ(ok, 1);
            continue;
        }
        EXPECT_EQ(std::tuple(ok, dir.read("karhs.1"), dir.entries().size()), std::tuple(7, "old", 1u)) << c.message;
    }
}

TEST(HistoryFile, RenameReplacesTargetAndReportsErrno) {
    TempDir dir;
    dir.write("karhs.3", "three");
    dir.write("karhs.2", "two");
    EXPECT_EQ(RenameHistoryFile(dir.str(), 3, 2), 0);
    EXPECT_EQ(RenameHistoryFile(dir.str() + "/", 2, 1), 0);   // no target to replace
    // A missing source fails with its errno and leaves the target as it was.
    EXPECT_EQ(RenameHistoryFile(dir.str(), 5, 1), ENOENT);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});
    EXPECT_EQ(dir.read("karhs.1"), "three");
}
