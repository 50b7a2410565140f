#include <gtest/gtest.h>

#include "DatabaseFixtures.h"
#include "database/BatchOps.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::database;
using test::ScriptedPrompter;

const std::string kMaximum = "The maximum number of data batches is reached. Please create a new Database";

// "&Next" (N), "&Previous" (P), SelectNewOrLastBatch (S) and a typed batch number (T). The
// panel starts on a new batch when the current slot is behind the last.
TEST(BatchNavigation, MovesBetweenBatches) {
    struct Case {   // message: 0 none, 'm' maximum, 'n' not numeric
        char op;
        const char* text;
        int count, current, accepted, after, newBatch;
        char message;
    };
    const std::vector<Case> cases = {
        {'N', "", 20, 20, false, 20, false, 'm'},
        {'N', "", 5, 3, true, 4, false, 0},
        {'N', "", 5, 5, true, 6, true, 0},
        {'P', "", 5, 6, true, 5, false, 0},
        {'P', "", 5, 1, true, 1, false, 0},
        {'S', "", 5, 0, true, 6, true, 0},
        {'S', "", 20, 0, true, 20, false, 0},
        {'T', "7", 5, 2, true, 6, true, 0},
        {'T', "3", 5, 6, true, 3, false, 0},
        {'T', "2.5", 5, 1, true, 2, false, 0},
        {'T', "99999", 5, 1, true, 6, true, 0},
        {'T', "25", 20, 4, true, 4, false, 'm'},
        {'T', "x", 5, 2, false, 2, false, 'n'},
        {'T', "0.5", 5, 2, false, 2, false, 'n'},
        {'T', "-3", 5, 2, false, 2, false, 'n'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.op << " " << c.text << " on " << c.current << " of " << c.count);
        AppState s = database(c.count, c.current);
        s.NewBatch = c.current > c.count;
        const AppState before = s;
        ScriptedPrompter p;
        if (c.message == 'n') p.expect("Loading Database", "The batch number must be numeric", Icon::Critical);
        if (c.message == 'm') p.expect("Next Data Batch", kMaximum, Icon::Information);
        bool accepted = true;
        if (c.op == 'N') accepted = NextBatch(s, p);
        if (c.op == 'P') accepted = PreviousBatch(s);
        if (c.op == 'S') SelectNewOrLastBatch(s);
        if (c.op == 'T') {
            const BatchEntry r = EnterBatchNumber(s, p, c.text);
            accepted = r.accepted;
            EXPECT_EQ(r.boxText, accepted ? std::to_string(c.after) : c.text);
            EXPECT_EQ(r.changed, accepted && !c.message);
        }
        EXPECT_EQ(std::tuple(accepted, s.CurrentBatch, s.NewBatch),
                  std::tuple(c.accepted == 1, c.after, c.newBatch == 1));
        EXPECT_TRUE(!c.message || s.Batches == before.Batches);
    }
    AppState busy = database(5, 3);
    busy.UiMode = 0;
    EXPECT_FALSE(PreviousBatch(busy));
}

TEST(BatchNavigation, ANewSlotForgetsWhatAnEarlierDatabaseLeftThere) {
    AppState s = database(5, 5);
    test::fillBatch(s.batch(6), 6);
    s.batch(6).Deleted = true;
    s.batch(6).Title = "old title";
    ScriptedPrompter p;
    EXPECT_TRUE(NextBatch(s, p));
    const BatchRecord cleared{.Quantity = "Stress ", .Name = "Batch 6", .Title = {}};
    EXPECT_EQ(static_cast<const BatchRecord&>(s.batch(6)), cleared);
    EXPECT_EQ(std::tuple(s.batch(6).Saved.Name, s.batch(6).Deleted, s.batch(6).HasHistory),
              std::tuple("", false, false));
    s.batch(6).Name = "typed";          // "&Next" again on the new batch keeps a typed name
    EXPECT_TRUE(NextBatch(s, p));
    EXPECT_EQ(s.batch(6).Name, "typed");
    s.NewBatch = false;                 // clearing a batch that is not new keeps its saved copy
    ClearBatch(s, 2);
    EXPECT_EQ(std::tuple(s.batch(2).PointCount, s.batch(2).Saved.PointCount), std::tuple(0, 1000));
}

