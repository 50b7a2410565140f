#include <gtest/gtest.h>

#include <filesystem>

#include "DatabaseFixtures.h"
#include "database/BatchOps.h"
#include "database/DataServices.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::TempDir;
using test::historyBytes;
using test::makeDatabase;

const std::string kReload = "Some batch data was deleted.\nThe Database will be reloaded.";

// A short alternating history in the current batch: starts at its largest magnitude.
void giveHistory(AppState& s) {
    s.Values = {0, -100, 100, -50, 80, 0};
    DataBatch& b = s.batch();
    b.PointCount = 4;
    b.MaxValue = 100;
    b.MinValue = -100;
    b.Title = "Measured";
    s.ProcessedCount = 4;
    s.HistoryModified = true;
}

TEST(SaveDatabase, RenumberedSaveReloadsAndStaysOnTheCurrentBatch) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 3);
    s.batch(1).Deleted = true;
    s.CurrentBatch = 3;
    s.batch(3).Title = "third";
    s.DataMode = 1;
    s.DatabaseModified = true;
    ScriptedPrompter p;
    p.expect("Saving Loading Database", kReload, Icon::Exclamation);
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_TRUE(out.hideDialog);
    EXPECT_TRUE(out.reloaded);
    EXPECT_EQ(s.BatchCount, 2);
    EXPECT_EQ(s.CurrentBatch, 2);
    EXPECT_EQ(s.batch().Name, "Batch 3");
    EXPECT_EQ(s.batch().Title, "third");
    EXPECT_FALSE(s.HistoryFilesRenumbered);
    EXPECT_FALSE(s.DatabaseModified);
    EXPECT_EQ(dir.read("karhs.1"), historyBytes(2));
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(SaveDatabase, AFailedWriteKeepsTheDialogAndTheModifiedFlag) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 2);
    s.DatabaseModified = true;
    const std::string before = dir.read("kardt.dat");
    test::FaultyOps ops;
    ops.failAt = 1;
    ScriptedPrompter p;
    p.expect("Loading Database", "Input/output error", Icon::Exclamation);
    const SaveOutcome out = SaveFromDialog(s, p, ops);
    EXPECT_EQ(dir.read("kardt.dat"), before);
    EXPECT_FALSE(out.hideDialog);
    EXPECT_TRUE(s.DatabaseModified);
}

TEST(SaveDatabase, IntoAnotherDirectoryAsksAboutWhatIsThere) {
    for (Answer first : {Answer::No, Answer::Yes}) {
        for (Answer second : {Answer::No, Answer::Yes}) {
            if (first == Answer::No && second == Answer::Yes) continue;
            TempDir from, to;
            AppState s;
            makeDatabase(s, from, 3);
            s.batch(2).Deleted = true;          // batch 3 is written as 2
            to.write("kardt.dat", "old");
            to.write("karhs.2", "other 2");
            to.write("karhs.3", "other 3");     // no batch is written as 3
            s.DatabaseDir = to.str();
            ScriptedPrompter p;
            p.expect("Saving Loading Database",
                     "Other Database found in the directory!\nWould you like to overwrite it?",
                     Icon::Exclamation, first);
            if (first == Answer::Yes) {
                p.expect("Saving Loading Database",
                         "1 other Stress History(ies) found in the directory,\nwhich will be "
                         "overwritten by saving the Database.\nWould you like to continue?",
                         Icon::Exclamation, second);
                if (second == Answer::Yes) p.expect("Saving Loading Database", kReload);
            }
            const SaveOutcome out = SaveFromDialog(s, p);
            const bool saved = first == Answer::Yes && second == Answer::Yes;
            EXPECT_EQ(out.hideDialog, saved);
            EXPECT_EQ(to.read("kardt.dat") != "old", saved);
            EXPECT_EQ(to.read("karhs.2"), saved ? historyBytes(3) : "other 2");
            EXPECT_EQ(to.read("karhs.1"), saved ? historyBytes(1) : "");
            if (saved) {
                EXPECT_EQ(s.HistoryDir, to.str());
            }
        }
    }
}

TEST(SaveDatabase, DeleteAllAnsweredNoHidesTheDialogAndKeepsTheFlag) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 1);
    s.batch(1).Deleted = true;
    s.DatabaseModified = true;
    ScriptedPrompter p;
    p.expect("Write Loading Database",
             "You have deleted all data in this Database. Press Yes to delete the Database, or "
             "No to stop saving the Database",
             Icon::Question, Answer::No);
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    EXPECT_TRUE(s.DatabaseModified);
}

