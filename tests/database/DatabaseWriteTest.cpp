#include <gtest/gtest.h>

#include <filesystem>

#include "DatabaseFixtures.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::histories;
using test::historyBytes;
using test::ScriptedPrompter;
using test::TempDir;
using Files = std::map<std::string, std::string>;

// {batches, deleted slots, slot without history, into another directory, renumbered, files}
TEST(DatabaseWrite, DeletedBatchesAreLeftOutAndTheHistoriesRenumberedOrCopied) {
    const std::vector<std::tuple<int, std::vector<int>, int, bool, bool, Files>> cases = {
        {3, {2}, 0, false, true, {{"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(3)}}},
        {3, {1}, 0, false, true, {{"karhs.1", historyBytes(2)}, {"karhs.2", historyBytes(3)}}},
        // A deleted batch's file stays unless a renumbered history replaces it.
        {4, {1, 4}, 2, false, true, {{"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(3)}, {"karhs.4", historyBytes(4)}}},
        // Into another directory: copied under the written numbers, the source untouched.
        {3, {2}, 0, true, true, {{"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(3)}}},
        {2, {}, 0, true, false, {{"karhs.1", historyBytes(1)}, {"karhs.2", historyBytes(2)}}},
    };
    for (const auto& [count, deleted, withoutHistory, newDir, renumbered, files] : cases) {
        SCOPED_TRACE(::testing::Message() << count << " batches, new dir " << newDir);
        TempDir dir, other;
        AppState s = test::database(count, 1, &dir);
        const Files sourceFiles = histories(dir);
        const std::string sourceText = dir.read("kardt.dat");
        const TempDir& target = newDir ? other : dir;
        s.DatabaseDir = target.str();
        std::vector<std::string> names;
        for (int i = 1; i <= count; ++i) {
            s.batch(i).Deleted = std::find(deleted.begin(), deleted.end(), i) != deleted.end();
            if (!s.batch(i).Deleted) names.push_back("Batch " + std::to_string(i));
        }
        if (withoutHistory) s.batch(withoutHistory).PointCount = 0;
        s.DatabaseModified = true;
        ScriptedPrompter p;
        ASSERT_EQ(WriteDatabase(s, p), DatabaseWrite::Written);
        EXPECT_EQ(std::tuple(p.busyDepth, s.DatabaseModified, s.HistoryDir, s.HistoryFilesRenumbered),
                  std::tuple(0, false, target.str(), renumbered));
        EXPECT_EQ(target.read("kardt.dat"), DatabaseFileText(s));
        EXPECT_EQ(histories(target), files);
        EXPECT_EQ(histories(dir), newDir ? sourceFiles : files);
        EXPECT_EQ(dir.read("kardt.dat"), newDir ? sourceText : DatabaseFileText(s));
        AppState back;
        back.DatabaseDir = target.str();
        ASSERT_EQ(ReadDatabase(back, p), DatabaseRead::Loaded);
        ASSERT_EQ(back.BatchCount, static_cast<int>(names.size()));
        for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(back.batch(static_cast<int>(i) + 1).Name, names[i]);
    }
}

TEST(DatabaseWrite, DeleteAllAsksAndYesRemovesTheFile) {
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TempDir dir;
        AppState s = test::database(2, 1, &dir);
        s.batch(1).Deleted = s.batch(2).Deleted = true;
        s.DatabaseModified = true;
        ScriptedPrompter p;
        p.expect("Write Loading Database",
                 "You have deleted all data in this Database. Press Yes to delete the Database, or "
                 "No to stop saving the Database", Icon::Question, answer);
        const bool yes = answer == Answer::Yes;
        EXPECT_EQ(WriteDatabase(s, p), yes ? DatabaseWrite::DeletedAll : DatabaseWrite::KeptAll);
        EXPECT_EQ(s.DatabaseModified, !yes);
        // The history files are left alone.
        using Names = std::vector<std::string>;
        EXPECT_EQ(dir.entries(), (yes ? Names{"karhs.1", "karhs.2"} : Names{"kardt.dat", "karhs.1", "karhs.2"}));
    }
    AppState none;      // no batches at all: nothing to write
    ScriptedPrompter p;
    EXPECT_EQ(WriteDatabase(none, p), DatabaseWrite::Nothing);
}

// Collects the messages of a save whose failing step varies.
struct RecordingPrompter : Prompter {
    std::vector<Prompt> asked;
    int busyDepth = 0;
    Answer ask(const Prompt& p) override { return asked.push_back(p), Answer::Ok; }
    void busy(bool on) override { busyDepth += on ? 1 : -1; }
};

// Batches 1, 2 (deleted) and 3 are saved in place, or into a directory that holds another
// database, while each changing file operation in turn fails or stops the program. The
// target then reads (after the recovery of the next read) as the complete old or the
// complete new database; a save that failed before its commit said why and kept the flag.
TEST(DatabaseWrite, AFailureOrStopAtAnyStepLeavesTheOldOrTheNewDatabase) {
    for (const bool newDir : {false, true}) {
        for (const bool crash : {false, true}) {
            bool finished = false;
            for (int step = 1; !finished; ++step) {
                SCOPED_TRACE(::testing::Message() << "new dir " << newDir << ", crash " << crash
                                                  << ", step " << step);
                TempDir dir, other;
                AppState s = test::database(3, 1, &dir);
                const TempDir& target = newDir ? other : dir;
                if (newDir) {
                    other.write("kardt.dat", dir.read("kardt.dat"));
                    for (int i = 1; i <= 3; ++i) other.write(HistoryFileName(i), "other " + std::to_string(i));
                    s.DatabaseDir = other.str();
                }
                const std::string oldText = target.read("kardt.dat");
                const Files oldFiles = histories(target);
                s.batch(2).Deleted = true;
                s.DatabaseModified = true;
                const std::string newText = DatabaseFileText(s);

                test::FaultyOps ops;
                ops.failAt = step;
                ops.crash = crash;
                RecordingPrompter p;
                DatabaseWrite r = DatabaseWrite::Nothing;      // stays so when the program stopped
                try { r = WriteDatabase(s, p, ops); } catch (const test::Crash&) {}
                finished = ops.steps < step;
                EXPECT_TRUE(!finished || step >= 5);     // the save did fail in several places
                EXPECT_EQ(p.busyDepth, 0);
                if (r == DatabaseWrite::Failed) {
                    ASSERT_EQ(p.asked.size(), 1u);
                    // Steps: kardt.new, the staged history (a rename in place), the commit.
                    const std::string title = !newDir && step == 2 ? "Rename Stress History File" : "Loading Database";
                    EXPECT_EQ(std::tuple(p.asked[0].title, p.asked[0].text, p.asked[0].icon, s.DatabaseModified),
                              std::tuple(title, "Input/output error", Icon::Exclamation, true));
                    EXPECT_EQ(target.read("kardt.dat"), oldText);
                } else if (r == DatabaseWrite::Written) {
                    // After the commit: a completion step reports, the clean-up is silent.
                    EXPECT_LE(p.asked.size(), finished ? 0u : 1u);
                    EXPECT_EQ(std::tuple(s.DatabaseModified, target.read("kardt.dat")), std::tuple(false, newText));
                } else {
                    EXPECT_TRUE(crash && !finished);
                }

                AppState back;
                back.DatabaseDir = target.str();
                ScriptedPrompter quiet;
                ASSERT_EQ(ReadDatabase(back, quiet), DatabaseRead::Loaded);
                const std::string text = target.read("kardt.dat");
                if (text == oldText) {
                    EXPECT_EQ(std::tuple(back.BatchCount, histories(target)), std::tuple(3, oldFiles));
                } else {
                    EXPECT_EQ(std::tuple(text, back.BatchCount, target.read("karhs.1"), target.read("karhs.2")),
                              std::tuple(newText, 2, historyBytes(1), historyBytes(3)));
                }
                for (const std::string& name : target.entries())
                    EXPECT_EQ(name.find(".new"), std::string::npos) << name;
            }
        }
    }
}

}  // namespace
}  // namespace karmo
