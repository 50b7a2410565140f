#include "history/HistoryFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
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
    EXPECT_EQ(after.LoadedCount, 0);
    EXPECT_EQ(after.ProcessedCount, 0);
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
    s.HistoryDir = "/elsewhere";   // not the batch's own file: still modified
    s.HistoryModified = true;
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_TRUE(s.HistoryModified);

    AppState r;   // the database expects 7 = 6 points + closing value
    r.CurrentBatch = 1;
    r.HistoryPath = HistoryFilePath(dir.str() + "/", 1);
    r.batch().PointCount = 7;
    const OpenHistoryResult res = OpenChkHFile(r, p);
    EXPECT_EQ(res.read, HistoryRead::Loaded);
    EXPECT_TRUE(res.drawHistory);
    EXPECT_EQ(r.Values, s.Values);
    EXPECT_EQ(r.batch().Title, s.batch().Title);
    EXPECT_EQ(r.batch().RecordTime, 12.75f);
    EXPECT_EQ(r.batch().MaxValue, 120.5f);
    EXPECT_EQ(r.batch().MinValue, -80.25f);
    EXPECT_EQ(r.ProcessedCount, 6);
    EXPECT_EQ(r.LoadedCount, 6);
    EXPECT_TRUE(r.HistoryShown);
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(HistoryFile, ClosingValue) {
    struct Case { std::vector<float> values; const char* lines; } cases[] = {
        {{120, -80, 60, -40}, "5|0|120|-80|60|-40|120|"},           // starts downward: the maximum
        {{-80, 120, -40, 60}, "5|0|-80|120|-40|60|-80|"},           // starts upward: the minimum
        {{10, 10, -3, 7}, "5|0|10|10|-3|7|-3|"},                    // equal first two: upward
        {{-80, 120, -40, 60, 10, -80}, "6|0|-80|120|-40|60|10|-80|"},   // already closed
        {{120, -80, 60, -40, 30, 120}, "6|0|120|-80|60|-40|30|120|"},
        {{5}, "1|0|5|"},   // too short to close
        {{}, "0|0|"},
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.values, 2);
        s.batch().Title = "t";
        std::string text = HistoryFileText(s, 2), lines;
        ASSERT_EQ(text.substr(0, 5), "\"t\"\r\n");
        for (size_t i = 5; i < text.size(); ++i) lines += text.compare(i, 2, "\r\n") ? text[i] : (++i, '|');
        EXPECT_EQ(lines, c.lines);
        if (c.values.size() < 4) continue;
        // Read back: the closing value is cut again as the odd point.
        AppState r;
        r.CurrentBatch = 2;
        ScriptedPrompter p;
        EXPECT_EQ(readText(r, p, text), HistoryRead::Loaded) << c.lines;
        EXPECT_EQ(r.Values, s.Values) << c.lines;
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
    EXPECT_EQ(s.batch().PointCount, 8);
    EXPECT_EQ(s.batch().Title, "nine");
    EXPECT_EQ(s.batch().RecordTime, 3);   // no header: the record time stays
    EXPECT_EQ(s.batch().MaxValue, 9);     // the extremes include the cut ninth value
    EXPECT_EQ(s.batch().MinValue, -8);
    EXPECT_EQ(s.LoadedCount, 8);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(s.FastDisplay, -1);         // announced as 1000000 values

    struct Case { const char* name; const char* title; } titles[] = {
        {"/d/\u00e9t\u00e9 1.asc", "\u00e9t\u00e9 1"},   // characters, not bytes
        {"/d/0123456789012345678901234567890123456789.txt", "012345678901234567890123456789"},
    };
    for (const Case& c : titles) {
        AppState t;
        t.TextHasHeader = 0;
        EXPECT_EQ(readText(t, p, "1 2 3 4", c.name), HistoryRead::Loaded);
        EXPECT_EQ(t.batch().Title, c.title);
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

TEST(HistoryFile, ShortFileAsksWhetherToContinue) {
    struct Case { long claimed; int present; Answer answer; } cases[] = {
        {500, 400, Answer::Yes}, {500, 400, Answer::No},
        {2000000000, 10, Answer::Yes},   // a huge claim is not allocated
    };
    for (const Case& c : cases) {
        AppState s = oldHistory();
        if (c.answer == Answer::Yes) s.CurrentBatch = 0;   // no database count: no second question
        const AppState before = s;
        ScriptedPrompter p;
        p.expect(kReading, "Can read " + std::to_string(c.present) + " data points only.\nContinue?",
                 Icon::Question, c.answer);
        const HistoryRead got = readText(s, p, historyText("short", c.claimed, c.present));
        EXPECT_EQ(p.asked.at(0).buttons, Buttons::YesNo);
        if (c.answer == Answer::No) {
            EXPECT_EQ(got, HistoryRead::DeclinedShort);
            expectUnchanged(before, s);
            continue;
        }
        EXPECT_EQ(got, HistoryRead::Loaded);
        EXPECT_EQ(s.batch().PointCount, c.present);
        EXPECT_EQ(s.LoadedCount, c.present);
        EXPECT_EQ(s.Values.size(), static_cast<size_t>(c.present) + 2);
        EXPECT_EQ(s.Values[static_cast<size_t>(c.present)], static_cast<float>(-c.present));
        EXPECT_LT(s.Values.capacity(), 2000u);
        EXPECT_TRUE(s.HistoryModified);
    }
}

TEST(HistoryFile, OddCountTitleAndDisplayMode) {
    for (int count : {15000, 15001}) {
        AppState s;
        ScriptedPrompter p;
        // 0xB5 is the micro sign in Windows-1252; the title is cut to 30 characters.
        EXPECT_EQ(readText(s, p, historyText("\xb5" "23456789012345678901234567890abc", count, count)),
                  HistoryRead::Loaded);
        EXPECT_EQ(s.batch().Title, "\u00b5" "23456789012345678901234567890");
        EXPECT_EQ(s.batch().PointCount, 15000);
        EXPECT_EQ(s.ProcessedCount, 15000);
        EXPECT_EQ(s.Values.size(), 15002u);
        EXPECT_EQ(s.Values[15001], 0.0f);                              // the cut point is not kept
        EXPECT_EQ(s.batch().MaxValue, count == 15001 ? 15001 : 14999);   // over every value read
        EXPECT_EQ(s.FastDisplay, count == 15001 ? -1 : 0);
        EXPECT_FALSE(s.HistoryModified);
    }
}

TEST(HistoryFile, RefusedAndFailedReadsChangeNothing) {
    struct Case { std::string text, message; } cases[] = {
        {historyText("few", 2, 5), "The file announces 2 data points.\nA Stress History needs at least 3."},
        {historyText("few", -5, 5), "The file announces -5 data points.\nA Stress History needs at least 3."},
        {"\"t\"\r\n5\r\n1\r\n1\r\n", "The file holds 1 data points only.\nA Stress History needs at least 2."},
        {"\"t\"\r\n5\r\n", "The file ends within its header."},
        {"\"t\"\r\n3e9\r\n1\r\n1\r\n2\r\n3\r\n", "The number of data points in the file header is out of range."},
        {"\"t\"\r\nfive\r\n1\r\n1 2 3 4 5\r\n", "The number of data points in the file header is not a number."},
        {"\"t\"\r\n5\r\n1e39\r\n1\r\n2\r\n", "The record time in the file header is out of range."},
        {"\"t\"\r\n5\r\nsoon\r\n1 2 3 4 5\r\n", "The record time in the file header is not a number."},
        {"\"t\"\r\n5\r\n1\r\n1\r\n2\r\n1e39\r\n", "Data point 3 is out of range."},
        {"\"t\"\r\n5\r\n1\r\n1,2,abc,4,5\r\n", "Data point 3 is not a number."},
    };
    for (const Case& c : cases) {
        AppState s = oldHistory();
        const AppState before = s;
        ScriptedPrompter p;
        p.expect(kReading, c.message, Icon::Exclamation);
        EXPECT_EQ(readText(s, p, c.text), HistoryRead::Failed) << c.message;
        expectUnchanged(before, s);
        EXPECT_EQ(p.busyDepth, 0);
    }
}

TEST(HistoryFile, DatabaseMismatch) {
    // The database expects 11 (a 10-point history and its closing value): a file matches when
    // its length is within 1 and it starts and ends at one extreme.
    struct Case { const char* values; bool mismatch; } cases[] = {
        {"11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 5", false},
        {"10\r\n0\r\n-5 5 -4 4 -3 3 -2 2 -1 -5", false},   // closed at the minimum
        {"13\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0 1 5", true},   // two too many
        {"11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0", true},       // not closed
    };
    for (const Case& c : cases) {
        for (Answer answer : {Answer::Yes, Answer::No}) {
            if (!c.mismatch && answer == Answer::No) continue;
            AppState s = oldHistory();
            s.batch().PointCount = s.batch().Saved.PointCount = 11;
            const AppState before = s;
            ScriptedPrompter p;
            if (c.mismatch) p.expect(kReading, kMismatch, Icon::Question, answer);
            const HistoryRead got = readText(s, p, std::string("\"a\"\r\n") + c.values + "\r\n");
            if (answer == Answer::No) {
                EXPECT_EQ(got, HistoryRead::DeclinedMismatch);
                expectUnchanged(before, s);
                continue;
            }
            EXPECT_EQ(got, HistoryRead::Loaded) << c.values;
            const int32_t n = s.batch().PointCount;
            EXPECT_EQ(s.HistoryModified, c.mismatch);
            // An accepted mismatch is a new, unsaved history.
            EXPECT_EQ(s.BackupValues, c.mismatch ? std::vector<float>(n + 2u, 0.0f) : before.BackupValues);
            EXPECT_EQ(s.batch().Saved.PointCount, c.mismatch ? n + 1 : 11);
        }
    }
}

TEST(HistoryFile, OpenChkHFile) {
    TempDir dir;
    dir.write("karhs.3", historyText("h", 4, 4));
    dir.write("copy", historyText("h", 4, 4));
    // Open errors: a message under the quantity's title, nothing read.
    for (const std::string& path : {dir.str() + "/missing", dir.str()}) {
        AppState s = oldHistory();
        s.QuantityName = "Strain ";
        s.HistoryPath = path;
        ScriptedPrompter p;
        p.expect("Reading Strain History", path == dir.str() ? "Is a directory" : "No such file or directory",
                 Icon::Exclamation);
        const OpenHistoryResult res = OpenChkHFile(s, p);
        EXPECT_EQ(res.read, HistoryRead::Failed);
        EXPECT_FALSE(res.drawHistory);
        EXPECT_EQ(s.LoadedCount, 4);
        EXPECT_FALSE(s.HistoryShown);
    }
    // The batch's own file while the database panel edits names the batch and keeps the
    // not-yet-stored mark as a modification.
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
        const OpenHistoryResult res = OpenChkHFile(s, p);
        EXPECT_TRUE(res.drawHistory);
        EXPECT_EQ(s.batch().Name, c.nameAfter);
        EXPECT_EQ(s.HistoryModified, c.modified);
        EXPECT_TRUE(s.HistoryShown);
        EXPECT_EQ(s.ViewStart, 1);
    }
    // A declined mismatch draws nothing and moves on to the next batch.
    AppState s;
    s.CurrentBatch = 3;
    s.HistoryPath = dir.str() + "/karhs.3";
    s.batch().PointCount = 9;
    ScriptedPrompter p;
    p.expect(kReading, kMismatch, Answer::No);
    const OpenHistoryResult res = OpenChkHFile(s, p);
    EXPECT_TRUE(res.focusNextBatch);
    EXPECT_FALSE(res.drawHistory);
    EXPECT_FALSE(s.HistoryShown);
    EXPECT_EQ(s.batch().PointCount, 9);
}

TEST(HistoryFile, FailedWriteKeepsOldFileAndReports) {
    TempDir dir;
    AppState s = stateWith(std::vector<float>(2000, 1.25f));
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.SaveFileName = "karhs.1";
    s.HistoryModified = true;
    const std::string old = historyText("old", 4, 4);
    dir.write("karhs.1", old);

    // A file size limit makes the write fail part way, as a full disk would (root ignores
    // permissions, so they cannot make it fail).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedPrompter p;
    p.expect("Saving Stress History", std::strerror(EFBIG), Icon::Exclamation);
    int16_t ok = 7;
    WriteHistoryFile(s, p, 1, ok);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(dir.read("karhs.1"), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});

    s.DatabaseDir = dir.str() + "/gone";
    p.expect("Saving Stress History", "No such file or directory", Icon::Exclamation);
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_EQ(ok, 7);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(p.busyDepth, 0);
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
