#include <gtest/gtest.h>

#include "DatabaseFixtures.h"
#include "database/BatchOps.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::fillBatch;

const std::string kMaximum =
    "The maximum number of data batches is reached. Please create a new Database";
const std::string kNotNumeric = "The batch number must be numeric";

AppState database(int count, int current) {
    AppState s;
    for (int i = 1; i <= count; ++i) fillBatch(s.batch(i), i);
    s.BatchCount = static_cast<int16_t>(count);
    s.CurrentBatch = static_cast<int16_t>(current);
    return s;
}

TEST(BatchNavigation, NextOnBatch20OfAFullDatabaseShowsTheMaximumMessage) {
    AppState s = database(20, 20);
    const AppState before = s;
    ScriptedPrompter p;
    p.expect("Next Data Batch", kMaximum, Icon::Information);
    EXPECT_FALSE(NextBatch(s, p));
    EXPECT_EQ(s.CurrentBatch, 20);
    EXPECT_EQ(s.Batches, before.Batches);
}

TEST(BatchNavigation, NextWalksOnAndOpensANewBatchBehindTheLast) {
    AppState s = database(5, 3);
    s.NewBatch = true;
    ScriptedPrompter p;
    EXPECT_TRUE(NextBatch(s, p));
    EXPECT_EQ(s.CurrentBatch, 4);
    EXPECT_FALSE(s.NewBatch);
    s.CurrentBatch = 5;
    fillBatch(s.batch(6), 6);       // a batch of a database read earlier
    s.batch(6).Deleted = true;
    EXPECT_TRUE(NextBatch(s, p));
    EXPECT_EQ(s.CurrentBatch, 6);
    EXPECT_TRUE(s.NewBatch);
    const DataBatch& b = s.batch(6);
    EXPECT_EQ(b.Name, "Batch 6");
    EXPECT_EQ(b.Title, "");
    EXPECT_EQ(b.PointCount, 0);
    EXPECT_EQ(b.LevelCount, 0);
    EXPECT_EQ(b.UltimateStrength, 0.0f);
    BatchRecord cleared;
    cleared.Quantity = "Stress ";
    EXPECT_EQ(b.Saved, cleared);
    EXPECT_FALSE(b.Deleted);
    EXPECT_FALSE(b.HasHistory);
    // "&Next" again on the new batch keeps it (and a name typed into it).
    s.batch(6).Name = "typed";
    EXPECT_TRUE(NextBatch(s, p));
    EXPECT_EQ(s.CurrentBatch, 6);
    EXPECT_EQ(s.batch(6).Name, "typed");
}

TEST(BatchNavigation, PreviousStopsAtOne) {
    AppState s = database(5, 3);
    s.NewBatch = true;
    EXPECT_TRUE(PreviousBatch(s));
    EXPECT_EQ(s.CurrentBatch, 2);
    EXPECT_FALSE(s.NewBatch);
    s.CurrentBatch = 1;
    EXPECT_TRUE(PreviousBatch(s));
    EXPECT_EQ(s.CurrentBatch, 1);
    s.UiMode = 0;
    EXPECT_FALSE(PreviousBatch(s));
}

struct Entry {
    const char* text;
    int batchCount, current;
    bool accepted;
    int after;          // CurrentBatch afterwards
    const char* box;
    bool newBatch;
    const char* message;    // "" none, "n" not numeric, "m" maximum
};

