#pragma once
#include <cstdint>
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "history/HistoryFile.h"
#include "history/HistoryChecks.h"
#include "history/SeriesReaders.h"

namespace karmo {

// Sources of the "Input File" panel (btt_Hist_Choice).
enum class HistorySource : int16_t {
    KarmoFile = 0,      // "karhs.*", read by OpenChkHFile
    TimeSeries = 1,     // "*.dac;*.bin;*.asc"
    Keyboard = 2,       // typed into the correction panel
    TextFile = 3,       // "*.txt" with or without header (TextHasHeader)
};

// What the input panel holds when OK is pressed.
struct InputChoice {
    HistorySource source = HistorySource::KarmoFile;
    std::string directory;      // path of the directory list
    std::string fileName;       // fil_name_HS
};

// What the window does after the confirm.
enum class InputNext {
    ShowDatabasePanel,   // no file name: hide the input panel, show the Loading Database
                         // panel with Cmd_Edit_History as default
    StayOnInput,         // nothing was read (or the read ended): the input panel stays
    HistoryFileOpened,   // sources 0 and 3: act on `opened` (drawHistory, focusNextBatch)
    HistoryParameters,   // a time series was read: draw the history from point 1, open the
                         // history parameters dialog with `parms`, hide the input panel
    KeyboardEntry,       // hide the input panel, open the correction panel for a new history
                         // ("???" title, "0" gate, record time and point count)
};

struct InputConfirmResult {
    InputNext next = InputNext::StayOnInput;
    OpenHistoryResult opened;                   // sources 0 and 3
    SeriesRead series = SeriesRead::Failed;     // source 1
    HistParmsView parms;                        // InputNext::HistoryParameters
};

// The refusal of a file chosen as a time series whose extension is none of the three.
std::string NotATimeSeriesText(const std::string& fileName);

// cmd_Filepath_OK: UiMode becomes 1; a file name that does not name an existing file
// gives "File not Found! " (title "Reading " + QuantityName + "History"); otherwise
// HistoryModified is set and the file is read by its source: OpenChkHFile for sources 0
// and 3, ReadBinarySeries for "bin"/"dac" and ReadAsciiSeries for "asc" (the last three
// characters of the name in lower case; any other extension is refused with
// NotATimeSeriesText before anything changes).
InputConfirmResult ConfirmInputPanel(AppState& s, Prompter& p, const InputChoice& choice);

}  // namespace karmo