TEST(BatchNavigation, DeleteAndUndeleteLeaveTheDatabaseModified) {
    AppState s = database(3, 2);
    EXPECT_EQ(DeleteButtonCaption(s), "&Delete");
    EXPECT_TRUE(ToggleBatchDeleted(s));
    EXPECT_EQ(std::tuple(s.DatabaseModified, DeleteButtonCaption(s)), std::tuple(true, "&Undelete"));
    EXPECT_FALSE(ToggleBatchDeleted(s));
    EXPECT_EQ(std::tuple(s.batch(2).Deleted, s.DatabaseModified), std::tuple(false, true));
}

TEST(BatchNames, ChangesMarkTheDatabaseUnlessTheBatchIsNewAndQuotesAreRefused) {
    AppState s = database(3, 2);
    ScriptedPrompter p;
    EXPECT_TRUE(SetBatchName(s, p, "Batch 2"));
    EXPECT_FALSE(s.DatabaseModified);
    EXPECT_TRUE(SetBatchName(s, p, "Rear axle, left"));
    EXPECT_TRUE(s.DatabaseModified);
    s.DatabaseModified = false;
    SelectNewOrLastBatch(s);
    EXPECT_TRUE(SetBatchName(s, p, "new one"));
    EXPECT_FALSE(s.DatabaseModified);
    p.expect("Loading Database", "A batch name cannot contain a double quote (\").", Icon::Critical);
    EXPECT_FALSE(SetBatchName(s, p, "6\" pipe"));
    EXPECT_EQ(s.batch(4).Name, "new one");
}

// {levels at the history edit, spectrum rebuilt since, has history}: what the save clears.
TEST(BatchRecords, ClearDerivedDataCommitAndRevert) {
    for (auto [atEdit, rebuilt, history] : {std::tuple{true, false, true}, {true, false, false}, {true, true, true}}) {
        AppState s = database(2);
        s.LevelsAtHistoryEdit = atEdit;
        s.SpectrumRebuilt = rebuilt;
        s.batch().HasHistory = history;
        ClearDerivedData(s);
        const DataBatch& b = s.batch();
        EXPECT_EQ(std::tuple(b.LevelCount, b.MaxRange, b.Volume, b.UltimateStrength, b.YieldStrength, b.RecordTime),
                  rebuilt ? std::tuple(2, 151.0f, 110, 501.0f, 300.0f, 10.0f)
                          : std::tuple(0, 0.0f, 0, 0.0f, 0.0f, history ? 10.0f : 0.0f));
    }
    AppState s = database(2);
    DataBatch& b = s.batch();
    s.WorkLevelRange[1] = 160;
    s.WorkLevelCycles[2] = 200.5f;      // rounded half to even
    b.Name = "renamed";
    CommitBatch(s);
    EXPECT_EQ(std::tuple(b.LevelRange[1], b.LevelCycles[2]), std::tuple(160.0f, 200));
    const BatchRecord committed = b;
    EXPECT_EQ(b.Saved, committed);
    b.LevelCount = 7;
    b.Name = "edited";
    b.PointCount = 40;
    b.Title = "other";
    RevertBatch(s);
    EXPECT_EQ(std::tuple(b.LevelCount, b.Name, b.PointCount), std::tuple(2, "renamed", 40));   // not the history
    RevertHistory(s);
    EXPECT_EQ(static_cast<const BatchRecord&>(b), committed);
}

TEST(BatchEdits, EditHistoryAsksBeforeOverwritingASpectrumAndSpectrumEditKeepsAHistory) {
    AppState s = database(2, 2);
    s.batch(2).PointCount = 0;      // levels but no history
    s.batch(2).Name.clear();
    s.HistoryModified = true;
    ScriptedPrompter p;
    for (Answer a : {Answer::No, Answer::Yes})
        p.expect("Editing Stress History", "Overwrite the existing data?", Icon::Exclamation, a);
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::Stopped);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::ChooseInput);
    EXPECT_EQ(std::tuple(s.batch(2).Name, s.HistoryModified, s.LevelsAtHistoryEdit),
              std::tuple("Batch 2", false, true));
    s.CurrentBatch = 1;             // has a history: load its file, no question
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::LoadFile);
    // "Edit &Spectrum" on a batch without levels: new only when it has no history either.
    s.batch(1).LevelCount = 0;
    PrepareSpectrumEdit(s);
    EXPECT_EQ(std::tuple(s.NewBatch, s.batch(1).PointCount), std::tuple(false, 1000));
    s.batch(1).PointCount = 0;
    PrepareSpectrumEdit(s);
    EXPECT_EQ(std::tuple(s.NewBatch, s.batch(1).UltimateStrength), std::tuple(true, 0.0f));
}

}  // namespace
}  // namespace karmo
