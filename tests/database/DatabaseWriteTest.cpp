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

// A save of the batches not deleted, in place or into a directory that holds another database
// (histories "other <n>"), while each changing file operation in turn fails or stops the program;
// the last round runs through. The target then reads (after the recovery of the next read) as the
// complete old or the complete new database; a save that failed before its commit said why and
// kept DatabaseModified; the database saved from is never changed by a save elsewhere.
TEST(DatabaseWrite, RenumbersOrCopiesAndSurvivesAFailureOrStopAtAnyStep) {
    const std::string h1 = historyBytes(1), h2 = historyBytes(2), h3 = historyBytes(3), h4 = historyBytes(4);
    struct Case {
        int count;
        std::vector<int> deleted;
        int withoutHistory;     // slot whose batch has no history file to move (0: none)
        bool newDir, renumbered;
        int staged;             // history files staged before the commit
        Files files;            // the history files of the target afterwards
    };
    for (const Case& c : std::vector<Case>{
             {3, {2}, 0, false, true, 1, {{"karhs.1", h1}, {"karhs.2", h3}}},
             {3, {1}, 0, false, true, 2, {{"karhs.1", h2}, {"karhs.2", h3}}},
             // A deleted batch's file stays unless a renumbered history replaces it.
             {4, {1, 4}, 2, false, true, 1, {{"karhs.1", h1}, {"karhs.2", h3}, {"karhs.4", h4}}},
             {3, {2}, 0, true, true, 2, {{"karhs.1", h1}, {"karhs.2", h3}, {"karhs.3", "other 3"}}},
             {2, {}, 0, true, false, 2, {{"karhs.1", h1}, {"karhs.2", h2}}}}) {
        for (const bool crash : {false, true}) {
            bool finished = false;
            for (int step = 1; !finished; ++step) {
                SCOPED_TRACE(::testing::Message() << c.count << " batches, first deleted "
                                                  << (c.deleted.empty() ? 0 : c.deleted[0]) << ", new dir "
                                                  << c.newDir << ", crash " << crash << ", step " << step);
                TempDir dir, other;
                AppState s = test::database(c.count, 1, &dir);
                const Files sourceFiles = histories(dir);
                const std::string sourceText = dir.read("kardt.dat");
                const TempDir& target = c.newDir ? other : dir;
                if (c.newDir) {
                    other.write("kardt.dat", DatabaseFileText(test::database(1)));
                    for (int i = 1; i <= c.count; ++i) other.write(HistoryFileName(i), "other " + std::to_string(i));
                    s.DatabaseDir = other.str();
                }
                const std::string oldText = target.read("kardt.dat");
                const Files oldFiles = histories(target);
                for (int n : c.deleted) s.batch(n).Deleted = true;
                if (c.withoutHistory) s.batch(c.withoutHistory).PointCount = 0;
                s.DatabaseModified = true;
                const std::string newText = DatabaseFileText(s);

                test::FaultyOps ops;
                ops.failAt = step;
                ops.crash = crash;
                RecordingPrompter p;
                DatabaseWrite r = DatabaseWrite::Nothing;      // stays so when the program stopped
                try { r = WriteDatabase(s, p, ops); } catch (const test::Crash&) {}
                finished = ops.steps < step;
                EXPECT_TRUE(!finished || step > c.staged + 2);     // it did fail at every step
                EXPECT_EQ(p.busyDepth, 0);
                if (r == DatabaseWrite::Failed) {
                    ASSERT_EQ(p.asked.size(), 1u);
                    // Steps: kardt.new, the staged histories (renames in place), the commit.
                    const bool rename = !c.newDir && step >= 2 && step <= c.staged + 1;
                    EXPECT_EQ(std::tuple(p.asked[0].title, p.asked[0].text, p.asked[0].icon, s.DatabaseModified),
                              std::tuple(rename ? "Rename Stress History File" : "Loading Database",
                                         "Input/output error", Icon::Exclamation, true));
                    EXPECT_EQ(target.read("kardt.dat"), oldText);
                } else if (r == DatabaseWrite::Written) {
                    // After the commit: a completion step reports, the clean-up is silent.
                    EXPECT_LE(p.asked.size(), finished ? 0u : 1u);
                    EXPECT_EQ(std::tuple(s.DatabaseModified, s.HistoryDir, target.read("kardt.dat")),
                              std::tuple(false, target.str(), newText));
                    EXPECT_EQ(s.HistoryFilesRenumbered, c.renumbered);
                } else {
                    EXPECT_TRUE(crash && !finished);
                }

                AppState back;
                back.DatabaseDir = target.str();
                ScriptedPrompter quiet;
                ASSERT_EQ(ReadDatabase(back, quiet), DatabaseRead::Loaded);
                const std::string text = target.read("kardt.dat");
                if (text == oldText) {
                    EXPECT_EQ(std::tuple(back.BatchCount, histories(target)),
                              std::tuple(c.newDir ? 1 : c.count, oldFiles));
                } else {
                    EXPECT_EQ(std::tuple(text, back.BatchCount),
                              std::tuple(newText, c.count - static_cast<int>(c.deleted.size())));
                    for (const auto& [name, bytes] : c.files) EXPECT_EQ(target.read(name), bytes) << name;
                }
                EXPECT_TRUE(!finished || histories(target) == c.files);
                EXPECT_TRUE(!c.newDir || (histories(dir) == sourceFiles && dir.read("kardt.dat") == sourceText));
                for (const std::string& name : target.entries())
                    EXPECT_EQ(name.find(".new"), std::string::npos) << name;
            }
        }
    }
}

}  // namespace
}  // namespace karmo