TEST(BatchNavigation, TypedBatchNumbers) {
    const std::vector<Entry> cases = {
        {"7", 5, 2, true, 6, "6", true, ""},
        {"3", 5, 6, true, 3, "3", false, ""},
        {" 5 ", 5, 1, true, 5, "5", false, ""},
        {"2.4", 5, 1, true, 2, "2", false, ""},
        {"99999", 5, 1, true, 6, "6", true, ""},
        {"25", 20, 4, true, 4, "4", false, "m"},
        {"x", 5, 2, false, 2, "x", false, "n"},
        {"", 5, 2, false, 2, "", false, "n"},
        {"0", 5, 2, false, 2, "0", false, "n"},
        {"-3", 5, 2, false, 2, "-3", false, "n"},
        {"0.4", 5, 2, false, 2, "0.4", false, "n"},
    };
    for (const Entry& c : cases) {
        SCOPED_TRACE(c.text);
        AppState s = database(c.batchCount, c.current);
        ScriptedPrompter p;
        if (c.message[0] == 'n') p.expect("Loading Database", kNotNumeric, Icon::Critical);
        if (c.message[0] == 'm') p.expect("Next Data Batch", kMaximum, Icon::Information);
        const BatchEntry r = EnterBatchNumber(s, p, c.text);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(s.CurrentBatch, c.after);
        EXPECT_EQ(r.boxText, c.box);
        EXPECT_EQ(s.NewBatch, c.newBatch);
        EXPECT_EQ(r.changed, c.accepted && c.message[0] == 0);
    }
}

TEST(BatchNavigation, DeleteAndUndeleteLeaveTheDatabaseModified) {
    AppState s = database(3, 2);
    EXPECT_EQ(DeleteButtonCaption(s), "&Delete");
    EXPECT_TRUE(ToggleBatchDeleted(s));
    EXPECT_TRUE(s.batch(2).Deleted);
    EXPECT_TRUE(s.DatabaseModified);
    EXPECT_EQ(DeleteButtonCaption(s), "&Undelete");
    EXPECT_FALSE(ToggleBatchDeleted(s));
    EXPECT_FALSE(s.batch(2).Deleted);
    EXPECT_TRUE(s.DatabaseModified);
    EXPECT_EQ(DeleteButtonCaption(s), "&Delete");
}

TEST(BatchNavigation, SelectNewOrLastBatch) {
    AppState s = database(5, 0);
    SelectNewOrLastBatch(s);
    EXPECT_EQ(s.CurrentBatch, 6);
    EXPECT_TRUE(s.NewBatch);
    AppState full = database(20, 0);
    full.NewBatch = true;
    SelectNewOrLastBatch(full);
    EXPECT_EQ(full.CurrentBatch, 20);
    EXPECT_FALSE(full.NewBatch);
}

TEST(BatchNames, ChangesMarkTheDatabaseUnlessTheBatchIsNew) {
    AppState s = database(3, 2);
    ScriptedPrompter p;
    EXPECT_TRUE(SetBatchName(s, p, "Batch 2"));      // unchanged
    EXPECT_FALSE(s.DatabaseModified);
    EXPECT_TRUE(SetBatchName(s, p, "Rear axle, left"));
    EXPECT_EQ(s.batch(2).Name, "Rear axle, left");
    EXPECT_TRUE(s.DatabaseModified);

    s.DatabaseModified = false;
    SelectNewOrLastBatch(s);
    EXPECT_TRUE(SetBatchName(s, p, "new one"));
    EXPECT_EQ(s.batch(4).Name, "new one");
    EXPECT_FALSE(s.DatabaseModified);

    p.expect("Loading Database", "A batch name cannot contain a double quote (\").", Icon::Critical);
    EXPECT_FALSE(SetBatchName(s, p, "6\" pipe"));
    EXPECT_EQ(s.batch(4).Name, "new one");
}

TEST(BatchRecords, ClearBatchKeepsTheSavedCopyOfACountedBatch) {
    AppState s = database(3, 2);
    s.batch(2).Name.clear();
    ClearBatch(s, 2);
    const DataBatch& b = s.batch(2);
    EXPECT_EQ(b.Name, "Batch 2");
    EXPECT_EQ(b.PointCount, 0);
    EXPECT_EQ(b.LevelRange[1], 0.0f);
    EXPECT_EQ(b.YieldStrength, 0.0f);
    EXPECT_EQ(b.Quantity, "Stress ");
    EXPECT_EQ(b.Saved.PointCount, 1000);      // not new: the saved copy stays
}

