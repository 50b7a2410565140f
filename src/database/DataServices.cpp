#include "database/DataServices.h"

#include <algorithm>
#include <charconv>

#include "core/AtomicFile.h"
#include "database/BatchOps.h"
#include "database/DatabaseFile.h"
#include "history/HistoryChecks.h"
#include "history/HistoryFile.h"
#include "spectrum/RainflowCounter.h"

namespace karmo {

namespace {

const std::string kTitle(kLoadingDatabaseTitle);
const std::string kSavingDatabase = "Saving Loading Database";

bool ownHistoryFile(const AppState& s) {
    return s.SaveFileName == HistoryFileName(s.CurrentBatch) && s.HistoryDir == s.DatabaseDir;
}

Answer askYesNo(Prompter& p, const std::string& title, const std::string& text, Icon icon) {
    return p.ask(Prompt{title, text, icon, Buttons::YesNo, 0});
}

// Rotates a changed history to its largest magnitude and runs the conflict check. False
// (after the message) when conflicts remain; otherwise PointCount follows the check.
bool prepareHistory(AppState& s, Prompter& p, SaveOutcome& out, const std::string& conflictText) {
    s.ClosingPointAdded = 1;
    DataBatch& b = s.batch();
    const std::string title = s.QuantityName + "History";
    const int32_t n = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    if (s.HistoryModified) {
        ClearDerivedData(s);
        if (RearrangeHistory(s.Values, n)) {
            p.tell(title, "The " + s.QuantityName + "History has been rearranged.", Icon::Information);
            s.HistoryPlotOutdated = true;
            out.historyChanged = true;
        }
    }
    int32_t count = n;
    int16_t removeAll = 1;
    const bool conflict = CheckHistoryConflicts(s, p, s.Values, count, removeAll);
    if (count != n) out.historyChanged = true;
    if (conflict) {
        p.tell(title, conflictText, Icon::Information);
        out.focusCorrection = true;
        return false;
    }
    b.PointCount = count;
    s.ProcessedCount = count;
    return true;
}

// After a save that gave history files new numbers the slots in memory no longer match the
// file: read it again and stay on the current batch under its new number.
void reload(AppState& s, Prompter& p, FileOps& ops, SaveOutcome& out) {
    p.tell(kSavingDatabase, "Some batch data was deleted.\nThe Database will be reloaded.",
           Icon::Exclamation);
    const int current = s.NewBatch ? 0 : WrittenNumber(s, s.CurrentBatch);
    const std::string title = s.batch().Title;
    if (ReadDatabase(s, p, ops) != DatabaseRead::Loaded) return;
    s.HistoryFilesRenumbered = false;
    s.NewBatch = false;
    if (current > 0) {
        s.CurrentBatch = static_cast<int16_t>(current);
        s.batch().Title = title;
    } else {
        s.CurrentBatch = 0;
        SelectNewOrLastBatch(s);
    }
    out.reloaded = true;
}

// The batch number of a history file name "karhs.<n>"; 0 for other names.
int historyNumber(const std::string& name) {
    const std::string prefix = "karhs.";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
    int n = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    const auto r = std::from_chars(first, last, n);
    return r.ec == std::errc() && r.ptr == last ? n : 0;
}

}  // namespace

bool ConfirmLeavingDatabase(AppState& s, Prompter& p, FileOps& ops) {
    if (s.BatchCount < 1 || !s.DatabaseModified) return true;
    const Answer a = p.ask(Prompt{kTitle, "Database is changed, would you like to save it?",
                                  Icon::Exclamation, Buttons::YesNoCancel, 0});
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes && WriteDatabase(s, p, ops) == DatabaseWrite::Failed) return false;
    return true;
}

bool OpenDatabaseAction(AppState& s, Prompter& p, FileOps& ops) {
    s.UiMode = kUiIdle;
    if (ReadDatabase(s, p, ops) != DatabaseRead::Loaded) return false;
    s.HistoryFilesRenumbered = false;
    s.DatabaseModified = false;
    s.NewDatabaseSession = false;
    s.NewBatch = false;
    s.CurrentBatch = 0;
    SelectNewOrLastBatch(s);
    s.HistoryDir = s.DatabaseDir;
    return true;
}

bool NewDatabaseAction(AppState& s, Prompter& p, FileOps& ops) {
    s.UiMode = kUiIdle;
    if (ops.exists(JoinPath(s.DatabaseDir, kDatabaseFileName)) &&
        askYesNo(p, "Edit New Loading Database",
                 "Loading Database in the current directory already exists!\nWould you like to "
                 "edit a new one anyway?",
                 Icon::Exclamation) != Answer::Yes)
        return false;
    s.HistoryDir = s.DatabaseDir;
    s.BatchCount = 0;
    s.CurrentBatch = 0;
    s.NewBatch = false;
    s.NewDatabaseSession = true;
    s.DatabaseReadFailed = false;
    s.HistoryFilesRenumbered = false;
    s.DatabaseModified = false;
    SelectNewOrLastBatch(s);
    return true;
}

