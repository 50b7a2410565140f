#pragma once
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "database/FileOps.h"

namespace karmo {

// "&Open Database" / "&New Database" before the Data Services dialog opens: a changed
// database is offered for saving ("Database is changed, would you like to save it?", Yes,
// No, Cancel). False: Cancel, or the save failed; the dialog does not open.
bool ConfirmLeavingDatabase(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

// cmd_data_do in mode 3: reads DatabaseDir/kardt.dat. True when a database with batches was
// read: the panel stands on a new batch behind the last one (or on batch 20), HistoryDir is
// DatabaseDir and the database counts as unchanged; the window enables "&Edit Database" and
// "&Save Database", hides the dialog and shows the Loading Database panel. False: the
// dialog stays open and the previous state stays.
bool OpenDatabaseAction(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

// cmd_data_do in mode 6: starts a new database in DatabaseDir (asking first when one exists
// there). True: batch 1 is a new batch; hide the dialog, show the panel as for opening.
bool NewDatabaseAction(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

// What the window does after a save from the Data Services dialog.
struct SaveOutcome {
    bool hideDialog = false;        // the dialog's work is done
    bool focusCorrection = false;   // the history holds conflicts: focus cmd_Correction
    bool historyChanged = false;    // the history was rotated or shortened: redraw it
    bool reloaded = false;          // the database was read again: show the current batch
    bool showBatch = false;         // show the current batch's values again
};

// cmd_data_do in modes 1 and 2: saves the database, the current history into its batch, or
// the history under another name (File_Name is SaveFileName, in DatabaseDir).
SaveOutcome SaveFromDialog(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

// The first save of a database created in this session.
SaveOutcome WriteNewDatabase(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

}  // namespace karmo
