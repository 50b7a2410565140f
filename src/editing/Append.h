#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// A history read from a file to be appended to the current one.
struct AppendHistory {
    std::string AppendTitle;            // cut to 30 characters
    int32_t AppendCount = 0;
    float AppendRecordTime = 0;
    std::vector<float> AppendValues;    // 1-based, slot 0 spare
    float MaxValue = 0, MinValue = 0;
};

// "Append " + QuantityName + "History".
std::string AppendTitle(const AppState& s);

// Reads a history file in the program's own format (title, count, record time, values).
// Fewer than 3 points, or anything that is not such a file, gives "Sorry, Wrong Data...";
// a file that cannot be opened gives the system's description. False: nothing was read.
bool ReadAppendFile(const AppState& s, Prompter& p, const std::string& path, AppendHistory& out);

// "Append the <Q>History?": true on Yes.
bool AskAppend(const AppState& s, Prompter& p);

// The appended values follow the current ones; count, extremes and record time follow.
// A result that does not fit (too many points, a record time a Single cannot hold) is
// refused after a message, nothing changed.
bool ApplyAppend(AppState& s, Prompter& p, const AppendHistory& a);

}  // namespace karmo
