#include <gtest/gtest.h>

#include "DatabaseFixtures.h"
#include "database/BatchOps.h"
#include "database/DataServices.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::database;
using test::historyBytes;
using test::ScriptedPrompter;
using test::TempDir;

const std::string kSaving = "Saving Loading Database";
const std::string kReload = "Some batch data was deleted.\nThe Database will be reloaded.";
const std::string kUpdate =
    "The Database will be updated and saved to contain the new Stress History.\n Would you like to continue?";

// A short alternating history, changed, in the current batch: starts at its largest magnitude.
void giveHistory(AppState& s, const std::string& file) {
    s.Values = {0, -100, 100, -50, 80, 0};
    s.batch().PointCount = s.ProcessedCount = 4;
    s.batch().Title = "Measured";
    s.batch().MaxValue = 100;
    s.batch().MinValue = -100;
    s.HistoryModified = true;
    s.SavingHistory = true;
    s.SaveFileName = file;
}

TEST(SaveDatabase, RenumberedSaveReloadsAndStaysOnTheCurrentBatch) {
    TempDir dir;
    AppState s = database(3, 3, &dir);
    s.batch(1).Deleted = true;
    s.batch(3).Title = "third";
    s.DatabaseModified = true;
    ScriptedPrompter p;
    p.expect(kSaving, kReload, Icon::Exclamation);
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_EQ(std::tuple(out.hideDialog, out.reloaded, s.BatchCount, s.CurrentBatch, s.batch().Name, s.batch().Title),
              std::tuple(true, true, 2, 2, "Batch 3", "third"));
    EXPECT_EQ(std::tuple(s.HistoryFilesRenumbered, s.DatabaseModified, p.busyDepth), std::tuple(false, false, 0));
}

TEST(SaveDatabase, ASaveThatDoesNotGoThroughKeepsTheModifiedFlag) {
    for (const bool deleteAll : {false, true}) {
        TempDir dir;
        AppState s = database(2, 1, &dir);
        const std::string before = dir.read("kardt.dat");
        s.DatabaseModified = true;
        test::FaultyOps ops;
        ScriptedPrompter p;
        if (deleteAll) {
            s.batch(1).Deleted = s.batch(2).Deleted = true;
            p.expect("Write Loading Database",
                     "You have deleted all data in this Database. Press Yes to delete the "
                     "Database, or No to stop saving the Database", Icon::Question, Answer::No);
        } else {
            ops.failAt = 1;
            p.expect("Loading Database", "Input/output error", Icon::Exclamation);
        }
        EXPECT_EQ(SaveFromDialog(s, p, ops).hideDialog, deleteAll);   // "No" ends the dialog
        EXPECT_EQ(std::tuple(s.DatabaseModified, dir.read("kardt.dat")), std::tuple(true, before));
    }
}

TEST(SaveDatabase, IntoAnotherDirectoryAsksAboutWhatIsThere) {
    for (auto [first, second] : {std::pair{Answer::No, Answer::No}, {Answer::Yes, Answer::No},
                                 {Answer::Yes, Answer::Yes}}) {
        TempDir from, to;
        AppState s = database(3, 1, &from);
        s.batch(2).Deleted = true;          // batch 3 is written as 2
        to.write("kardt.dat", "old");
        to.write("karhs.2", "other 2");
        to.write("karhs.3", "other 3");     // no batch is written as 3
        s.DatabaseDir = to.str();
        ScriptedPrompter p;
        p.expect(kSaving, "Other Database found in the directory!\nWould you like to overwrite it?",
                 Icon::Exclamation, first);
        if (first == Answer::Yes)
            p.expect(kSaving,
                     "1 other Stress History(ies) found in the directory,\nwhich will be "
                     "overwritten by saving the Database.\nWould you like to continue?", Icon::Exclamation, second);
        const bool saved = second == Answer::Yes;
        if (saved) p.expect(kSaving, kReload);
        EXPECT_EQ(SaveFromDialog(s, p).hideDialog, saved);
        EXPECT_EQ(std::tuple(to.read("kardt.dat") != "old", to.read("karhs.2"), s.HistoryDir),
                  std::tuple(saved, saved ? historyBytes(3) : "other 2", saved ? to.str() : from.str()));
    }
}

TEST(SaveHistory, IntoItsOwnBatchUpdatesTheDatabaseOnlyOnYes) {
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TempDir dir;
        AppState s = database(2, 1, &dir);
        SelectNewOrLastBatch(s);            // batch 3, new
        giveHistory(s, "karhs.3");
        ScriptedPrompter p;
        p.expect("Saving Stress History", kUpdate, Icon::Question, answer);
        EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
        const bool yes = answer == Answer::Yes;
        EXPECT_EQ(std::tuple(s.BatchCount, s.NewBatch, s.HistoryModified, s.batch(3).Saved.PointCount),
                  std::tuple(yes ? 3 : 2, !yes, !yes, yes ? 4 : 0));
        EXPECT_EQ(dir.read("karhs.3"), yes ? "\"Measured\"\r\n5\r\n0\r\n-100\r\n100\r\n-50\r\n80\r\n-100\r\n" : "");
        AppState back;
        back.DatabaseDir = dir.str();
        ASSERT_EQ(ReadDatabase(back, p), DatabaseRead::Loaded);
        EXPECT_EQ(std::tuple(back.BatchCount, back.batch(3).Name, back.batch(3).PointCount),
                  yes ? std::tuple(3, "Batch 3", 5) : std::tuple(2, "", 0));
    }
}

