#include "history/HistoryFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/NumberForms.h"
#include "support/TempDir.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::TempDir;

namespace {

const std::string kReading = "Reading Stress History";
const std::string kSaving = "Saving Stress History";

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(KARMO_TEST_DATA) + "/history/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A history file text: header and values one per line.
std::string historyText(const std::string& title, long count, int n, float first = 1.0f) {
    std::string t = "\"" + title + "\"\r\n" + std::to_string(count) + "\r\n2.5\r\n";
    for (int i = 0; i < n; ++i) t += ListNumber(i % 2 ? -first - i : first + i) + "\r\n";
    return t;
}

HistoryRead readText(AppState& s, Prompter& p, const std::string& text,
                     std::string_view name = "karhs.1") {
    std::istringstream in(text);
    return ReadHistoryFile(s, p, s.CurrentBatch, in, name);
}

// A current batch 1 holding a loaded history of four points.
AppState loadedState() {
    AppState s;
    s.CurrentBatch = 1;
    DataBatch& b = s.batch();
    b.Title = "old";
    b.PointCount = 4;
    b.RecordTime = 9;
    b.MaxValue = 4;
    b.MinValue = -3;
    s.Values = {0, 4, -3, 2, -1, 0};
    s.BackupValues = {0, 1000000, 0};
    s.ProcessedCount = 4;
    s.LoadedCount = 4;
    return s;
}

// A declined or failed read leaves the history and the batch as they were.
void expectUnchanged(const AppState& before, const AppState& after) {
    EXPECT_EQ(after.Values, before.Values);
    EXPECT_EQ(after.BackupValues, before.BackupValues);
    EXPECT_EQ(static_cast<const BatchRecord&>(after.batch()),
              static_cast<const BatchRecord&>(before.batch()));
    EXPECT_EQ(after.batch().Saved, before.batch().Saved);
    EXPECT_EQ(after.HistoryModified, before.HistoryModified);
    EXPECT_EQ(after.FastDisplay, before.FastDisplay);
    EXPECT_EQ(after.LoadedCount, 0);
    EXPECT_EQ(after.ProcessedCount, 0);
}

}  // namespace

TEST(HistoryFile, NamesAndPaths) {
    EXPECT_EQ(HistoryFileName(1), "karhs.1");
    EXPECT_EQ(HistoryFileName(12), "karhs.12");
    EXPECT_EQ(HistoryFilePath("/db", 7), "/db/karhs.7");
    EXPECT_EQ(HistoryFilePath("/db/", 7), "/db/karhs.7");
    AppState s;
    s.QuantityName = "Strain ";
    EXPECT_EQ(ReadingHistoryTitle(s), "Reading Strain History");
    EXPECT_EQ(SavingHistoryTitle(s), "Saving Strain History");
}

