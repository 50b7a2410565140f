#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "DatabaseFixtures.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::FaultyOps;
using test::ScriptedPrompter;
using test::TempDir;
using test::historyBytes;
using test::makeDatabase;
using test::readFile;

// The files of dir other than kardt.dat, name -> content.
std::map<std::string, std::string> histories(const TempDir& dir) {
    std::map<std::string, std::string> out;
    for (const std::string& name : dir.entries())
        if (name != "kardt.dat") out[name] = dir.read(name);
    return out;
}

TEST(DatabaseWrite, DeletedSecondOfThreeIsWrittenWithTwoAndKarhs3BecomesKarhs2) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 3);
    s.batch(2).Deleted = true;
    s.DatabaseModified = true;
    AppState expected = s;
    expected.batch(2) = expected.batch(3);
    expected.BatchCount = 2;

    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
    EXPECT_FALSE(s.DatabaseModified);
    EXPECT_TRUE(s.HistoryFilesRenumbered);
    EXPECT_EQ(p.busyDepth, 0);
    EXPECT_EQ(dir.read("kardt.dat"), DatabaseFileText(expected));
    EXPECT_EQ(histories(dir), (std::map<std::string, std::string>{
                                  {"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(3)}}));

    AppState back;
    back.DatabaseDir = dir.str();
    ASSERT_EQ(ReadDatabase(back, p), DatabaseRead::Loaded);
    EXPECT_EQ(back.BatchCount, 2);
    EXPECT_EQ(back.batch(2).Name, "Batch 3");
}

TEST(DatabaseWrite, DeletedFirstBatchRenumbersTheRestFromOne) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 3);
    s.batch(1).Deleted = true;
    ScriptedPrompter p;
    EXPECT_EQ(WrittenNumber(s, 1), 0);
    EXPECT_EQ(WrittenNumber(s, 3), 2);
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
    EXPECT_EQ(histories(dir), (std::map<std::string, std::string>{
                                  {"karhs.1", historyBytes(2)}, {"karhs.2", historyBytes(3)}}));
    AppState back;
    back.DatabaseDir = dir.str();
    ASSERT_EQ(ReadDatabase(back, p), DatabaseRead::Loaded);
    EXPECT_EQ(back.BatchCount, 2);
    EXPECT_EQ(back.batch(1).Name, "Batch 2");
    EXPECT_EQ(back.batch(2).Name, "Batch 3");
}

TEST(DatabaseWrite, BatchesWithoutHistoryAreNotRenamedAndDeletedFilesStay) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 4);
    s.batch(1).Deleted = true;
    s.batch(2).PointCount = 0;      // becomes 1, has no file to move
    s.batch(4).Deleted = true;
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
    // karhs.3 moved to 2; karhs.1 (a deleted batch's) is not removed by the write.
    EXPECT_EQ(histories(dir), (std::map<std::string, std::string>{{"karhs.1", historyBytes(1)},
                                                                  {"karhs.2", historyBytes(3)},
                                                                  {"karhs.4", historyBytes(4)}}));
}

TEST(DatabaseWrite, DeleteAllAsksAndYesRemovesTheFile) {
    const std::string question =
        "You have deleted all data in this Database. Press Yes to delete the Database, or No to "
        "stop saving the Database";
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TempDir dir;
        AppState s;
        makeDatabase(s, dir, 2);
        const std::string before = dir.read("kardt.dat");
        s.batch(1).Deleted = s.batch(2).Deleted = true;
        s.DatabaseModified = true;
        ScriptedPrompter p;
        p.expect("Write Loading Database", question, Icon::Question, answer);
        const DatabaseWrite r = WriteDatabase(s, p);
        if (answer == Answer::No) {
            EXPECT_EQ(r, DatabaseWrite::KeptAll);
            EXPECT_EQ(dir.read("kardt.dat"), before);
            EXPECT_TRUE(s.DatabaseModified);
        } else {
            EXPECT_EQ(r, DatabaseWrite::DeletedAll);
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "kardt.dat"));
        }
        EXPECT_EQ(histories(dir).size(), 2u);   // the history files are left alone
    }
}

TEST(DatabaseWrite, NoBatchesWritesNothing) {
    TempDir dir;
    AppState s;
    s.DatabaseDir = s.HistoryDir = dir.str();
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Nothing);
    EXPECT_TRUE(dir.entries().empty());
}

