#pragma once
#include <ostream>

#include "CliPrompter.h"
#include "JsonWriter.h"
#include "Pipeline.h"
#include "core/AppState.h"

namespace karmo::cli {

// JSON pieces in internal units (MPa or microstrain).
void WriteHistoryJson(JsonWriter& j, const AppState& s);
void WriteCountingJson(JsonWriter& j, const CountSummary& c);
void WriteSpectrumJson(JsonWriter& j, const AppState& s);
void WriteFitJson(JsonWriter& j, const AppState& s);
void WriteSourceJson(JsonWriter& j, const AppState& s);
void WriteMessagesJson(JsonWriter& j, const CliPrompter& p);
// The stored fields of batch `slot` as "db list" shows them.
void WriteBatchJson(JsonWriter& j, const AppState& s, int slot, int number);

// The quantity word without its trailing blank: "Stress" or "Strain".
std::string QuantityWord(const std::string& quantity);

// Tables in display units.
void PrintHistoryText(std::ostream& out, const AppState& s);
void PrintCountingText(std::ostream& out, const AppState& s, const CountSummary& c);
void PrintSpectrumText(std::ostream& out, const AppState& s);
void PrintFitText(std::ostream& out, const AppState& s);
void PrintSourceText(std::ostream& out, const AppState& s);

}  // namespace karmo::cli
