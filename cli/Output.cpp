#include "Output.h"

#include <cstdio>

#include "core/NumberForms.h"
#include "core/Units.h"
#include "distribution/DistributionFit.h"
#include "distribution/Exceedance.h"

namespace karmo::cli {

namespace {

// The "levels" member: range and cycles of each level of the batch's spectrum.
JsonWriter& writeLevels(JsonWriter& j, const DataBatch& b) {
    j.key("levels").beginArray();
    for (int i = 1; i <= b.LevelCount && i <= kMaxLevels; ++i) {
        const auto k = static_cast<size_t>(i);
        j.beginObject().field("range", b.LevelRange[k]).field("cycles", b.LevelCycles[k]).endObject();
    }
    return j.endArray();
}

}  // namespace

std::string QuantityWord(const std::string& quantity) {
    return quantity.rfind("Strain", 0) == 0 ? "Strain" : "Stress";
}

void WriteHistoryJson(JsonWriter& j, const AppState& s) {
    const DataBatch& b = s.batch();
    j.beginObject()
        .field("title", b.Title)
        .field("points", b.PointCount)
        .field("max", b.MaxValue)
        .field("min", b.MinValue)
        .field("recordTime", b.RecordTime)
        .field("quantity", QuantityWord(b.Quantity))
        .endObject();
}

void WriteCountingJson(JsonWriter& j, const CountSummary& c) {
    j.beginObject()
        .field("cycles", c.cycles)
        .field("maxRange", c.maxRange)
        .field("minCountedRange", c.minCountedRange)
        .field("rearranged", c.rearranged)
        .endObject();
}

void WriteSpectrumJson(JsonWriter& j, const AppState& s) {
    const DataBatch& b = s.batch();
    j.beginObject()
        .field("levelCount", b.LevelCount)
        .field("maxRange", b.MaxRange)
        .field("minRange", b.MinRange)
        .field("volume", b.Volume)
        .field("omitted", s.OmittedCycles);
    writeLevels(j, b).endObject();
}

void WriteFitJson(JsonWriter& j, const AppState& s) {
    const DataBatch& b = s.batch();
    const int16_t type = s.DistributionType;
    // Q and R as the window shows them (Q in display units of the quantity), and the
    // probability of a range above the largest one.
    j.beginObject()
        .field("type", DistributionName(type))
        .field("FitQ", b.FitQ)
        .field("FitR", b.FitR)
        .field("Q", DisplayedFitQ(type, b.FitQ, s.QuantityFactor, b.MaxRange))
        .field("R", b.FitR)
        .field("exceedance", ExceedanceProbability(type, b.FitQ, b.FitR))
        .endObject();
}

void WriteSourceJson(JsonWriter& j, const AppState& s) {
    const DataBatch& b = s.batch();
    j.beginObject()
        .field("type", DistributionName(s.DistributionType))
        .field("SourceQ", b.SourceQ)
        .field("SourceR", b.SourceR)
        .field("SourceType", b.SourceType)
        .endObject();
}

void WriteMessagesJson(JsonWriter& j, const CliPrompter& p) {
    j.beginArray();
    for (const auto& m : p.messages()) j.beginObject().field("title", m.title).field("text", m.text).endObject();
    j.endArray();
}

void WriteBatchJson(JsonWriter& j, const AppState& s, int slot, int number) {
    const DataBatch& b = s.batch(slot);
    j.beginObject()
        .field("number", static_cast<int32_t>(number))
        .field("name", b.Name)
        .field("quantity", QuantityWord(b.Quantity))
        .field("recordTime", b.RecordTime)
        .field("pointCount", b.PointCount)
        .field("max", b.MaxValue)
        .field("min", b.MinValue)
        .field("levelCount", b.LevelCount);
    writeLevels(j, b)
        .field("maxRange", b.MaxRange)
        .field("minRange", b.MinRange)
        .field("volume", b.Volume)
        .field("FitQ", b.FitQ)
        .field("FitR", b.FitR)
        .field("SourceQ", b.SourceQ)
        .field("SourceR", b.SourceR)
        .field("SourceType", b.SourceType)
        .field("Su", b.UltimateStrength)
        .field("Sy", b.YieldStrength)
        .field("Kf", b.NotchFactor)
        .endObject();
}

namespace {

std::string shown(const AppState& s, float v) { return FormatMask(v * s.QuantityFactor, "#####0.0##"); }

}  // namespace

void PrintHistoryText(std::ostream& out, const AppState& s) {
    const DataBatch& b = s.batch();
    out << s.QuantityName << "History: " << b.Title << '\n'
        << "  Number of points:     " << b.PointCount << '\n'
        << "  Maximum " << s.QuantityUnitBracket << ":        " << shown(s, b.MaxValue) << '\n'
        << "  Minimum " << s.QuantityUnitBracket << ":        " << shown(s, b.MinValue) << '\n'
        << "  Record time [min]:    " << FormatMask(b.RecordTime, "###0.0##") << '\n';
}

void PrintCountingText(std::ostream& out, const AppState& s, const CountSummary& c) {
    out << "Rainflow counting:" << (c.rearranged ? " (history rearranged)" : "") << '\n'
        << "  Cycles counted:       " << c.cycles << '\n'
        << "  Largest range:        " << shown(s, c.maxRange) << '\n'
        << "  Smallest range:       " << shown(s, c.minCountedRange) << '\n'
        << "  Mean stress:          " << s.DmseLabel << '\n';
}

void PrintSpectrumText(std::ostream& out, const AppState& s) {
    const DataBatch& b = s.batch();
    out << s.QuantityName << "Spectrum:\n"
        << "  No. of Levels:        " << b.LevelCount << '\n'
        << "  Maximum Range " << s.QuantityUnitBracket << ":  " << shown(s, b.MaxRange) << '\n'
        << "  Minimum Range " << s.QuantityUnitBracket << ":  " << shown(s, b.MinRange) << '\n'
        << "  Volume [cyc]:         " << b.Volume << '\n'
        << "  Omitted cycles:       " << s.OmittedCycles << '\n'
        << "  Level   Range " << s.QuantityUnitBracket << "       Cycles\n";
    for (int i = 1; i <= b.LevelCount && i <= kMaxLevels; ++i) {
        const auto k = static_cast<size_t>(i);
        char line[96];
        std::snprintf(line, sizeof line, "  %5d  %12s  %11s\n", i,
                      FormatMask(b.LevelRange[k] * s.QuantityFactor, "####0.00").c_str(),
                      std::to_string(b.LevelCycles[k]).c_str());
        out << line;
    }
}

void PrintFitText(std::ostream& out, const AppState& s) {
    const DataBatch& b = s.batch();
    const int16_t type = s.DistributionType;
    const double q = DisplayedFitQ(type, b.FitQ, s.QuantityFactor, b.MaxRange);
    out << s.QuantityName << "Distribution " << DistributionLabelFor(type) << ":\n"
        << "  Q = " << FormatMask(q, "##0.0####") << "   R = " << FormatMask(b.FitR, "##0.0####") << '\n'
        << "  P(range > largest range) = "
        << FormatMask(ExceedanceProbability(type, b.FitQ, b.FitR), "#.0#e+##") << '\n';
}

void PrintSourceText(std::ostream& out, const AppState& s) {
    const DataBatch& b = s.batch();
    const int16_t type = s.DistributionType;
    out << "Source: " << DistributionLabelFor(type) << " Distribution\n"
        << "  Q = " << FormatMask(DisplayedSourceQ(type, b.SourceQ, s.QuantityFactor), "##0.0####")
        << "   R = " << FormatMask(b.SourceR, "##0.0####") << '\n';
}

}  // namespace karmo::cli