TEST(HistoryFile, WritesGoldenFileAndReadsItBack) {
    TempDir dir;
    AppState s;
    s.CurrentBatch = 1;
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.SaveFileName = "karhs.1";
    s.HistoryModified = true;
    DataBatch& b = s.batch();
    b.Title = "Crane hook \u00b5-gauge 3";
    b.RecordTime = 12.75f;
    b.PointCount = 6;
    b.MaxValue = 120.5f;
    b.MinValue = -80.25f;
    s.Values = {0, 120.5f, -80.25f, 60, 1.5e-05f, 100, 0.5f, 0};

    ScriptedPrompter p;
    int16_t ok = 0;
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_FALSE(s.HistoryModified);   // stored in the batch's own file
    EXPECT_EQ(dir.read("karhs.1"), fixture("karhs.golden"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});   // no temporary left
    EXPECT_EQ(p.busyDepth, 0);

    // Read back into a batch whose database entry matches (7 = 6 points + closing value).
    AppState r;
    r.CurrentBatch = 1;
    r.HistoryDir = dir.str();
    r.HistoryPath = dir.str() + "/karhs.1";
    r.batch().PointCount = 7;
    OpenHistoryResult res = OpenChkHFile(r, p);
    EXPECT_EQ(res.read, HistoryRead::Loaded);
    EXPECT_TRUE(res.drawHistory);
    EXPECT_EQ(r.Values, s.Values);
    EXPECT_EQ(r.batch().Title, b.Title);
    EXPECT_EQ(r.batch().RecordTime, 12.75f);
    EXPECT_EQ(r.batch().PointCount, 6);
    EXPECT_EQ(r.batch().MaxValue, 120.5f);
    EXPECT_EQ(r.batch().MinValue, -80.25f);
    EXPECT_EQ(r.ProcessedCount, 6);
    EXPECT_EQ(r.LoadedCount, 6);
    EXPECT_FALSE(r.HistoryModified);
    EXPECT_TRUE(r.HistoryShown);
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(HistoryFile, ClosingValueTable) {
    struct Case {
        std::vector<float> values;
        float max, min;
        const char* body;   // lines after the title, CR LF removed to "|"
    } cases[] = {
        // starts downward, ends elsewhere: closed with the maximum
        {{120, -80, 60, -40}, 120, -80, "5|0|120|-80|60|-40|120|"},
        // starts upward: closed with the minimum
        {{-80, 120, -40, 60}, 120, -80, "5|0|-80|120|-40|60|-80|"},
        // equal first two values count as upward
        {{10, 10, -3, 7}, 10, -3, "5|0|10|10|-3|7|-3|"},
        // already closed: nothing added, in both directions
        {{-80, 120, -40, 60, 10, -80}, 120, -80, "6|0|-80|120|-40|60|10|-80|"},
        {{120, -80, 60, -40, 30, 120}, 120, -80, "6|0|120|-80|60|-40|30|120|"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        AppState s;
        s.CurrentBatch = 2;
        s.DatabaseDir = dir.str() + "/";
        s.HistoryDir = "/elsewhere";
        s.SaveFileName = "karhs.2";
        s.HistoryModified = true;
        DataBatch& b = s.batch();
        b.Title = "t";
        b.PointCount = static_cast<int32_t>(c.values.size());
        b.MaxValue = c.max;
        b.MinValue = c.min;
        s.Values = {0};
        s.Values.insert(s.Values.end(), c.values.begin(), c.values.end());
        s.Values.push_back(0);

        ScriptedPrompter p;
        int16_t ok = 0;
        WriteHistoryFile(s, p, 2, ok);
        EXPECT_EQ(ok, 1);
        EXPECT_TRUE(s.HistoryModified);   // another directory than the batch's history files
        std::string text = dir.read("karhs.2"), body;
        EXPECT_EQ(text, HistoryFileText(s, 2));
        ASSERT_EQ(text.substr(0, 5), "\"t\"\r\n");
        for (size_t i = 5; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                body += '|';
                ++i;
            } else {
                body += text[i];
            }
        }
        EXPECT_EQ(body, c.body);

        // Read back into a fresh batch: the closing value is dropped again as the odd point.
        AppState r;
        r.CurrentBatch = 2;
        r.HistoryPath = dir.str() + "/karhs.2";
        EXPECT_EQ(OpenChkHFile(r, p).read, HistoryRead::Loaded) << c.body;
        EXPECT_EQ(r.Values, s.Values) << c.body;
        EXPECT_EQ(r.batch().MaxValue, c.max);
        EXPECT_EQ(r.batch().MinValue, c.min);
    }
}

TEST(HistoryFile, ShortHistoriesHaveNoClosingValue) {
    AppState s;
    s.batch().Title = "t";
    s.batch().PointCount = 1;
    s.batch().MaxValue = s.batch().MinValue = 5;
    s.Values = {0, 5, 0};
    EXPECT_EQ(HistoryFileText(s, 0), "\"t\"\r\n1\r\n0\r\n5\r\n");
    s.batch().PointCount = 0;
    s.Values.clear();
    EXPECT_EQ(HistoryFileText(s, 0), "\"t\"\r\n0\r\n0\r\n");
}

TEST(HistoryFile, HeaderlessTextOfNineValues) {
    AppState s = loadedState();
    s.CurrentBatch = 0;
    s.TextHasHeader = 0;
    s.batch().RecordTime = 3;
    ScriptedPrompter p;   // no question: a file without header always continues
    EXPECT_EQ(readText(s, p, fixture("nine.txt"), "/data/in/nine.txt"), HistoryRead::Loaded);
    const DataBatch& b = s.batch();
    EXPECT_EQ(b.PointCount, 8);
    EXPECT_EQ(s.Values, (std::vector<float>{0, 1.5f, -2.5f, 3, -4, 5.25f, -6, 7, -8, 0}));
    EXPECT_EQ(b.Title, "nine");
    EXPECT_EQ(b.RecordTime, 3);      // no header, no record time
    EXPECT_EQ(b.MaxValue, 9);        // the extremes include the dropped ninth value
    EXPECT_EQ(b.MinValue, -8);
    EXPECT_EQ(s.ProcessedCount, 8);
    EXPECT_EQ(s.LoadedCount, 8);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(s.FastDisplay, -1);    // announced as 1000000 values
}

TEST(HistoryFile, HeaderlessTitleFromFileName) {
    struct Case { const char* name; const char* title; } cases[] = {
        {"/d/abc.txt", "abc"},
        {"/d/x.y", ""},
        {"/d/\u00e9t\u00e9 1.asc", "\u00e9t\u00e9 1"},   // characters, not bytes
        {"/d/0123456789012345678901234567890123456789.txt", "012345678901234567890123456789"},
    };
    for (const Case& c : cases) {
        AppState s;
        s.TextHasHeader = 0;
        ScriptedPrompter p;
        EXPECT_EQ(readText(s, p, "1 2 3 4", c.name), HistoryRead::Loaded);
        EXPECT_EQ(s.batch().Title, c.title) << c.name;
    }
}

TEST(HistoryFile, TxtFilesHoldDisplayUnits) {
    const std::string text = "\"ksi\"\r\n6\r\n1\r\n100\r\n-50\r\n1\r\n250.5\r\n-1000\r\n3\r\n";
    // 1 / (1/6.895) in single precision
    const std::vector<float> ksi = {0, 689.5f, -344.75f, 0x1.b947aep+2f /* 6.89499998 */,
                                    0x1.afcca4p+10f /* 1727.19751 */, -6895.0f,
                                    0x1.4af5c4p+4f /* 20.6850014 */, 0};
    const std::vector<float> asIs = {0, 100, -50, 1, 250.5f, -1000, 3, 0};
    struct Case { const char* name; bool divided; } cases[] = {
        {"/d/run.txt", true}, {"/d/runtxt", true}, {"/d/run.TXT", false},
        {"/d/karhs.3", false}, {"/d/run.asc", false},
    };
    for (const Case& c : cases) {
        AppState s;
        s.StressFactor = s.QuantityFactor = static_cast<float>(1.0 / 6.895);
        ScriptedPrompter p;
        EXPECT_EQ(readText(s, p, text, c.name), HistoryRead::Loaded);
        EXPECT_EQ(s.Values, c.divided ? ksi : asIs) << c.name;
        EXPECT_EQ(s.batch().MaxValue, c.divided ? 1727.19751f : 250.5f);
        EXPECT_EQ(s.batch().MinValue, c.divided ? -6895.0f : -1000.0f);
    }
}

TEST(HistoryFile, ShortFileAnsweredYesKeepsWhatWasRead) {
    AppState s = loadedState();
    s.CurrentBatch = 0;   // no database: nothing expected
    ScriptedPrompter p;
    p.expect(kReading, "Can read 400 data points only.\nContinue?", Icon::Question, Answer::Yes);
    EXPECT_EQ(readText(s, p, historyText("short", 500, 400)), HistoryRead::Loaded);
    EXPECT_EQ(s.batch().PointCount, 400);
    EXPECT_EQ(s.LoadedCount, 400);
    EXPECT_EQ(s.Values.size(), 402u);
    EXPECT_EQ(s.Values[400], -400.0f);
    EXPECT_EQ(s.batch().Title, "short");
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(p.asked.at(0).buttons, Buttons::YesNo);
}

TEST(HistoryFile, ShortFileAnsweredNoChangesNothing) {
    AppState s = loadedState();
    AppState before = s;
    ScriptedPrompter p;
    p.expect(kReading, "Can read 400 data points only.\nContinue?", Icon::Question, Answer::No);
    EXPECT_EQ(readText(s, p, historyText("short", 500, 400)), HistoryRead::DeclinedShort);
    EXPECT_EQ(s.batch().PointCount, 4);   // the count the database expected
    expectUnchanged(before, s);
}

TEST(HistoryFile, HugeClaimedCountIsNotAllocated) {
    AppState s;
    ScriptedPrompter p;
    p.expect(kReading, "Can read 10 data points only.\nContinue?", Answer::Yes);
    EXPECT_EQ(readText(s, p, historyText("huge", 2000000000, 10)), HistoryRead::Loaded);
    EXPECT_EQ(s.batch().PointCount, 10);
    EXPECT_EQ(s.Values.size(), 12u);
    EXPECT_LT(s.Values.capacity(), 2000u);
    EXPECT_EQ(s.FastDisplay, -1);
}

TEST(HistoryFile, OddCountLosesLastPoint) {
    AppState s;
    ScriptedPrompter p;
    EXPECT_EQ(readText(s, p, historyText("odd", 7, 7)), HistoryRead::Loaded);
    EXPECT_EQ(s.batch().PointCount, 6);
    EXPECT_EQ(s.ProcessedCount, 6);
    EXPECT_EQ(s.LoadedCount, 6);
    EXPECT_EQ(s.Values, (std::vector<float>{0, 1, -2, 3, -4, 5, -6, 0}));
    EXPECT_EQ(s.batch().MaxValue, 7);   // tracked over every value read
    EXPECT_FALSE(s.HistoryModified);
    EXPECT_EQ(s.FastDisplay, 0);
}

TEST(HistoryFile, TitleIsCutTo30CharactersAndConverted) {
    AppState s;
    ScriptedPrompter p;
    // 0xB5 is the micro sign in Windows-1252.
    EXPECT_EQ(readText(s, p, historyText("\xb5" "23456789012345678901234567890abc", 4, 4)),
              HistoryRead::Loaded);
    EXPECT_EQ(s.batch().Title, "\u00b5" "23456789012345678901234567890");
}

TEST(HistoryFile, DisplayModeFollowsAnnouncedCount) {
    for (int count : {15000, 15001}) {
        AppState s;
        s.FastDisplay = 7;
        ScriptedPrompter p;
        EXPECT_EQ(readText(s, p, historyText("n", count, count)), HistoryRead::Loaded);
        EXPECT_EQ(s.FastDisplay, count == 15000 ? 0 : -1);
    }
}

TEST(HistoryFile, RefusedAndFailedReadsChangeNothing) {
    struct Case { std::string text, message; } cases[] = {
        {historyText("few", 2, 5), "The file announces 2 data points.\nA Stress History needs at least 3."},
        {historyText("few", 0, 5), "The file announces 0 data points.\nA Stress History needs at least 3."},
        {historyText("few", -5, 5), "The file announces -5 data points.\nA Stress History needs at least 3."},
        {"\"big\"\r\n3e9\r\n1\r\n1\r\n2\r\n3\r\n",
         "The number of data points in the file header is out of range."},
        {"\"t\"\r\n5\r\n", "The file ends within its header."},
        {"", "The file ends within its header."},
        {"\"t\"\r\n5\r\n1e39\r\n1\r\n2\r\n", "The record time in the file header is out of range."},
        {"\"t\"\r\n5\r\n1\r\n1\r\n2\r\n1e39\r\n", "Data point 3 is out of range."},
        {"\"t\"\r\n5\r\n1\r\n1\r\n", "The file holds 1 data points only.\nA Stress History needs at least 2."},
        {"\"t\"\r\nfive\r\n1\r\n1 2 3 4 5\r\n",
         "The number of data points in the file header is not a number."},
        {"\"t\"\r\n5\r\nsoon\r\n1 2 3 4 5\r\n",
         "The record time in the file header is not a number."},
        {"\"t\"\r\n5\r\n1\r\n1,2,abc,4,5\r\n", "Data point 3 is not a number."},
    };
    for (const Case& c : cases) {
        AppState s = loadedState();
        AppState before = s;
        ScriptedPrompter p;
        p.expect(kReading, c.message, Icon::Exclamation);
        EXPECT_EQ(readText(s, p, c.text), HistoryRead::Failed) << c.message;
        expectUnchanged(before, s);
        EXPECT_EQ(p.busyDepth, 0);
    }
}

TEST(HistoryFile, DatabaseMismatch) {
    // Expected 11 (the database's count for a 10-point history); the file is consistent
    // with it only when its length is within 1 and it starts and ends at one extreme.
    struct Case { std::string text; bool mismatch; } cases[] = {
        {"\"a\"\r\n11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 5\r\n", false},
        {"\"a\"\r\n10\r\n0\r\n-5 5 -4 4 -3 3 -2 2 -1 -5\r\n", false},   // closed at the minimum
        {"\"a\"\r\n12\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0 5\r\n", false},
        {"\"a\"\r\n13\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0 1 5\r\n", true},   // two too many
        {"\"a\"\r\n11\r\n0\r\n5 -5 4 -4 3 -3 2 -2 1 -1 0\r\n", true},      // not closed
    };
    for (const Case& c : cases) {
        for (Answer answer : {Answer::Yes, Answer::No}) {
            if (!c.mismatch && answer == Answer::No) continue;
            AppState s = loadedState();
            s.batch().PointCount = 11;
            s.batch().Saved.PointCount = 11;
            AppState before = s;
            ScriptedPrompter p;
            if (c.mismatch)
                p.expect(kReading,
                         "The Stress History does not match to that one specified in the "
                         "Database.\nContinue?",
                         Icon::Question, answer);
            HistoryRead got = readText(s, p, c.text);
            if (answer == Answer::No) {
                EXPECT_EQ(got, HistoryRead::DeclinedMismatch);
                EXPECT_EQ(s.batch().PointCount, 11);
                expectUnchanged(before, s);
                continue;
            }
            EXPECT_EQ(got, HistoryRead::Loaded) << c.text;
            const int32_t n = s.batch().PointCount;
            EXPECT_EQ(s.LoadedCount, n);
            EXPECT_EQ(s.HistoryModified, c.mismatch);
            if (c.mismatch) {
                EXPECT_EQ(s.BackupValues, std::vector<float>(static_cast<size_t>(n) + 2, 0.0f));
                EXPECT_EQ(s.batch().Saved.PointCount, n + 1);
            } else {
                EXPECT_EQ(s.BackupValues, before.BackupValues);
                EXPECT_EQ(s.batch().Saved.PointCount, 11);
            }
        }
    }
}

TEST(HistoryFile, OpenReportsOpenErrors) {
    TempDir dir;
    for (const std::string& path : {dir.str() + "/missing", dir.str()}) {
        AppState s = loadedState();
        s.HistoryPath = path;
        AppState before = s;
        ScriptedPrompter p;
        p.expect(kReading, path == dir.str() ? "Is a directory" : "No such file or directory",
                 Icon::Exclamation);
        OpenHistoryResult res = OpenChkHFile(s, p);
        EXPECT_EQ(res.read, HistoryRead::Failed);
        EXPECT_FALSE(res.drawHistory);
        EXPECT_EQ(s.Values, before.Values);
        EXPECT_EQ(s.LoadedCount, 4);   // nothing was read
        EXPECT_FALSE(s.HistoryShown);
    }
}

TEST(HistoryFile, OpenOwnFileWhileEditingDatabase) {
    struct Case {
        bool ownFile, editFlag;
        float backup1;
        const char* nameBefore;
        const char* nameAfter;
        bool modified;
    } cases[] = {
        {true, true, 1000000, "", "Batch 3", true},
        {true, true, 999999, "", "Batch 3", false},
        {true, true, 1000000, "Pier", "Pier", true},
        {true, false, 1000000, "", "", false},
        {false, true, 1000000, "", "", false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.write("karhs.3", historyText("h", 4, 4));
        dir.write("copy", historyText("h", 4, 4));
        AppState s;
        s.CurrentBatch = 3;
        s.HistoryDir = dir.str();
        s.HistoryPath = dir.str() + (c.ownFile ? "/karhs.3" : "/copy");
        s.DatabaseEditFlag = c.editFlag;
        s.BackupValues = {0, c.backup1, 0};
        s.batch().Name = c.nameBefore;
        s.ViewStart = 40;
        ScriptedPrompter p;
        OpenHistoryResult res = OpenChkHFile(s, p);
        EXPECT_TRUE(res.drawHistory);
        EXPECT_FALSE(res.focusNextBatch);
        EXPECT_EQ(s.batch().Name, c.nameAfter);
        EXPECT_EQ(s.HistoryModified, c.modified);
        EXPECT_TRUE(s.HistoryShown);
        EXPECT_EQ(s.ViewStart, 1);
    }
}

TEST(HistoryFile, OpenDeclinedMismatchFocusesNextBatch) {
    TempDir dir;
    dir.write("karhs.1", historyText("h", 4, 4));
    AppState s = loadedState();
    s.HistoryPath = dir.str() + "/karhs.1";
    s.batch().PointCount = 9;
    ScriptedPrompter p;
    p.expect(kReading, "The Stress History does not match to that one specified in the Database.\nContinue?",
             Answer::No);
    OpenHistoryResult res = OpenChkHFile(s, p);
    EXPECT_EQ(res.read, HistoryRead::DeclinedMismatch);
    EXPECT_TRUE(res.focusNextBatch);
    EXPECT_FALSE(res.drawHistory);
    EXPECT_FALSE(s.HistoryShown);
    EXPECT_EQ(s.batch().PointCount, 9);
}

TEST(HistoryFile, FailedWriteKeepsOldFileAndReports) {
    TempDir dir;
    AppState s = loadedState();
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.SaveFileName = "karhs.1";
    s.HistoryModified = true;
    s.batch().PointCount = 2000;
    s.Values.assign(2002, 1.25f);
    const std::string old = historyText("old", 4, 4);
    dir.write("karhs.1", old);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedPrompter p;
    p.expect(kSaving, std::strerror(EFBIG), Icon::Exclamation);
    int16_t ok = 7;
    WriteHistoryFile(s, p, 1, ok);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ok, 7);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(dir.read("karhs.1"), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.1"});
    EXPECT_EQ(p.busyDepth, 0);

    // A directory that does not exist.
    s.DatabaseDir = dir.str() + "/gone";
    p.expect(kSaving, "No such file or directory", Icon::Exclamation);
    WriteHistoryFile(s, p, 1, ok);
    EXPECT_EQ(ok, 7);
    EXPECT_TRUE(s.HistoryModified);
}

TEST(HistoryFile, RenameReplacesTargetAndReportsErrno) {
    TempDir dir;
    dir.write("karhs.3", "three");
    dir.write("karhs.2", "two");
    EXPECT_EQ(RenameHistoryFile(dir.str(), 3, 2), 0);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"karhs.2"});
    EXPECT_EQ(dir.read("karhs.2"), "three");
    EXPECT_EQ(RenameHistoryFile(dir.str() + "/", 2, 1), 0);   // no target to delete
    EXPECT_EQ(dir.read("karhs.1"), "three");
    // A missing source fails with its errno and leaves the target as it was.
    EXPECT_EQ(RenameHistoryFile(dir.str(), 5, 1), ENOENT);
    EXPECT_EQ(dir.read("karhs.1"), "three");
}