SaveOutcome SaveFromDialog(AppState& s, Prompter& p, FileOps& ops) {
    SaveOutcome out;
    if (s.NewDatabaseSession && (!s.SavingHistory || ownHistoryFile(s)))
        return WriteNewDatabase(s, p, ops);
    BusyScope busy(p);
    const std::string savingHistory = SavingHistoryTitle(s);

    if (s.SavingHistory && ownHistoryFile(s)) {
        // The batch's own history file in its own database.
        if (!prepareHistory(s, p, out,
                            "Please use the Correction option to correct the conflicting values."))
            return out;
        NameBatchIfEmpty(s, s.CurrentBatch);
        if (s.HistoryModified) {
            ClearDerivedData(s);
            const Answer a = askYesNo(p, savingHistory,
                                      "The Database will be updated and saved to contain the new " +
                                          s.QuantityName + "History.\n Would you like to continue?",
                                      Icon::Question);
            if (a != Answer::Yes) {
                out.hideDialog = true;      // nothing saved: the flags stay as they are
                return out;
            }
            int16_t ok = 0;
            WriteHistoryFile(s, p, s.CurrentBatch, ok);
            if (ok != 1) return out;
            if (s.NewBatch) {
                ++s.BatchCount;
                s.NewBatch = false;
            }
            s.batch().HasHistory = true;
            CommitBatch(s);
            if (WriteDatabase(s, p, ops) == DatabaseWrite::Failed) return out;
        }
        if (s.HistoryFilesRenumbered) reload(s, p, ops, out);
        out.hideDialog = true;
        return out;
    }

    if (s.SavingHistory) {
        // The history under a name of the user's choice: stored as it stands.
        s.ClosingPointAdded = 0;
        if (ops.exists(JoinPath(s.DatabaseDir, s.SaveFileName))) {
            if (askYesNo(p, savingHistory,
                         "File '" + s.SaveFileName +
                             "' already exists!\nWould you like to overwrite it?",
                         Icon::Exclamation) != Answer::Yes)
                return out;
            const int n = historyNumber(s.SaveFileName);
            if (n >= 1 && n <= s.BatchCount && s.HistoryDir == s.DatabaseDir) {
                if (askYesNo(p, savingHistory,
                             "This operation will conflit the Database!\nWould you like to continue?",
                             Icon::Exclamation) != Answer::Yes)
                    return out;
                s.HistoryModified = true;
            }
        }
        int16_t ok = 0;
        WriteHistoryFile(s, p, s.CurrentBatch, ok);
        out.hideDialog = ok == 1;
        return out;
    }

    // Saving the database.
    if (s.DatabaseDir != s.HistoryDir) {
        if (ops.exists(JoinPath(s.DatabaseDir, kDatabaseFileName)) &&
            askYesNo(p, kSavingDatabase,
                     "Other Database found in the directory!\nWould you like to overwrite it?",
                     Icon::Exclamation) != Answer::Yes)
            return out;
        // The files the copy will replace: those of the numbers the batches are written under.
        int found = 0;
        for (int i = 1; i <= std::min<int>(s.BatchCount, kMaxBatches); ++i) {
            const int n = WrittenNumber(s, i);
            if (n > 0 && s.batch(i).PointCount > 0 &&
                ops.exists(HistoryFilePath(s.DatabaseDir, n)))
                ++found;
        }
        if (found > 0 &&
            askYesNo(p, kSavingDatabase,
                     std::to_string(found) + " other " + s.QuantityName +
                         "History(ies) found in the directory,\nwhich will be overwritten by "
                         "saving the Database.\nWould you like to continue?",
                     Icon::Exclamation) != Answer::Yes)
            return out;
    }
    const DatabaseWrite r = WriteDatabase(s, p, ops);
    if (r == DatabaseWrite::Failed) return out;
    out.hideDialog = true;
    if (r == DatabaseWrite::Written && s.HistoryFilesRenumbered) reload(s, p, ops, out);
    return out;
}

SaveOutcome WriteNewDatabase(AppState& s, Prompter& p, FileOps& ops) {
    SaveOutcome out;
    // The database is written into DatabaseDir: that is where one would be overwritten.
    if (ops.exists(JoinPath(s.DatabaseDir, kDatabaseFileName)) &&
        askYesNo(p, "Writing New Loading Database",
                 "A Loading Database in the current directory already exists!\nWould you like to "
                 "overwrite it?",
                 Icon::Exclamation) != Answer::Yes)
        return out;
    BusyScope busy(p);
    if (s.SavingHistory) {
        if (!prepareHistory(s, p, out, "Please use the Correction option to correct the value"))
            return out;
        if (s.SaveFileName == HistoryFileName(s.CurrentBatch) && s.NewBatch) {
            s.BatchCount = s.CurrentBatch;
            s.NewBatch = false;
        }
        NameBatchIfEmpty(s, s.CurrentBatch);
        s.ClosingPointAdded = 1;
        int16_t ok = 0;
        WriteHistoryFile(s, p, s.CurrentBatch, ok);
        if (ok != 1) return out;
        s.batch().HasHistory = true;
        CommitBatch(s);
        if (WriteDatabase(s, p, ops) == DatabaseWrite::Failed) return out;
        s.NewDatabaseSession = false;
        out.showBatch = true;
    } else {
        if (WriteDatabase(s, p, ops) == DatabaseWrite::Failed) return out;
        s.NewDatabaseSession = false;
    }
    out.hideDialog = true;
    return out;
}

}  // namespace karmo