TEST(SaveHistory, IntoItsOwnBatchUpdatesTheDatabase) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 2);
    SelectNewOrLastBatch(s);            // batch 3, new
    s.batch().Name.clear();
    giveHistory(s);
    s.SavingHistory = true;
    s.SaveFileName = "karhs.3";
    ScriptedPrompter p;
    p.expect("Saving Stress History",
             "The Database will be updated and saved to contain the new Stress History.\n Would "
             "you like to continue?",
             Icon::Question, Answer::Yes);
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_TRUE(out.hideDialog);
    EXPECT_EQ(s.BatchCount, 3);
    EXPECT_FALSE(s.NewBatch);
    EXPECT_FALSE(s.HistoryModified);
    EXPECT_FALSE(s.DatabaseModified);
    EXPECT_TRUE(s.batch(3).HasHistory);
    EXPECT_EQ(s.batch(3).Name, "Batch 3");
    EXPECT_EQ(s.batch(3).Saved.PointCount, 4);
    EXPECT_EQ(s.ClosingPointAdded, 1);
    EXPECT_EQ(dir.read("karhs.3"), "\"Measured\"\r\n5\r\n0\r\n-100\r\n100\r\n-50\r\n80\r\n-100\r\n");
    AppState back;
    back.DatabaseDir = dir.str();
    ASSERT_EQ(ReadDatabase(back, p), DatabaseRead::Loaded);
    EXPECT_EQ(back.BatchCount, 3);
    EXPECT_EQ(back.batch(3).PointCount, 5);
}

TEST(SaveHistory, NoToTheUpdateSavesNothing) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 2);
    const std::string before = dir.read("kardt.dat");
    s.CurrentBatch = 2;
    giveHistory(s);
    s.SavingHistory = true;
    s.SaveFileName = "karhs.2";
    ScriptedPrompter p;
    p.expect("Saving Stress History",
             "The Database will be updated and saved to contain the new Stress History.\n Would "
             "you like to continue?",
             Icon::Question, Answer::No);
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(dir.read("kardt.dat"), before);
    EXPECT_EQ(dir.read("karhs.2"), historyBytes(2));
}

TEST(SaveHistory, ConflictsBlockTheSave) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 2);
    s.CurrentBatch = 2;
    giveHistory(s);
    s.Values = {0, -100, 100, 100, 80, 0};      // two equal neighbours
    s.SavingHistory = true;
    s.SaveFileName = "karhs.2";
    ScriptedPrompter p;
    p.expect("Check Stress History",
             "The Stress History has conflicting values at Stress index 3\nRemove the conflict?",
             Icon::Exclamation, Answer::No);
    p.expect("Stress History", "Please use the Correction option to correct the conflicting values.",
             Icon::Information);
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_TRUE(out.focusCorrection);
    EXPECT_FALSE(out.hideDialog);
    EXPECT_EQ(dir.read("karhs.2"), historyBytes(2));
}

TEST(SaveHistory, UnderAnotherNameAsksBeforeOverwritingAndAboutTheDatabase) {
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 3);
    s.CurrentBatch = 1;
    giveHistory(s);
    s.HistoryModified = false;
    s.SavingHistory = true;
    s.SaveFileName = "karhs.2";     // another batch's file
    ScriptedPrompter p;
    p.expect("Saving Stress History", "File 'karhs.2' already exists!\nWould you like to overwrite it?",
             Icon::Exclamation, Answer::Yes);
    p.expect("Saving Stress History", "This operation will conflit the Database!\nWould you like to continue?",
             Icon::Exclamation, Answer::No);
    EXPECT_FALSE(SaveFromDialog(s, p).hideDialog);
    EXPECT_EQ(dir.read("karhs.2"), historyBytes(2));

    p.expect("Saving Stress History", "File 'karhs.2' already exists!\nWould you like to overwrite it?",
             Icon::Exclamation, Answer::Yes);
    p.expect("Saving Stress History", "This operation will conflit the Database!\nWould you like to continue?",
             Icon::Exclamation, Answer::Yes);
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    EXPECT_TRUE(s.HistoryModified);
    EXPECT_EQ(s.ClosingPointAdded, 0);
    EXPECT_NE(dir.read("karhs.2"), historyBytes(2));

    // A name of another shape is only asked about when it exists.
    s.SaveFileName = "measured.txt";
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    dir.write("notes.txt", "x");
    s.SaveFileName = "notes.txt";
    p.expect("Saving Stress History", "File 'notes.txt' already exists!\nWould you like to overwrite it?",
             Icon::Exclamation, Answer::No);
    EXPECT_FALSE(SaveFromDialog(s, p).hideDialog);
    EXPECT_EQ(dir.read("notes.txt"), "x");
}