TEST(DatabaseWrite, SavingIntoANewDirectoryCopiesTheHistoryFiles) {
    TempDir from, to;
    AppState s;
    makeDatabase(s, from, 3);
    s.batch(2).Deleted = true;
    const auto before = histories(from);
    const std::string oldText = from.read("kardt.dat");
    s.DatabaseDir = to.str();
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
    EXPECT_EQ(s.HistoryDir, to.str());
    EXPECT_TRUE(s.HistoryFilesRenumbered);
    EXPECT_EQ(histories(to), (std::map<std::string, std::string>{
                                 {"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(3)}}));
    // The database the histories came from is untouched.
    EXPECT_EQ(histories(from), before);
    EXPECT_EQ(from.read("kardt.dat"), oldText);
}

TEST(DatabaseWrite, ACopyWithoutRenumberingLeavesTheFlagClear) {
    TempDir from, to;
    AppState s;
    makeDatabase(s, from, 2);
    s.DatabaseDir = to.str();
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
    EXPECT_FALSE(s.HistoryFilesRenumbered);
    EXPECT_EQ(to.entries(), (std::vector<std::string>{"kardt.dat", "karhs.1", "karhs.2"}));
}

TEST(DatabaseWrite, AFailedRenameAbandonsTheWholeWrite) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 3);
    s.QuantityName = "Strain ";
    std::filesystem::remove(dir.path() / "karhs.3");     // the move has no source
    s.batch(2).Deleted = true;
    s.DatabaseModified = true;
    const std::string before = dir.read("kardt.dat");
    ScriptedPrompter p;
    p.expect("Rename Strain History File", "No such file or directory", Icon::Exclamation);
    EXPECT_EQ(WriteDatabase(s, p), DatabaseWrite::Failed);
    EXPECT_TRUE(s.DatabaseModified);
    EXPECT_FALSE(s.HistoryFilesRenumbered);
    EXPECT_EQ(dir.read("kardt.dat"), before);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"kardt.dat", "karhs.1", "karhs.2"}));
}

TEST(DatabaseWrite, RenameHistoryStagesTheFileAndReportsErrors) {
    TempDir dir;
    AppState s;
    s.HistoryDir = dir.str();
    dir.write("karhs.5", "five");
    ScriptedPrompter p;
    EXPECT_EQ(RenameHistory(s, p, 5, 2), 0);
    EXPECT_EQ(dir.read("karhs.2.new"), "five");
    p.expect("Rename Stress History File", "No such file or directory", Icon::Exclamation);
    EXPECT_EQ(RenameHistory(s, p, 7, 2), ENOENT);
}

// Records the messages of a save whose failing step varies.
struct RecordingPrompter : Prompter {
    std::vector<Prompt> asked;
    int busyDepth = 0;
    Answer ask(const Prompt& p) override {
        asked.push_back(p);
        return Answer::Ok;
    }
    void busy(bool on) override { busyDepth += on ? 1 : -1; }
};

// Three batches, batch 2 deleted, saved in place or into another directory.
struct SaveCase {
    const char* name;
    bool newDir;
};

class SaveSteps : public ::testing::TestWithParam<SaveCase> {};

// Counts the changing file operations of a save that goes through.
int stepsOfSave(bool newDir) {
    TempDir dir, other;
    AppState s;
    makeDatabase(s, dir, 3);
    s.batch(2).Deleted = true;
    if (newDir) s.DatabaseDir = other.str();
    FaultyOps ops;
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(s, p, ops), DatabaseWrite::Written);
    return ops.steps;
}

