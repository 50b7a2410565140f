#include <algorithm>
#include <cmath>
#include <sstream>

#include "Commands.h"
#include "JsonWriter.h"
#include "Output.h"
#include "Pipeline.h"
#include "core/Single.h"
#include "editing/Append.h"
#include "editing/Correction.h"
#include "editing/EditCommon.h"
#include "editing/Rescale.h"
#include "editing/Subtract.h"
#include "history/HistoryChecks.h"

namespace karmo::cli {

namespace {

// "A<sep>B" split at the first `sep` after the first character (so that A may carry a sign).
bool splitAt(const std::string& t, const std::string& sep, std::string& a, std::string& b) {
    const size_t at = t.find(sep, 1);
    if (t.empty() || at == std::string::npos) return false;
    a = t.substr(0, at);
    b = t.substr(at + sep.size());
    return true;
}

void rescale(AppState& s, CliPrompter& p, const std::string& value) {
    std::string f, o;
    if (!splitAt(value, ",", f, o)) FailUsage("--rescale takes FACTOR,OFFSET");
    const size_t before = p.messages().size();
    OpenRescale(s);
    if (!RescaleOk(s, p, f, o).accepted) FailInput(p, before, "");
}

void subtract(AppState& s, CliPrompter& p, const std::string& option, const std::string& value) {
    std::string range = value, band, from, to;
    MarkKind kind = MarkKind::Stretch;
    if (option == "--cut-band") {
        std::string low, high;
        double lo = 0, hi = 0;
        if (!splitAt(value, ":", range, band) || !splitAt(band, "..", low, high) || !ParseNumericText(low, lo) ||
            !ParseNumericText(high, hi))
            FailUsage("--cut-band takes FROM-TO:LOW..HIGH");
        kind = MarkKind::Rectangle;
        const auto bandLow = ToSingle(std::min(lo, hi) / s.QuantityFactor);
        const auto bandHigh = ToSingle(std::max(lo, hi) / s.QuantityFactor);
        if (!bandLow || !bandHigh) FailUsage("--cut-band " + band + " is out of range");
        s.BandLow = *bandLow;
        s.BandHigh = *bandHigh;
    }
    if (!splitAt(range, "-", from, to)) FailUsage(option + " takes FROM-TO");
    const size_t before = p.messages().size();
    s.UiMode = 0;
    const SubtractResult r = SubtractOk(s, p, from, to, kind);
    if (r.outcome == SubtractOutcome::HistoryDeleted)
        throw CliFailure(1, "karmo-cli: " + option + " " + value + " leaves no history", true);
    if (r.outcome != SubtractOutcome::Done) FailInput(p, before, "");
}

void append(AppState& s, CliPrompter& p, const std::string& path) {
    const size_t before = p.messages().size();
    AppendHistory a;
    if (!ReadAppendFile(s, p, path, a)) FailInput(p, before, "");
    if (AskAppend(s, p) && !ApplyAppend(s, p, a)) FailInput(p, before, "");
}

// The Correction dialog opened, a value retyped in the grid or the gate typed, and OK
// pressed; after a conflict review OK is pressed once more, as the user would.
void correct(AppState& s, CliPrompter& p, const std::string& option, const std::string& value) {
    const size_t before = p.messages().size();
    s.UiMode = 0;
    CorrectionDialog d = PrepareCorrection(s, p);
    if (option == "--smooth") {
        if (!CorrectionGateEntry(s, p, d, value).accepted) FailInput(p, before, "");
    } else {
        std::string point, typed;
        double n = 0;
        if (!splitAt(value, "=", point, typed) || !ParseNumericText(point, n)) FailUsage("--set takes POINT=VALUE");
        if (!(n >= 1 && n <= d.CorrectionCount) || n != std::floor(n))
            FailInput(p, before, "karmo-cli: --set " + value + ": there is no point " + point);
        if (!CorrectionCellEntry(s, p, d, static_cast<int32_t>(n), typed).accepted) FailInput(p, before, "");
    }
    CorrectionOkResult r = CorrectionOk(s, p, d);
    if (r.outcome == CorrectionOutcome::StayOpen) r = CorrectionOk(s, p, d);
    if (r.outcome == CorrectionOutcome::HistoryDeleted || r.outcome == CorrectionOutcome::Abandoned)
        throw CliFailure(1, "karmo-cli: " + option + " " + value + " leaves no history", true);
    if (r.outcome != CorrectionOutcome::Applied)
        FailInput(p, before, "karmo-cli: " + option + " " + value + " was not applied");
}

}  // namespace

int EditCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    CliPrompter p(err, a.has("--no"));
    AppState s;
    const std::string target = ReadHistoryForOutput(a, "edit", p, s);
    s.ViewCount = s.batch().PointCount;

    for (const auto& [option, value] : a.ordered) {
        if (option == "--rescale") rescale(s, p, value);
        if (option == "--cut" || option == "--cut-band") subtract(s, p, option, value);
        if (option == "--append") append(s, p, value);
        if (option == "--smooth" || option == "--set") correct(s, p, option, value);
    }

    // Stored as "history" stores it: alternating, with an even count.
    RemoveConflicts(s, p);
    DataBatch& b = s.batch();
    if (b.PointCount % 2 != 0) {
        --b.PointCount;
        RecomputeExtremes(s);
    }
    s.ProcessedCount = b.PointCount;
    WriteHistoryOut(s, p, target);

    std::ostringstream text;
    if (a.has("--json")) {
        JsonWriter j(text);
        j.beginObject();
        j.key("history");
        WriteHistoryJson(j, s);
        j.key("messages");
        WriteMessagesJson(j, p);
        j.endObject();
        text << '\n';
    } else {
        text << target << ": " << b.PointCount << " points\n";
    }
    out << text.str();
    return 0;
}

}  // namespace karmo::cli
