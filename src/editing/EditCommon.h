#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// How a text box took its entry when it lost the focus. A refused entry has been answered
// by its message; the box shows `restore` again when set, and keeps the focus.
struct EntryCheck {
    bool accepted = false;
    std::optional<std::string> restore;
};

// What the window does with the history plot after an edit of the whole history.
struct RedrawDecision {
    bool redraw = false;            // draw the history again now
    bool refreshPending = false;    // the plot's refresh button reads "Re&fresh" instead
};

// A history title cut to its first 30 characters (UTF-8).
std::string CutTitle(const std::string& title);

// QuantityName + "History": the title of the editing questions.
std::string EditHistoryTitle(const AppState& s);

// After a change of a long history shown in full display mode the user decides whether
// the plot is drawn again now ("<first sentence>\nRefresh the display?"); otherwise it is.
RedrawDecision AskRefresh(const AppState& s, Prompter& p, int32_t pointsBefore,
                          const std::string& firstSentence);

// MaxValue and MinValue of the current batch over points 1..PointCount.
void RecomputeExtremes(AppState& s);

// Pulls the plot window back inside a history of `count` points: its last point at most
// the count, its first point not below 1.
void PullViewInside(AppState& s, int32_t count);

// The history of the current batch is deleted: the values in memory go, and the batch's
// record returns to what it stores (RevertHistory).
void DeleteEditedHistory(AppState& s);

}  // namespace karmo
