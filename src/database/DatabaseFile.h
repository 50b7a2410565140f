#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "database/FileOps.h"

namespace karmo {

inline constexpr std::string_view kDatabaseFileName = "kardt.dat";
inline constexpr int16_t kDatabaseFormat = -3;      // the format written
inline constexpr std::string_view kLoadingDatabaseTitle = "Loading Database";

// How a save of the database stands on disk while it runs (see WriteDatabase): the new
// kardt.dat first goes to kardt.new, each history file that gets a new number or a new
// directory to "karhs.<n>.new"; renaming kardt.new to kardt.dat commits the save.
inline constexpr std::string_view kPendingDatabaseName = "kardt.new";
std::string PendingHistoryName(int batch);      // "karhs.<n>.new"

// The number batch `slot` gets when the database is written: its rank among the batches
// not marked deleted, 0 for a deleted slot.
int WrittenNumber(const AppState& s, int slot);

// The point count written for a history of pointCount points: 0 stays 0, an even count is
// rounded up to the next odd one (the stored history carries its closing value).
int32_t WrittenPointCount(int32_t pointCount);

// A batch name that could not be stored: a double quote would end a quoted value early.
// Returns the message to show (title kLoadingDatabaseTitle, critical icon), empty when the
// name can be stored.
std::string ValidateBatchName(std::string_view name);

// The bytes of kardt.dat for the batches 1..BatchCount not marked deleted (format -3).
// Throws std::runtime_error, naming the batch and field, when a Single field is not finite.
std::string DatabaseFileText(const AppState& s);

enum class DatabaseRead {
    Loaded,     // BatchCount >= 1 batches were taken over
    Empty,      // the file holds no complete batch: nothing changed
    Failed,     // the message has been shown; nothing changed but DatabaseReadFailed
};

// Reads kardt.dat in any of its formats from `in` into the tables. The file is read into a
// copy of the tables and taken over only when it holds at least one complete batch; a file
// that ends early keeps the batches read completely, without a message. Read errors, more
// than 20 batches or more than 100 levels (or negative numbers of either) are shown under
// "Loading Database" and change nothing but DatabaseReadFailed.
DatabaseRead ReadDatabaseStream(AppState& s, Prompter& p, std::istream& in);

// Reads DatabaseDir/kardt.dat (ReadDatabaseStream). A save that was interrupted is first
// completed or undone (RecoverInterruptedSave), so the batches always find their histories.
DatabaseRead ReadDatabase(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

// Brings a directory left by an interrupted save to a consistent state: while kardt.new
// exists the save had not been committed and its staged files are removed; staged history
// files without kardt.new belong to the committed kardt.dat and are renamed into place.
FileError RecoverInterruptedSave(const std::string& dir, FileOps& ops = SystemFileOps());

// Stages the history file of batch `from` in HistoryDir under the number `to` (a copy
// named "karhs.<to>.new" that the commit of the save renames into place). On failure shows
// the system's description under "Rename " + QuantityName + "History File" and returns the
// error number; 0 on success.
int RenameHistory(AppState& s, Prompter& p, int from, int to, FileOps& ops = SystemFileOps());

enum class DatabaseWrite {
    Nothing,        // BatchCount is 0
    Written,        // kardt.dat and the history files are in place
    DeletedAll,     // every batch was deleted and "Yes": kardt.dat was removed
    KeptAll,        // every batch was deleted and "No": nothing was written
    Failed,         // the message has been shown; the old database is intact
};

// Writes the database into DatabaseDir: the batches not marked deleted, numbered 1..n, with
// their history files renumbered (HistoryDir = DatabaseDir) or copied (another HistoryDir).
// On success DatabaseModified is cleared, HistoryDir becomes DatabaseDir, and
// HistoryFilesRenumbered is set when a history file got a new number. On failure the old
// kardt.dat and history files stay as they were and DatabaseModified stays set.
DatabaseWrite WriteDatabase(AppState& s, Prompter& p, FileOps& ops = SystemFileOps());

}  // namespace karmo