TEST_P(SaveSteps, AFailureAtAnyStepLeavesTheOldDatabaseOrCompletesTheNew) {
    const bool newDir = GetParam().newDir;
    const int steps = stepsOfSave(newDir);
    ASSERT_GE(steps, 4);
    for (int failAt = 1; failAt <= steps; ++failAt) {
        SCOPED_TRACE("failing step " + std::to_string(failAt));
        TempDir dir, other;
        AppState s;
        makeDatabase(s, dir, 3);
        const TempDir& target = newDir ? other : dir;
        if (newDir) s.DatabaseDir = other.str();
        const auto oldFiles = histories(target);
        const std::string oldText = target.read("kardt.dat");
        s.batch(2).Deleted = true;
        s.DatabaseModified = true;
        AppState expected = s;
        expected.batch(2) = expected.batch(3);
        expected.BatchCount = 2;
        const std::string newText = DatabaseFileText(expected);

        FaultyOps ops;
        ops.failAt = failAt;
        RecordingPrompter p;
        const DatabaseWrite r = WriteDatabase(s, p, ops);
        EXPECT_EQ(p.busyDepth, 0);
        if (r == DatabaseWrite::Failed) {
            ASSERT_EQ(p.asked.size(), 1u);
            // Steps: kardt.new, the staged history (a rename in place), the commit.
            EXPECT_EQ(p.asked[0].title, !newDir && failAt == 2 ? "Rename Stress History File"
                                                               : "Loading Database");
            EXPECT_EQ(p.asked[0].text, "Input/output error");
            EXPECT_EQ(p.asked[0].icon, Icon::Exclamation);
            EXPECT_TRUE(s.DatabaseModified);
            EXPECT_EQ(target.read("kardt.dat"), oldText);
            // A failing clean-up may leave staged files: the next read removes them.
            EXPECT_FALSE(RecoverInterruptedSave(target.str()));
            EXPECT_EQ(histories(target), oldFiles);
            EXPECT_EQ(target.read("kardt.dat"), oldText);
        } else {
            // The failure came after the commit (a completion step or the clean-up).
            EXPECT_EQ(r, DatabaseWrite::Written);
            EXPECT_FALSE(s.DatabaseModified);
            // A completion step reports its error; the clean-up after it fails silently.
            EXPECT_LE(p.asked.size(), 1u);
            EXPECT_EQ(target.read("kardt.dat"), newText);
            AppState back;
            back.DatabaseDir = target.str();
            ScriptedPrompter quiet;
            ASSERT_EQ(ReadDatabase(back, quiet), DatabaseRead::Loaded);
            EXPECT_EQ(back.BatchCount, 2);
            EXPECT_EQ(target.read("karhs.1"), historyBytes(1));
            EXPECT_EQ(target.read("karhs.2"), historyBytes(3));
        }
    }
}

TEST_P(SaveSteps, AnInterruptionAtAnyStepLeavesEveryHistoryReadable) {
    const bool newDir = GetParam().newDir;
    const int steps = stepsOfSave(newDir);
    for (int stopAt = 1; stopAt <= steps; ++stopAt) {
        SCOPED_TRACE("stopped at step " + std::to_string(stopAt));
        TempDir dir, other;
        AppState s;
        makeDatabase(s, dir, 3);
        const TempDir& target = newDir ? other : dir;
        if (newDir) {
            // Another database was there before and has its own histories.
            other.write("kardt.dat", dir.read("kardt.dat"));
            for (int i = 1; i <= 3; ++i) other.write(HistoryFileName(i), "other " + std::to_string(i));
            s.DatabaseDir = other.str();
        }
        const std::string oldText = target.read("kardt.dat");
        const auto oldFiles = histories(target);
        s.batch(2).Deleted = true;
        AppState expected = s;
        expected.batch(2) = expected.batch(3);
        expected.BatchCount = 2;
        const std::string newText = DatabaseFileText(expected);

        FaultyOps ops;
        ops.failAt = stopAt;
        ops.crash = true;
        ScriptedPrompter p;
        EXPECT_THROW(WriteDatabase(s, p, ops), test::Crash);

        // Started again: the database on disk is the old or the new one, complete.
        AppState back;
        back.DatabaseDir = target.str();
        ScriptedPrompter quiet;
        ASSERT_EQ(ReadDatabase(back, quiet), DatabaseRead::Loaded);
        const std::string text = target.read("kardt.dat");
        if (text == oldText) {
            EXPECT_EQ(back.BatchCount, 3);
            EXPECT_EQ(histories(target), oldFiles);
        } else {
            EXPECT_EQ(text, newText);
            EXPECT_EQ(back.BatchCount, 2);
            EXPECT_EQ(target.read("karhs.1"), historyBytes(1));
            EXPECT_EQ(target.read("karhs.2"), historyBytes(3));
        }
        for (const std::string& name : target.entries())
            EXPECT_EQ(name.find(".new"), std::string::npos) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Database, SaveSteps,
                         ::testing::Values(SaveCase{"InPlace", false}, SaveCase{"NewDir", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace karmo