TEST(BatchRecords, ClearDerivedDataOnlyWhenTheSpectrumIsStale) {
    struct Case {
        bool levelsAtEdit, rebuilt, hasHistory, clears, clearsTime;
    };
    for (const Case c : {Case{true, false, true, true, false}, Case{true, false, false, true, true},
                         Case{true, true, true, false, false}, Case{false, false, true, false, false}}) {
        AppState s = database(2, 1);
        s.LevelsAtHistoryEdit = c.levelsAtEdit;
        s.SpectrumRebuilt = c.rebuilt;
        s.batch().HasHistory = c.hasHistory;
        ClearDerivedData(s);
        const DataBatch& b = s.batch();
        EXPECT_EQ(b.LevelCount == 0, c.clears);
        EXPECT_EQ(b.MaxRange == 0 && b.MinRange == 0 && b.Volume == 0 && b.FitQ == 0 &&
                      b.FitR == 0 && b.UltimateStrength == 0 && b.YieldStrength == 0 &&
                      b.NotchFactor == 0,
                  c.clears);
        EXPECT_EQ(b.RecordTime == 0, c.clearsTime);
        EXPECT_EQ(b.PointCount, 1000);
    }
}

TEST(BatchRecords, CommitRevertAndRevertHistory) {
    AppState s = database(2, 1);
    DataBatch& b = s.batch();
    s.WorkLevelRange[1] = 160;
    s.WorkLevelCycles[1] = 12;
    s.WorkLevelRange[2] = 80;
    s.WorkLevelCycles[2] = 200;
    b.Name = "renamed";
    b.PointCount = 500;
    CommitBatch(s);
    EXPECT_EQ(b.LevelRange[1], 160.0f);
    EXPECT_EQ(b.LevelCycles[2], 200);
    EXPECT_EQ(b.Saved, static_cast<const BatchRecord&>(b));

    const BatchRecord committed = b;
    b.LevelCount = 7;
    b.FitQ = 3;
    b.Name = "edited";
    b.PointCount = 40;
    b.RecordTime = 1;
    b.Title = "other";
    RevertBatch(s);
    EXPECT_EQ(b.LevelCount, committed.LevelCount);
    EXPECT_EQ(b.FitQ, committed.FitQ);
    EXPECT_EQ(b.Name, "renamed");
    EXPECT_EQ(b.PointCount, 40);             // the history summary is RevertHistory's
    RevertHistory(s);
    EXPECT_EQ(static_cast<const BatchRecord&>(b), committed);
}

TEST(BatchEdits, EditHistoryAsksBeforeOverwritingASpectrum) {
    AppState s = database(2, 2);
    s.batch(2).PointCount = 0;      // levels but no history
    s.batch(2).Name.clear();
    s.HistoryModified = true;
    ScriptedPrompter p;
    p.expect("Editing Stress History", "Overwrite the existing data?", Icon::Exclamation, Answer::No);
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::Stopped);
    EXPECT_TRUE(s.HistoryModified);
    p.expect("Editing Stress History", "Overwrite the existing data?", Icon::Exclamation, Answer::Yes);
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::ChooseInput);
    EXPECT_EQ(s.batch(2).Name, "Batch 2");
    EXPECT_FALSE(s.HistoryModified);
    EXPECT_TRUE(s.LevelsAtHistoryEdit);
    EXPECT_FALSE(s.SpectrumRebuilt);

    s.CurrentBatch = 1;         // has a history: load its file, no question
    EXPECT_EQ(EditHistoryClick(s, p), EditHistoryStep::LoadFile);
}

TEST(BatchEdits, SpectrumEditOfAnEmptyBatchMakesItNew) {
    AppState s = database(2, 2);
    s.batch(2).LevelCount = 0;
    PrepareSpectrumEdit(s);             // it has a history: kept
    EXPECT_FALSE(s.NewBatch);
    EXPECT_EQ(s.batch(2).PointCount, 1000);
    s.batch(2).PointCount = 0;
    s.batch(2).Name.clear();
    PrepareSpectrumEdit(s);
    EXPECT_TRUE(s.NewBatch);
    EXPECT_EQ(s.batch(2).Name, "Batch 2");
    EXPECT_EQ(s.batch(2).UltimateStrength, 0.0f);
}

}  // namespace
}  // namespace karmo
