#include "FatigueOutput.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/NumberForms.h"
#include "fatigue/FatigueForm.h"

namespace karmo::cli {

std::optional<int32_t> MatrixBinsFrom(const ParsedArgs& a) {
    const auto text = a.value("--matrix");
    if (!text) return std::nullopt;
    const std::optional<double> v = ParseListNumber(*text);
    if (!v || *v != std::floor(*v) || *v < 1 || *v > kMaxMeanBins)
        FailUsage("--matrix takes a number of mean bins from 1 to " + std::to_string(kMaxMeanBins) + ", not " +
                  *text);
    return static_cast<int32_t>(*v);
}

RainflowMatrix CountedMatrix(const AppState& s, const CountSummary& c, int32_t meanBins) {
    double low = 0, high = 0;
    HistorySpan(s, low, high);
    return BuildRainflowMatrix(s.CountedCycles, c.grid, s.batch().LevelCount, low, high, meanBins);
}

void WriteMatrixJson(JsonWriter& j, const RainflowMatrix& m) {
    j.beginObject().key("rangeEdges").beginArray();
    for (float e : m.rangeEdges) j.value(e);
    j.endArray().key("meanEdges").beginArray();
    for (double e : m.meanEdges) j.value(e);
    j.endArray().key("counts").beginArray();
    for (const auto& row : m.counts) {
        j.beginArray();
        for (int32_t n : row) j.value(n);
        j.endArray();
    }
    j.endArray().endObject();
}

namespace {

std::string column(const std::string& text) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%10s", text.c_str());
    return cell;
}

}  // namespace

void PrintMatrixText(std::ostream& out, const AppState& s, const RainflowMatrix& m) {
    const double f = s.QuantityFactor;
    const std::string unit = s.QuantityUnitBracket;
    out << "Rainflow Matrix [cyc]: levels down, mean bins across\n";
    std::string bins = "  Mean bin                ", from = "  Mean from " + unit, to = "  Mean to " + unit;
    from.resize(26, ' ');
    to.resize(26, ' ');
    for (size_t j = 0; j + 1 < m.meanEdges.size(); ++j) {
        bins += column(std::to_string(j + 1));
        from += column(FormatMask(m.meanEdges[j] * f, "#####0.0#"));
        to += column(FormatMask(m.meanEdges[j + 1] * f, "#####0.0#"));
    }
    out << bins << '\n' << from << '\n' << to << '\n' << "  Level   Range " << unit << '\n';
    for (size_t i = 0; i < m.counts.size(); ++i) {
        char head[64];
        std::snprintf(head, sizeof head, "  %5zu  %12s    ", i + 1,
                      FormatMask(s.batch().LevelRange[i + 1] * s.QuantityFactor, "####0.00").c_str());
        out << head;
        for (int32_t n : m.counts[i]) out << column(std::to_string(n));
        out << '\n';
    }
}

void WriteDamageJson(JsonWriter& j, const DamageResult& r) {
    j.beginObject()
        .field("perRepetition", r.perRepetition)
        .field("repetitions", r.repetitions)
        .key("hours");
    if (r.hours) {
        j.value(*r.hours);
    } else {
        j.null();
    }
    j.field("equivalentRange", r.equivalentRange).field("nRef", r.nRef).key("levels").beginArray();
    for (const LevelDamage& l : r.levels)
        j.beginObject()
            .field("range", static_cast<double>(l.range))
            .field("cycles", l.cycles)
            .field("damage", l.damage)
            .endObject();
    j.endArray().endObject();
}

void PrintDamageText(std::ostream& out, const AppState& s, const SnCurve& c, const DamageResult& r) {
    const double f = s.QuantityFactor;
    const std::string unit = s.QuantityUnit;
    out << "Fatigue Damage (Palmgren-Miner):\n"
        << "  S-N curve:              k = " << ShortNumber(c.k) << ", SD = " << FormatMask(c.SD * f, "#####0.0##")
        << " " << unit << " at ND = " << ShortNumber(c.ND);
    if (c.k2 != c.k) out << ", k2 = " << ShortNumber(c.k2);
    if (c.SL) out << ", SL = " << FormatMask(*c.SL * f, "#####0.0##") << " " << unit;
    out << '\n'
        << "  Damage per repetition:  " << DamageFigure(r.perRepetition) << '\n'
        << "  Repetitions to failure: " << LifeFigure(r.repetitions) << '\n'
        << "  Life [h]:               " << (r.hours ? LifeFigure(*r.hours) : "not known (record time 0)") << '\n'
        << "  Equivalent range " << s.QuantityUnitBracket << " at " << ShortNumber(r.nRef)
        << " cycles: " << FormatMask(r.equivalentRange * f, "#####0.0##") << '\n'
        << "  Level   Range " << s.QuantityUnitBracket << "       Cycles        Damage  Share [%]\n";
    for (size_t i = 0; i < r.levels.size(); ++i) {
        const LevelDamage& l = r.levels[i];
        char line[128];
        std::snprintf(line, sizeof line, "  %5zu  %12s  %11d  %12s  %9s\n", i + 1,
                      FormatMask(l.range * s.QuantityFactor, "####0.00").c_str(), l.cycles,
                      DamageFigure(l.damage).c_str(), FormatMask(100 * l.share, "##0.00").c_str());
        out << line;
    }
}

}  // namespace karmo::cli
