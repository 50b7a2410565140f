#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Marker in BackupValues(1) of a history that has not been stored in its batch's file yet.
constexpr float kUnstoredHistoryMarker = 1000000.0f;
// Count assumed for a text file without header: it is read to its end or to this many values.
constexpr int32_t kHeaderlessCount = 1000000;
// From this claimed count on the history is drawn in the reduced display mode.
constexpr int32_t kFastDisplayCount = 15001;
// Titles longer than this are cut when a history is read.
constexpr size_t kTitleLength = 30;

// "karhs." + batch number: the history file of a batch of the Loading Database.
std::string HistoryFileName(int batch);
// The history file of a batch in a directory (no separator added when dir ends with "/").
std::string HistoryFilePath(std::string_view dir, int batch);

// Message titles of the history file operations for the current quantity word.
std::string ReadingHistoryTitle(const AppState& s);   // "Reading " + QuantityName + "History"
std::string SavingHistoryTitle(const AppState& s);    // "Saving " + QuantityName + "History"

// How a read of a history file ended.
enum class HistoryRead {
    Loaded,            // accepted: the batch and Values hold the new history
    DeclinedShort,     // "No" to the end-of-file question
    DeclinedMismatch,  // "No" to the database-mismatch question: focus the next-batch button
    Failed,            // the file could not be read (the error has been shown)
};

// Reads a history file, or a text file of values with or without header (TextHasHeader),
// into `batch`, which must be the current batch because Values belong to it. fileName is
// the chosen file name or path: a header-less file takes its title from it, and a name
// ending in "txt" holds display units (divided by QuantityFactor).
//
// The read is all or nothing: the file goes into local storage and is committed only when
// accepted. Otherwise Values, BackupValues and the batch's fields stay as they were, and
// only ProcessedCount and LoadedCount become 0. An accepted read leaves an even PointCount
// and Values with slots 0 to PointCount + 1, the spare slots 0 and PointCount + 1 being 0.
//
// Questions and messages (title ReadingHistoryTitle; the two sentences of a question are
// separated by "\n", which the window shows as a line break):
//  - fewer values than the header announces: "Can read <n> data points only.\nContinue?"
//    (Yes/No); a file without header always continues;
//  - database mismatch: "The <Q>History does not match to that one specified in the
//    Database.\nContinue?" (Yes/No);
//  - a header count below 3, fewer than 2 values, or any read error: an exclamation message.
HistoryRead ReadHistoryFile(AppState& s, Prompter& p, int batch, std::istream& in,
                            std::string_view fileName);

// What the window does after OpenChkHFile.
struct OpenHistoryResult {
    HistoryRead read = HistoryRead::Failed;
    bool drawHistory = false;        // a history was loaded: draw it from point 1, hide the
                                     // file-check frame and the database panel
    bool focusNextBatch = false;     // the database mismatch was declined
};

// Opens s.HistoryPath and reads it into the current batch. An open error is shown under
// ReadingHistoryTitle and nothing changes. On a loaded history read from the batch's own
// file while the database panel edits: an unnamed batch is named "Batch <n>", and a
// history marked as not yet stored (BackupValues(1) = 1000000) counts as modified. Then
// HistoryShown is set and the view starts at point 1.
OpenHistoryResult OpenChkHFile(AppState& s, Prompter& p);

// The history as it is written to a file: title, count line, record time, the values and,
// when the history does not end at the extreme opposite to its first step, one closing
// value (MinValue for a history that starts upward, MaxValue for one that starts downward).
// Lines end with CR LF; the title is written in Windows-1252.
std::string HistoryFileText(const AppState& s, int batch);

// Writes the current history of `batch` to DatabaseDir + SaveFileName, replacing the file
// atomically. On success ok becomes 1, and HistoryModified is cleared when the file is the
// current batch's own history file. On failure the old file stays, the error's description
// is shown under SavingHistoryTitle and ok and HistoryModified are left as they were.
void WriteHistoryFile(AppState& s, Prompter& p, int batch, int16_t& ok);

// Gives the history file of batch `from` in dir the number `to`, replacing a file of that
// number. Returns 0 or the system's error number (errno) of the failed rename.
int RenameHistoryFile(std::string_view dir, int from, int to);

}  // namespace karmo