TEST(SaveHistory, ConflictsBlockTheSave) {
    TempDir dir;
    AppState s = database(2, 2, &dir);
    giveHistory(s, "karhs.2");
    s.Values = {0, -100, 100, 100, 80, 0};      // two equal neighbours
    ScriptedPrompter p;
    p.expect("Check Stress History",
             "The Stress History has conflicting values at Stress index 3\nRemove the conflict?",
             Icon::Exclamation, Answer::No);
    p.expect("Stress History", "Please use the Correction option to correct the conflicting values.",
             Icon::Information);
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_EQ(std::tuple(out.focusCorrection, out.hideDialog, dir.read("karhs.2")),
              std::tuple(true, false, historyBytes(2)));
}

TEST(SaveHistory, UnderAnotherNameAsksBeforeOverwritingAndAboutTheDatabase) {
    TempDir dir;
    AppState s = database(3, 1, &dir);
    giveHistory(s, "karhs.2");      // another batch's file
    s.HistoryModified = false;
    ScriptedPrompter p;
    for (Answer a : {Answer::No, Answer::Yes}) {
        p.expect("Saving Stress History", "File 'karhs.2' already exists!\nWould you like to overwrite it?",
                 Icon::Exclamation, Answer::Yes);
        p.expect("Saving Stress History", "This operation will conflit the Database!\nWould you like to continue?",
                 Icon::Exclamation, a);
        EXPECT_EQ(SaveFromDialog(s, p).hideDialog, a == Answer::Yes);
        EXPECT_EQ(dir.read("karhs.2") == historyBytes(2), a == Answer::No);
    }
    EXPECT_EQ(std::tuple(s.HistoryModified, s.ClosingPointAdded), std::tuple(true, 0));
    // Other names are asked about only when they exist; a number beyond the batches is no conflict.
    s.SaveFileName = "karhs.9";
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    for (Answer a : {Answer::Yes, Answer::No}) {
        p.expect("Saving Stress History", "File 'karhs.9' already exists!\nWould you like to overwrite it?",
                 Icon::Exclamation, a);
        EXPECT_EQ(SaveFromDialog(s, p).hideDialog, a == Answer::Yes);
    }
}

TEST(NewDatabase, CreateSaveTheFirstHistoryAndOpenAgain) {
    TempDir dir;
    AppState s = database(20, 20);
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.batch(1).Name = "left from before";
    ScriptedPrompter p;
    p.expect("Loading Database", "No such file or directory", Icon::Exclamation);
    EXPECT_FALSE(OpenDatabaseAction(s, p));     // a failed read keeps the dialog and the state
    ASSERT_TRUE(NewDatabaseAction(s, p));
    EXPECT_EQ(std::tuple(s.CurrentBatch, s.NewBatch, s.NewDatabaseSession, s.BatchCount, s.batch(1).Name),
              std::tuple(1, true, true, 0, "Batch 1"));
    giveHistory(s, "karhs.1");
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_EQ(std::tuple(out.hideDialog, out.showBatch, s.NewDatabaseSession, s.BatchCount),
              std::tuple(true, true, false, 1));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"kardt.dat", "karhs.1"}));
    for (Answer a : {Answer::No, Answer::Yes})
        p.expect("Edit New Loading Database",
                 "Loading Database in the current directory already exists!\nWould you like to edit a new one anyway?",
                 Icon::Exclamation, a);
    EXPECT_FALSE(NewDatabaseAction(s, p));
    ASSERT_TRUE(NewDatabaseAction(s, p));
    giveHistory(s, "karhs.1");
    s.batch(1).Name = "second";
    const std::string first = dir.read("kardt.dat");
    for (Answer a : {Answer::No, Answer::Yes})
        p.expect("Writing New Loading Database",
                 "A Loading Database in the current directory already exists!\nWould you like to overwrite it?",
                 Icon::Exclamation, a);
    EXPECT_FALSE(SaveFromDialog(s, p).hideDialog);
    EXPECT_EQ(std::tuple(dir.read("kardt.dat"), s.NewDatabaseSession), std::tuple(first, true));
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    EXPECT_EQ(std::tuple(dir.read("kardt.dat"), s.NewDatabaseSession), std::tuple(DatabaseFileText(s), false));
    AppState other = database(20, 20);      // opening starts behind the last batch
    other.DatabaseDir = dir.str();
    ASSERT_TRUE(OpenDatabaseAction(other, p));
    EXPECT_EQ(std::tuple(other.BatchCount, other.CurrentBatch, other.NewBatch, other.HistoryDir),
              std::tuple(1, 2, true, dir.str()));
    dir.write("kardt.dat", "-3 \r\n 0 \r\n");
    EXPECT_FALSE(OpenDatabaseAction(other, p));
    EXPECT_EQ(std::tuple(other.BatchCount, other.CurrentBatch), std::tuple(1, 2));
}

TEST(OpenDatabase, AChangedDatabaseIsOfferedForSaving) {
    TempDir dir;
    AppState s = database(2, 1, &dir);
    ScriptedPrompter p;
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));      // unchanged: no question
    s.DatabaseModified = true;
    s.batch(2).Name = "changed";
    for (Answer a : {Answer::Cancel, Answer::No, Answer::Yes})
        p.expect("Loading Database", "Database is changed, would you like to save it?", Icon::Exclamation, a);
    EXPECT_FALSE(ConfirmLeavingDatabase(s, p));
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));
    EXPECT_EQ(dir.read("kardt.dat").find("changed"), std::string::npos);
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));
    EXPECT_EQ(std::tuple(dir.read("kardt.dat").find("changed") != std::string::npos, s.DatabaseModified),
              std::tuple(true, false));
}

}  // namespace
}  // namespace karmo
