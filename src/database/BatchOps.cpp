#include "database/BatchOps.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "database/DatabaseFile.h"
#include "history/HistoryChecks.h"

namespace karmo {

namespace {

const std::string kTitle(kLoadingDatabaseTitle);

// The fields the saved copy restores when a spectrum edit is abandoned: the name too.
void copySpectrumFields(const BatchRecord& from, BatchRecord& to) {
    CopySpectrumFields(from, to);
    to.Name = from.Name;
}

void copyHistoryFields(const BatchRecord& from, BatchRecord& to) {
    to.RecordTime = from.RecordTime;
    to.PointCount = from.PointCount;
    to.MaxValue = from.MaxValue;
    to.MinValue = from.MinValue;
    to.Title = from.Title;
}

// Opens the slot behind the last batch as a new batch.
void openNewBatch(AppState& s) {
    const int16_t slot = static_cast<int16_t>(s.BatchCount + 1);
    const bool sameNewSlot = s.NewBatch && s.CurrentBatch == slot;
    s.CurrentBatch = slot;
    s.NewBatch = true;
    DataBatch& b = s.batch();
    b.HasHistory = false;
    b.Deleted = false;
    if (!sameNewSlot) {
        // The slot may still hold a batch of a database read before: its name and
        // history title are not the new batch's.
        b.Name.clear();
        b.Title.clear();
    }
    ClearBatch(s, slot);
}

void maximumMessage(Prompter& p) {
    p.tell("Next Data Batch",
           "The maximum number of data batches is reached. Please create a new Database",
           Icon::Information);
}

}  // namespace

void NameBatchIfEmpty(AppState& s, int b) {
    if (s.batch(b).Name.empty()) s.batch(b).Name = "Batch " + std::to_string(b);
}

void SelectNewOrLastBatch(AppState& s) {
    if (s.CurrentBatch < kMaxBatches && s.BatchCount < kMaxBatches) {
        openNewBatch(s);
    } else {
        s.CurrentBatch = s.BatchCount;
        s.NewBatch = false;
    }
}

void ClearBatch(AppState& s, int slot) {
    DataBatch& b = s.batch(slot);
    b.LevelRange.fill(0);
    b.LevelCycles.fill(0);
    b.LevelCount = 0;
    b.PointCount = 0;
    b.MaxValue = b.MinValue = 0;
    b.RecordTime = 0;
    b.MaxRange = b.MinRange = 0;
    b.Volume = 0;
    b.FitQ = b.FitR = 0;
    b.SourceQ = b.SourceR = 0;
    b.UltimateStrength = 0;
    b.SourceType = 0;
    b.YieldStrength = 0;
    b.NotchFactor = 0;
    b.OmittedCycles = -1;
    NameBatchIfEmpty(s, slot);
    if (s.NewBatch) {
        const std::string quantity = b.Saved.Quantity;
        b.Saved = BatchRecord{};
        b.Saved.Quantity = quantity;
    }
}

void ClearDerivedData(AppState& s) {
    if (!s.LevelsAtHistoryEdit || s.SpectrumRebuilt) return;
    DataBatch& b = s.batch();
    b.LevelCount = 0;
    b.MaxRange = b.MinRange = 0;
    b.Volume = 0;
    b.FitQ = b.FitR = 0;
    b.YieldStrength = 0;
    b.UltimateStrength = 0;
    b.NotchFactor = 0;
    if (!b.HasHistory) b.RecordTime = 0;
}

void CommitBatch(AppState& s) {
    DataBatch& b = s.batch();
    const int levels = std::clamp<int>(b.LevelCount, 0, kMaxLevels);
    for (size_t j = 1; j <= static_cast<size_t>(levels); ++j) {
        b.LevelRange[j] = s.WorkLevelRange[j];
        const float cycles = s.WorkLevelCycles[j];
        b.LevelCycles[j] = std::fabs(cycles) < 2147483520.0f ? RoundHalfEven(cycles) : b.LevelCycles[j];
    }
    b.Saved = static_cast<const BatchRecord&>(b);
}

void JoinNewBatch(AppState& s) {
    // A batch with a history joins when its history file is written with it.
    if (!s.NewBatch || s.batch().PointCount > 0 || s.CurrentBatch != s.BatchCount + 1) return;
    s.BatchCount = s.CurrentBatch;
    s.NewBatch = false;
}

void RevertBatch(AppState& s) {
    DataBatch& b = s.batch();
    copySpectrumFields(b.Saved, b);
}

void RevertHistory(AppState& s) {
    RevertBatch(s);
    DataBatch& b = s.batch();
    copyHistoryFields(b.Saved, b);
}

bool NextBatch(AppState& s, Prompter& p) {
    if (s.UiMode != kUiIdle) return false;
    if (s.CurrentBatch >= s.BatchCount) {
        if (s.CurrentBatch >= kMaxBatches) {
            maximumMessage(p);
            return false;
        }
        openNewBatch(s);
        return true;
    }
    ++s.CurrentBatch;
    s.NewBatch = false;
    return true;
}

bool PreviousBatch(AppState& s) {
    if (s.UiMode != kUiIdle) return false;
    if (s.CurrentBatch >= 2) {
        --s.CurrentBatch;
        s.NewBatch = false;
    } else {
        s.CurrentBatch = 1;
    }
    return true;
}

BatchEntry EnterBatchNumber(AppState& s, Prompter& p, std::string_view text) {
    BatchEntry out;
    out.boxText = std::to_string(s.CurrentBatch);
    if (s.UiMode != kUiIdle) {
        out.accepted = true;
        return out;
    }
    double value = 0;
    const bool numeric = ParseNumericText(text, value);
    // Numbers beyond an Integer are simply "more than there are"; below 1 there is no batch.
    const int number = !numeric ? 0 : value >= 32767.0 ? 32767 : RoundHalfEven16(std::max(value, -1.0));
    if (number < 1) {
        p.tell(kTitle, "The batch number must be numeric", Icon::Critical);
        out.boxText = std::string(text);
        return out;
    }
    out.accepted = true;
    if (number > s.BatchCount) {
        if (s.BatchCount >= kMaxBatches) {
            maximumMessage(p);
            return out;
        }
        openNewBatch(s);
    } else {
        s.CurrentBatch = static_cast<int16_t>(number);
        s.NewBatch = false;
    }
    out.changed = true;
    out.boxText = std::to_string(s.CurrentBatch);
    return out;
}

bool ToggleBatchDeleted(AppState& s) {
    DataBatch& b = s.batch();
    if (s.UiMode != kUiIdle) return b.Deleted;
    b.Deleted = !b.Deleted;
    if (b.Deleted) s.DatabaseModified = true;
    return b.Deleted;
}

std::string DeleteButtonCaption(const AppState& s) {
    return s.batch().Deleted ? "&Undelete" : "&Delete";
}

bool SetBatchName(AppState& s, Prompter& p, std::string_view text) {
    if (const std::string refusal = ValidateBatchName(text); !refusal.empty()) {
        p.tell(kTitle, refusal, Icon::Critical);
        return false;
    }
    DataBatch& b = s.batch();
    if (text != b.Name) {
        b.Name = std::string(text);
        if (!s.NewBatch) s.DatabaseModified = true;
    }
    return true;
}

EditHistoryStep EditHistoryClick(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    const bool noHistory = b.PointCount <= 0;
    if (noHistory && b.LevelCount > 0 && !s.NewBatch) {
        const Answer a = p.ask(Prompt{"Editing " + s.QuantityName + "History",
                                      "Overwrite the existing data?", Icon::Exclamation,
                                      Buttons::YesNo, 0});
        if (a != Answer::Yes) return EditHistoryStep::Stopped;
    }
    NameBatchIfEmpty(s, s.CurrentBatch);
    s.HistoryModified = false;
    // What a changed history makes obsolete is decided when it is saved.
    s.LevelsAtHistoryEdit = b.LevelCount > 0;
    s.SpectrumRebuilt = false;
    return noHistory ? EditHistoryStep::ChooseInput : EditHistoryStep::LoadFile;
}

void PrepareSpectrumEdit(AppState& s) {
    // A batch that has a history keeps it: clearing the slot would drop it from the database.
    if (s.batch().LevelCount <= 0 && s.batch().PointCount <= 0) {
        s.NewBatch = true;
        ClearBatch(s, s.CurrentBatch);
    }
    NameBatchIfEmpty(s, s.CurrentBatch);
}

int16_t StoredBatchKind(const DataBatch& b) {
    if (b.PointCount > 0) return 1;
    if (b.SourceR != 0) return 3;
    if (b.LevelCount > 0) return 2;
    return 0;
}

}  // namespace karmo
