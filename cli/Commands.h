#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "Args.h"
#include "core/AppState.h"

namespace karmo::cli {

// Each command gets its parsed arguments and returns the exit status or throws CliFailure.
// Output goes to `out`, messages and errors to `err`.
int HistoryCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);
int SpectrumCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);
int SynthCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);
int DbCommand(const std::string& sub, const ParsedArgs& a, std::ostream& out, std::ostream& err);
int EditCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);
int ReportCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);
int DamageCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err);

// Opens the Loading Database in `dir` and makes batch `number` (as typed) current, with its
// quantity. Throws CliFailure.
class CliPrompter;
void OpenDatabaseBatch(AppState& s, CliPrompter& p, const std::string& dir, const std::string& number);

// The start of the commands that write a history to -o OUT: the input read into `s`, its
// conflicts removed. Returns OUT; throws CliFailure.
std::string ReadHistoryForOutput(const ParsedArgs& a, const char* command, CliPrompter& p, AppState& s);

// The option tables of the commands.
OptionTable CommandOptions(const std::string& command, const std::string& sub = "");

// Reads the input options of a parsed command line.
struct InputOptions;
InputOptions InputOptionsFrom(const ParsedArgs& a);
// Reads the spectrum options (--levels, --min-range, --mse, --fit) of a parsed command line.
struct SpectrumOptions;
SpectrumOptions SpectrumOptionsFrom(const ParsedArgs& a);

}  // namespace karmo::cli
