#pragma once
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// --- the working slot of the current batch ---

// Positions the database panel on a new batch behind the last one (NewBatch set, the slot
// cleared), or on the last batch when there is no room.
void SelectNewOrLastBatch(AppState& s);

// Clears every stored field of slot b to 0 (levels, counts, extremes, record time, ranges,
// volume, fit, source distribution, strengths) and names an unnamed current batch
// "Batch <n>". For a new batch the saved copy (with its name) is cleared too.
void ClearBatch(AppState& s, int b);

// An unnamed batch b is named "Batch <b>".
void NameBatchIfEmpty(AppState& s, int b);

// Clears the spectrum, fit and material values derived from a history that has changed
// since: only when the batch held levels when its history edit began (LevelsAtHistoryEdit)
// and the spectrum has not been rebuilt since (SpectrumRebuilt). RecordTime goes too when
// the batch has no history.
void ClearDerivedData(AppState& s);

// Takes the working levels into the current batch and renews its saved copy.
void CommitBatch(AppState& s);
// A spectrum or distribution kept for a new batch without a history: the batch joins the
// database (BatchCount grows to it), so that the next write stores it.
void JoinNewBatch(AppState& s);
// Copies the saved spectrum, fit, material values and name back over the current batch.
void RevertBatch(AppState& s);
// RevertBatch, and the history summary too (RecordTime, PointCount, MaxValue, MinValue,
// the history title).
void RevertHistory(AppState& s);

// --- the Loading Database panel ---

// "&Next" (Cmd_Load_Db_Next): the next batch, or a new one behind the last; on batch 20 the
// maximum message. True when CurrentBatch (or the new slot) changed: show the batch.
bool NextBatch(AppState& s, Prompter& p);
// "&Previous" (Cmd_Load_Db_Prev). True when the panel shows the batch again.
bool PreviousBatch(AppState& s);

struct BatchEntry {
    bool accepted = false;      // false: the message was shown, keep the focus in txt_Batch
    bool changed = false;       // CurrentBatch is another batch (or a new one): show it
    std::string boxText;        // what txt_Batch shows now
};
// txt_Batch losing the focus with `text`. A number up to BatchCount selects that batch, a
// larger one opens a new batch behind the last (or shows the maximum message when the
// database is full); anything that is not a number of at least 1 is refused with
// "The batch number must be numeric".
BatchEntry EnterBatchNumber(AppState& s, Prompter& p, std::string_view text);

// "&Delete" / "&Undelete" (cmd_Load_Db_Del): toggles the mark of the current batch. Marking
// sets DatabaseModified; unmarking leaves it as it was. Returns the new mark: true shows the
// deleted state ("&Undelete"), false the active state ("&Delete").
bool ToggleBatchDeleted(AppState& s);
// The caption of cmd_Load_Db_Del for the current batch.
std::string DeleteButtonCaption(const AppState& s);

// txt_Batch_Name / txt_CurrBatch_Descr losing the focus. A name that could not be stored is
// refused with its message (title "Loading Database", critical icon) and false: restore the
// box and keep the focus. Otherwise a changed name becomes the current batch's Name and
// marks the database modified unless the batch is new.
bool SetBatchName(AppState& s, Prompter& p, std::string_view text);

// "Edit &History": what the panel does next.
enum class EditHistoryStep {
    Stopped,        // "No" to overwriting the spectrum of the batch
    ChooseInput,    // no history yet: hide the panel, open the input choice on HistoryDir
    LoadFile,       // read HistoryDir/karhs.<n> (HistoryFilePath) through OpenChkHFile
};
EditHistoryStep EditHistoryClick(AppState& s, Prompter& p);
// "Edit &Spectrum" / "Edit &Distribution": a batch without levels and without history becomes
// a new batch (cleared); an unnamed batch gets its name. The panel is then hidden and the editing begins.
void PrepareSpectrumEdit(AppState& s);

// Where a stored batch's data come from, as its summary report shows it (BatchKind): 1 a
// history, 3 a spectrum generated from a source distribution, 2 a spectrum typed in, 0 none.
int16_t StoredBatchKind(const DataBatch& b);

}  // namespace karmo
