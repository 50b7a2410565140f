#pragma once
#include <optional>
#include <stdexcept>
#include <string>

#include "CliPrompter.h"
#include "core/AppState.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo::cli {

// The end of a command: exit status 1 (the input could not be used) or 2 (usage). `line`
// is shown on standard error unless the program has already said why (a message box).
struct CliFailure : std::runtime_error {
    CliFailure(int code, const std::string& line, bool showLine)
        : std::runtime_error(line), code(code), showLine(showLine) {}
    int code;
    bool showLine;   // false when a message of the program has said it already
};

// Throws CliFailure(1): `line` goes to standard error only when no message was shown
// since `messagesBefore`.
[[noreturn]] void FailInput(const CliPrompter& p, size_t messagesBefore, const std::string& line);

// Throws CliFailure(2), a usage error: `line` goes to standard error.
[[noreturn]] void FailUsage(const std::string& line);

// A usage error unless exactly `n` positional arguments were given; `what` names them.
struct ParsedArgs;
void NeedPositional(const ParsedArgs& a, size_t n, const std::string& what);

// Input options shared by every command that reads a history.
struct InputOptions {
    std::string format;          // karmo, text, text-noheader, asc, bin; empty: from the name
    bool strain = false;
    bool us = false;
    std::string gate = "0";      // the texts of the history-parameters dialog's boxes
    std::string scale = "1";
};

// Spectrum options: texts as typed, empty when not given.
struct SpectrumOptions {
    std::optional<std::string> levels;
    std::optional<std::string> minRange;   // internal units (MPa / microstrain)
    std::optional<std::string> mse;        // "SU,SY,KF" in display units
    std::optional<std::string> fit;        // beta, weibull, lognorm
};

// The distribution type (1 Beta, 2 Weibull, 3 Log-norm) named on the command line; 0 when
// the name is none of them.
int16_t DistributionTypeFromName(const std::string& name);
const char* DistributionName(int16_t type);   // "beta", "weibull", "lognorm"

// The format a file name implies: karhs.* karmo, .txt text, .asc asc, .bin/.dac bin;
// empty when the name implies none.
std::string FormatFromName(const std::string& path);

// Fresh program state as at start-up (no settings file: the factory values), in the
// working slot, with the unit system and the quantity chosen.
void PrepareState(AppState& s, bool us, bool strain);
// The quantity of the current batch ("Stress " or "Strain "), applied to the state.
void SetQuantity(AppState& s, bool strain);

// Reads INPUT into the current batch as the input panel does, then applies the gate and
// the scale factor as the history-parameters dialog does. Throws CliFailure.
void LoadHistory(AppState& s, CliPrompter& p, const std::string& path, const InputOptions& o);

// The conflict check with its questions (answered by the prompter): with Yes to both, every
// conflicting point is removed.
void RemoveConflicts(AppState& s, CliPrompter& p);

// Writes the current history to `target` as the batch's own history is stored: the file
// format with its closing value. Throws CliFailure.
void WriteHistoryOut(AppState& s, CliPrompter& p, const std::string& target);

// What a count found beyond the batch's fields.
struct CountSummary {
    int32_t cycles = 0;
    float maxRange = 0;
    float minCountedRange = 0;
    bool rearranged = false;
    LevelGrid grid;     // the grid the levels were built on, before empty ones were removed
};

// "C&ycle" (rearrangement, conflict check, mean-stress choice, count), then the
// spectrum-parameters dialog's confirmation with the proposals or the given values, the
// level builder and, when asked, the fit. Throws CliFailure.
CountSummary CountSpectrum(AppState& s, CliPrompter& p, const SpectrumOptions& o);

// Spectrum generated from a distribution: the spectrum-parameters values, then the
// parameter dialog's OK (Q in display form) which synthesises the levels. Throws CliFailure.
struct SynthOptions {
    std::string type, q, r, max, min, levels, volume;
};
void SynthesizeFromOptions(AppState& s, CliPrompter& p, const SynthOptions& o);

}  // namespace karmo::cli