TEST(NewDatabase, CreateSaveTheFirstHistoryAndOpenAgain) {
    TempDir dir;
    AppState s;
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.batch(1).Name = "left from before";
    ScriptedPrompter p;
    ASSERT_TRUE(NewDatabaseAction(s, p));
    EXPECT_EQ(s.CurrentBatch, 1);
    EXPECT_TRUE(s.NewBatch);
    EXPECT_TRUE(s.NewDatabaseSession);
    EXPECT_EQ(s.BatchCount, 0);
    EXPECT_EQ(s.batch(1).Name, "Batch 1");

    giveHistory(s);
    s.SavingHistory = true;
    s.SaveFileName = "karhs.1";
    const SaveOutcome out = SaveFromDialog(s, p);
    EXPECT_TRUE(out.hideDialog);
    EXPECT_TRUE(out.showBatch);
    EXPECT_FALSE(s.NewDatabaseSession);
    EXPECT_EQ(s.BatchCount, 1);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"kardt.dat", "karhs.1"}));

    // Creating another one here asks first.
    p.expect("Edit New Loading Database",
             "Loading Database in the current directory already exists!\nWould you like to edit "
             "a new one anyway?",
             Icon::Exclamation, Answer::No);
    EXPECT_FALSE(NewDatabaseAction(s, p));
    EXPECT_EQ(s.BatchCount, 1);

    AppState other;
    other.DatabaseDir = dir.str();
    ASSERT_TRUE(OpenDatabaseAction(other, p));
    EXPECT_EQ(other.BatchCount, 1);
    EXPECT_EQ(other.CurrentBatch, 2);
    EXPECT_TRUE(other.NewBatch);
    EXPECT_EQ(other.HistoryDir, dir.str());
}

TEST(NewDatabase, WriteNewDatabaseAsksBeforeOverwriting) {
    TempDir dir;
    dir.write("kardt.dat", "old");
    AppState s;
    s.DatabaseDir = s.HistoryDir = dir.str();
    s.NewDatabaseSession = true;
    s.BatchCount = 1;
    test::fillBatch(s.batch(1), 1, 0);
    ScriptedPrompter p;
    p.expect("Writing New Loading Database",
             "A Loading Database in the current directory already exists!\nWould you like to "
             "overwrite it?",
             Icon::Exclamation, Answer::No);
    EXPECT_FALSE(SaveFromDialog(s, p).hideDialog);
    EXPECT_EQ(dir.read("kardt.dat"), "old");
    EXPECT_TRUE(s.NewDatabaseSession);
    p.expect("Writing New Loading Database",
             "A Loading Database in the current directory already exists!\nWould you like to "
             "overwrite it?",
             Icon::Exclamation, Answer::Yes);
    EXPECT_TRUE(SaveFromDialog(s, p).hideDialog);
    EXPECT_FALSE(s.NewDatabaseSession);
    EXPECT_EQ(dir.read("kardt.dat"), DatabaseFileText(s));
}

TEST(OpenDatabase, AFailedOrEmptyReadKeepsTheDialogAndTheState) {
    TempDir dir;
    AppState s;
    s.DatabaseDir = dir.str();
    test::fillBatch(s.batch(1), 1);
    s.BatchCount = 1;
    s.CurrentBatch = 1;
    ScriptedPrompter p;
    p.expect("Loading Database", "No such file or directory", Icon::Exclamation);
    EXPECT_FALSE(OpenDatabaseAction(s, p));
    dir.write("kardt.dat", "-3 \r\n 0 \r\n");
    EXPECT_FALSE(OpenDatabaseAction(s, p));
    EXPECT_EQ(s.BatchCount, 1);
    EXPECT_EQ(s.CurrentBatch, 1);
}

TEST(OpenDatabase, AChangedDatabaseIsOfferedForSaving) {
    const std::string question = "Database is changed, would you like to save it?";
    TempDir dir;
    AppState s;
    makeDatabase(s, dir, 2);
    ScriptedPrompter p;
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));      // unchanged: no question
    s.DatabaseModified = true;
    s.batch(2).Name = "changed";
    p.expect("Loading Database", question, Icon::Exclamation, Answer::Cancel);
    EXPECT_FALSE(ConfirmLeavingDatabase(s, p));
    p.expect("Loading Database", question, Icon::Exclamation, Answer::No);
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));
    EXPECT_EQ(dir.read("kardt.dat").find("changed"), std::string::npos);
    p.expect("Loading Database", question, Icon::Exclamation, Answer::Yes);
    EXPECT_TRUE(ConfirmLeavingDatabase(s, p));
    EXPECT_NE(dir.read("kardt.dat").find("changed"), std::string::npos);
    EXPECT_FALSE(s.DatabaseModified);
}

}  // namespace
}  // namespace karmo
