#include <sstream>
#include <vector>

#include "CliPrompter.h"
#include "Commands.h"
#include "FatigueOutput.h"
#include "JsonWriter.h"
#include "Pipeline.h"
#include "core/NumberForms.h"

namespace karmo::cli {

namespace {

// "k,SD,ND[,k2[,SL]]": the numbers as given (their signs are the calculator's to judge).
SnCurve curveFromSn(const std::string& text) {
    const std::string usage = "--sn takes k,SD,ND[,k2[,SL]], not " + text;
    std::vector<double> v;
    for (size_t at = 0;;) {
        const size_t comma = text.find(',', at);
        const std::optional<double> n =
            ParseListNumber(text.substr(at, comma == std::string::npos ? comma : comma - at));
        if (!n) FailUsage(usage);
        v.push_back(*n);
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    if (v.size() < 3 || v.size() > 5) FailUsage(usage);
    if (v.size() == 3) return SingleSlopeCurve(v[0], v[1], v[2]);
    return KneeCurve(v[0], v[1], v[2], v[3], v.size() == 5 ? std::optional<double>(v[4]) : std::nullopt);
}

double numberOption(const ParsedArgs& a, const std::string& name, double fallback) {
    const auto text = a.value(name);
    if (!text) return fallback;
    const std::optional<double> v = ParseListNumber(*text);
    if (!v) FailUsage(name + " takes a number, not " + *text);
    return *v;
}

// A detail category is a stress range: it has no meaning for a strain spectrum.
void stressOnly(const AppState& s, bool detailCategory) {
    if (detailCategory && s.QuantityName != "Stress ") FailUsage("--detail-category applies to stress spectra only");
}

}  // namespace

int DamageCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    const auto sn = a.value("--sn");
    const auto category = a.value("--detail-category");
    if (sn.has_value() == category.has_value())
        FailUsage(sn ? "give --sn or --detail-category, not both" : "damage needs --sn k,SD,ND[,k2[,SL]] or --detail-category C");
    const SnCurve curve = sn ? curveFromSn(*sn) : DetailCategoryCurve(numberOption(a, "--detail-category", 0));
    const double nRef = numberOption(a, "--nref", 2.0e6);

    const InputOptions o = InputOptionsFrom(a);
    CliPrompter p(err, a.has("--no"));
    AppState s;
    if (const auto db = a.value("--db")) {
        NeedPositional(a, 1, "N");
        PrepareState(s, o.us, false);
        OpenDatabaseBatch(s, p, *db, a.positional[0]);
        stressOnly(s, category.has_value());
    } else {
        NeedPositional(a, 1, "INPUT");
        PrepareState(s, o.us, o.strain);
        stressOnly(s, category.has_value());
        LoadHistory(s, p, a.positional[0], o);
        RemoveConflicts(s, p);
        CountSpectrum(s, p, SpectrumOptionsFrom(a));
    }

    const size_t before = p.messages().size();
    const DamageResult r = ComputeDamage(s.batch(), curve, nRef);
    if (!r.refusal.empty()) {
        p.tell(kDamageTitle, r.refusal, Icon::Critical);
        FailInput(p, before, "");
    }
    if (!r.hours) p.tell(kDamageTitle, kNoRecordTimeText, Icon::Information);

    std::ostringstream text;
    if (a.has("--json")) {
        JsonWriter j(text);
        j.beginObject().key("damage");
        WriteDamageJson(j, r);
        j.endObject();
        text << '\n';
    } else {
        PrintDamageText(text, s, curve, r);
    }
    out << text.str();
    return 0;
}

}  // namespace karmo::cli
