#include "Commands.h"

#include <sstream>

#include "CliPrompter.h"
#include "FatigueOutput.h"
#include "JsonWriter.h"
#include "Output.h"
#include "Pipeline.h"

namespace karmo::cli {

std::string ReadHistoryForOutput(const ParsedArgs& a, const char* command, CliPrompter& p, AppState& s) {
    NeedPositional(a, 1, "INPUT");
    const auto target = a.value("-o");
    if (!target || target->empty()) FailUsage(std::string(command) + " needs -o OUT");
    const InputOptions o = InputOptionsFrom(a);
    PrepareState(s, o.us, o.strain);
    LoadHistory(s, p, a.positional[0], o);
    RemoveConflicts(s, p);
    return *target;
}

int HistoryCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    CliPrompter p(err, a.has("--no"));
    AppState s;
    const std::string target = ReadHistoryForOutput(a, "history", p, s);
    WriteHistoryOut(s, p, target);
    out << target << ": " << s.batch().PointCount << " points\n";
    return 0;
}

int SpectrumCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    NeedPositional(a, 1, "INPUT");
    const InputOptions o = InputOptionsFrom(a);
    const SpectrumOptions so = SpectrumOptionsFrom(a);
    const std::optional<int32_t> meanBins = MatrixBinsFrom(a);
    CliPrompter p(err, a.has("--no"));
    AppState s;
    PrepareState(s, o.us, o.strain);
    LoadHistory(s, p, a.positional[0], o);
    RemoveConflicts(s, p);
    s.KeepCycles = meanBins.has_value();
    const CountSummary c = CountSpectrum(s, p, so);
    const RainflowMatrix matrix = meanBins ? CountedMatrix(s, c, *meanBins) : RainflowMatrix{};

    // Nothing is printed before the whole command has succeeded.
    std::ostringstream text;
    if (a.has("--json")) {
        JsonWriter j(text);
        j.beginObject();
        j.key("history");
        WriteHistoryJson(j, s);
        j.key("counting");
        WriteCountingJson(j, c);
        j.key("spectrum");
        WriteSpectrumJson(j, s);
        if (meanBins) {
            j.key("matrix");
            WriteMatrixJson(j, matrix);
        }
        if (so.fit) {
            j.key("fit");
            WriteFitJson(j, s);
        }
        j.key("messages");
        WriteMessagesJson(j, p);
        j.endObject();
        text << '\n';
    } else {
        PrintHistoryText(text, s);
        PrintCountingText(text, s, c);
        PrintSpectrumText(text, s);
        if (meanBins) PrintMatrixText(text, s, matrix);
        if (so.fit) PrintFitText(text, s);
    }
    out << text.str();
    return 0;
}

int SynthCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    if (!a.positional.empty()) FailUsage("unexpected argument " + a.positional[0]);
    SynthOptions o;
    const std::pair<const char*, std::string*> needed[] = {
        {"--type", &o.type}, {"--q", &o.q},           {"--r", &o.r},         {"--max", &o.max},
        {"--min", &o.min},   {"--levels", &o.levels}, {"--volume", &o.volume}};
    for (const auto& [name, field] : needed) {
        const auto v = a.value(name);
        if (!v) FailUsage(std::string("synth needs ") + name);
        *field = *v;
    }
    CliPrompter p(err, false);
    AppState s;
    PrepareState(s, false, false);
    SynthesizeFromOptions(s, p, o);

    std::ostringstream text;
    if (a.has("--json")) {
        JsonWriter j(text);
        j.beginObject();
        j.key("source");
        WriteSourceJson(j, s);
        j.key("spectrum");
        WriteSpectrumJson(j, s);
        j.key("messages");
        WriteMessagesJson(j, p);
        j.endObject();
        text << '\n';
    } else {
        PrintSourceText(text, s);
        PrintSpectrumText(text, s);
    }
    out << text.str();
    return 0;
}

}  // namespace karmo::cli
