#include "spectrum/SpectrumParamsEdit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryChecks.h"
#include "spectrum/SpectrumParams.h"

namespace karmo {

namespace {

std::string paramsTitle(const AppState& s) { return s.QuantityName + "Spectrum Params"; }
std::string spectrumTitle(const AppState& s) { return s.QuantityName + "Spectrum"; }

SpectrumBoxCheck refuse(Prompter& p, const std::string& title, const std::string& text,
                        Icon icon = Icon::Critical) {
    p.tell(title, text, icon);
    SpectrumBoxCheck c;
    c.accepted = false;
    return c;
}

// The largest range as the dialog holds it, in display units.
double shownMax(const AppState& s, std::string_view maxText) {
    double v = 0;
    if (ParseNumericText(maxText, v)) return v;
    return static_cast<double>(s.batch().MaxRange * s.QuantityFactor);
}

}  // namespace

std::string SpectrumLevelsLabel(const AppState& s, int32_t limit) {
    return "# of " + s.QuantityName + "Levels (max " + std::to_string(limit) + "):";
}

SpectrumBoxCheck ValidateSpectrLevels(AppState& s, Prompter& p, std::string_view text) {
    const std::string& q = s.QuantityName;
    double v = 0;
    if (!ParseNumericText(text, v))
        return refuse(p, paramsTitle(s), "The number of " + q + "levels must be numeric");
    if (v <= 0) return refuse(p, paramsTitle(s), "The number of " + q + "levels must be greater than 0");
    // Compared before the conversion, so no count can overflow the Integer.
    if (v > s.MaxLevels)
        return refuse(p, q + "Spectrum params", "The max number of " + q + "levels is " + std::to_string(s.MaxLevels));
    s.batch().LevelCount = RoundHalfEven16(v);
    return {};
}

SpectrumBoxCheck ValidateSpectrMax(const AppState& s, Prompter& p, std::string_view text,
                                   std::string_view minText) {
    const std::string& q = s.QuantityName;
    double v = 0;
    if (!ParseNumericText(text, v))
        return refuse(p, "Stress Spectrum Params", "The Maximum " + q + "range must be numeric");
    if (v <= 0) return refuse(p, paramsTitle(s), "The maximum " + q + "range must be positive");
    if (!ToSingle(v / s.QuantityFactor)) return refuse(p, paramsTitle(s), "The maximum " + q + "range is out of range");
    double smallest = 0;
    if (ParseNumericText(minText, smallest) && !(v > smallest))
        return refuse(p, paramsTitle(s),
                      "The maximum " + q + "range should not be less than " + FormatMask(smallest, "##0.0## "));
    return {};
}

SpectrumBoxCheck ValidateSpectrMin(const AppState& s, Prompter& p, std::string_view text,
                                   std::string_view maxText, ExactMinText& exact, bool onOk) {
    const std::string& q = s.QuantityName;
    const float f = s.QuantityFactor;
    double v = 0;
    if (!ParseNumericText(text, v))
        return refuse(p, paramsTitle(s), "The minimum " + q + "range must be numeric.");
    const bool unchanged = text == exact.text;
    const std::optional<float> typed = ToSingle(v / f);
    if (!unchanged && !typed) return refuse(p, paramsTitle(s), "The minimum " + q + "range is out of range");
    const float value = unchanged ? exact.value : *typed;
    if (s.AfterCounting) {
        // The lower limit keeps the lowest level above the smallest counted range. The box
        // shows values rounded, so a typed value is refused only when it also lies below
        // the limit as the box would show it, and a text the dialog wrote is judged by its
        // exact value: the dialog accepts its own proposal and its own correction.
        const float lmin = MinRangeLowerLimit(s);
        const std::string limitText = FormatMask(lmin * f, "##0.0##");
        double shownLimit = 0;
        ParseNumericText(limitText, shownLimit);
        if (value + 0.0004f < lmin && (unchanged || v < shownLimit)) {
            SpectrumBoxCheck c = refuse(p, paramsTitle(s),
                                        "The minimum " + q + "range should not be less than " +
                                            FormatMask(lmin * f, "##0.0## ") + s.QuantityUnit,
                                        Icon::Information);
            c.newText = limitText;
            exact = ExactMinText{limitText, lmin};
            return c;
        }
    }
    // A text the dialog wrote stands for its exact value (the limit of one level lies
    // half a thousandth below the largest range and shows as that range).
    const double largest = shownMax(s, maxText);
    const double smallest = unchanged ? static_cast<double>(value * f) : v;
    if (!(smallest < largest))
        return refuse(p, paramsTitle(s),
                      "The minimum " + q + "range should be less than " + FormatMask(largest, "####0.0##"),
                      onOk ? Icon::Information : Icon::Critical);
    return {};
}

SpectrumBoxCheck ValidateSpectrVol(AppState& s, Prompter& p, std::string_view text) {
    double v = 0;
    if (!ParseNumericText(text, v)) return refuse(p, paramsTitle(s), "The spectrum volume must be numeric");
    if (v == 1) return refuse(p, paramsTitle(s), "The spectrum volume must be greater than 1");
    // A volume bounds the number of levels: a level needs a cycle. A volume of 0 (or a
    // negative one, which cannot be meant) leaves the limit as it is.
    if (v > 0 && v <= s.MaxLevels) s.MaxLevels = RoundHalfEven(v);
    SpectrumBoxCheck c;
    c.levelsLabel = SpectrumLevelsLabel(s, s.MaxLevels);
    return c;
}

SpectrumBoxCheck ValidateSpectrRTime(const AppState& s, Prompter& p, std::string_view text) {
    double v = 0;
    if (!ParseNumericText(text, v)) return refuse(p, paramsTitle(s), "The Record Time must be numeric");
    if (v < 0) return refuse(p, paramsTitle(s), "Record time must be greater than or equal to 0");
    if (!ToSingle(v)) return refuse(p, paramsTitle(s), "The Record Time is out of range");
    return {};
}

SpectrumBoxCheck ValidateSpectrumBox(AppState& s, Prompter& p, SpectrumParamsBox box,
                                     const SpectrumParamsTexts& t, ExactMinText& exact) {
    switch (box) {
        case SpectrumParamsBox::Max: return ValidateSpectrMax(s, p, t.max, t.min);
        case SpectrumParamsBox::Min: return ValidateSpectrMin(s, p, t.min, t.max, exact);
        case SpectrumParamsBox::Levels: return ValidateSpectrLevels(s, p, t.levels);
        case SpectrumParamsBox::Volume: return ValidateSpectrVol(s, p, t.volume);
        case SpectrumParamsBox::RecordTime: return ValidateSpectrRTime(s, p, t.recordTime);
    }
    return {};
}

SpectrumParamsBox NextSpectrumParamsBox(SpectrumParamsBox from, bool down) {
    const int n = 5;
    const int i = static_cast<int>(from);
    return static_cast<SpectrumParamsBox>(down ? (i + 1) % n : (i + n - 1) % n);
}

void SpectrumParamsCancel(AppState& s) {
    DataBatch& b = s.batch();
    CopySpectrumFields(s.SpectrumBackup, b);
    s.UiMode = kUiIdle;
}

LevelCheck CheckSpectrumLevels(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    const int32_t n = std::min<int32_t>(b.LevelCount, kMaxLevels);
    int32_t last = n;
    while (last >= 1 && !(s.WorkLevelCycles[static_cast<size_t>(last)] > 0)) --last;
    // Counted and synthesised spectra may keep an empty level between two others.
    if (!s.AfterCounting && s.EditChoice != 2) {
        for (int32_t j = last - 1; j >= 1; --j) {
            if (!(s.WorkLevelCycles[static_cast<size_t>(j)] > 0)) {
                p.tell(spectrumTitle(s), "Number of of cycles at level " + std::to_string(j) + " must be >0!",
                       Icon::Critical);
                return LevelCheck::EmptyInside;
            }
        }
    }
    // A spectrum without any cycle has nothing to reduce to.
    if (last == n || last == 0) return LevelCheck::Passed;
    const Prompt q{spectrumTitle(s), "The number of levels will be reduced to " + std::to_string(last) + ".",
                   Icon::Question, Buttons::YesNo, 0};
    if (p.ask(q) != Answer::Yes) return LevelCheck::Declined;
    b.LevelCount = static_cast<int16_t>(last);
    b.MinRange = s.WorkLevelRange[static_cast<size_t>(last)];
    return LevelCheck::Passed;
}

bool CheckLevelOrder(const AppState& s, Prompter& p, int32_t& firstBadLevel) {
    const int32_t n = std::min<int32_t>(s.batch().LevelCount, kMaxLevels);
    for (int32_t j = 2; j <= n; ++j) {
        if (s.WorkLevelRange[static_cast<size_t>(j)] > s.WorkLevelRange[1]) {
            firstBadLevel = j;
            p.tell(spectrumTitle(s),
                   "The " + s.QuantityName + "value of data set " + std::to_string(j) +
                       " should be smaller than the first value",
                   Icon::Critical);
            return false;
        }
    }
    return true;
}

namespace {

double workingTotal(const AppState& s, bool positiveOnly) {
    double total = 0;
    const int32_t n = std::min<int32_t>(s.batch().LevelCount, kMaxLevels);
    for (int32_t j = 1; j <= n; ++j) {
        const double c = s.WorkLevelCycles[static_cast<size_t>(j)];
        if (!positiveOnly || c > 0) total += c;
    }
    return total;
}

int32_t toCount(double v) {
    return std::fabs(v) < 2147483520.0 ? RoundHalfEven(v) : (v < 0 ? -2147483647 : 2147483647);
}

}  // namespace

RefreshResult SpectrumRefresh(AppState& s, Prompter& p, int32_t* badLevel) {
    DataBatch& b = s.batch();
    const double total = workingTotal(s, false);
    if (total != 0 && b.Volume != 0 && total != static_cast<double>(b.Volume)) {
        const std::string text = total > b.Volume ? "The Spectrum Volume will be increased."
                                                  : "The Spectrum Volume will be reduced.";
        if (p.ask(Prompt{spectrumTitle(s), text, Icon::Question, Buttons::YesNo, 0}) != Answer::Yes)
            return RefreshResult::Declined;
    }
    switch (CheckSpectrumLevels(s, p)) {
        case LevelCheck::Passed: break;
        case LevelCheck::EmptyInside: return RefreshResult::Refused;
        case LevelCheck::Declined: return RefreshResult::Declined;
    }
    int32_t bad = 0;
    if (s.EditChoice == 1 && !CheckLevelOrder(s, p, bad)) {
        if (badLevel) *badLevel = bad;
        return RefreshResult::Refused;
    }
    // The plots draw the batch's levels: the working copy goes into it (the saved copy
    // stays for an abandoned edit).
    const int32_t n = std::min<int32_t>(b.LevelCount, kMaxLevels);
    for (int32_t j = 1; j <= n; ++j) {
        b.LevelRange[static_cast<size_t>(j)] = s.WorkLevelRange[static_cast<size_t>(j)];
        b.LevelCycles[static_cast<size_t>(j)] = toCount(s.WorkLevelCycles[static_cast<size_t>(j)]);
    }
    if (total != 0) b.Volume = toCount(workingTotal(s, false));
    return RefreshResult::Done;
}

bool SpectrumCorrection(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    b.Volume = toCount(workingTotal(s, true));
    if (b.Volume == 0) {
        p.tell(spectrumTitle(s), "Please type in " + s.QuantityName + "ranges and No of cycles first.",
               Icon::Critical);
        return false;
    }
    if (b.PointCount < 1 && b.Volume < 100) s.MaxLevels = b.Volume;
    if (CheckSpectrumLevels(s, p) != LevelCheck::Passed) return false;
    s.SpectrumBackup = static_cast<const BatchRecord&>(b);
    s.UiMode = 0;
    return true;
}

CloseAnswer SpectrumCloseQuestion(AppState& s, Prompter& p, int32_t* badLevel) {
    if (!s.SpectrumChanged) return CloseAnswer::Unchanged;
    const Prompt q{"Editing " + s.QuantityName + "Spectrum",
                   "Do you want to save the changes to the " + s.QuantityName + "Spectrum?", Icon::Question,
                   Buttons::YesNoCancel, 0};
    switch (p.ask(q)) {
        case Answer::No: return CloseAnswer::Discard;
        case Answer::Yes: break;
        default: return CloseAnswer::StayOpen;
    }
    if (CheckSpectrumLevels(s, p) != LevelCheck::Passed) return CloseAnswer::StayOpen;
    int32_t bad = 0;
    if (s.batch().PointCount < 1 && !CheckLevelOrder(s, p, bad)) {
        if (badLevel) *badLevel = bad;
        return CloseAnswer::StayOpen;
    }
    return CloseAnswer::Keep;
}

namespace {

void tellRangeNeeded(const AppState& s, Prompter& p, int32_t level) {
    p.tell(spectrumTitle(s), "The " + s.QuantityName + "Range '" + std::to_string(level) + "' must be > 0!",
           Icon::Critical);
}

bool levelInGrid(int32_t level) { return level >= 1 && level <= kMaxLevels; }

}  // namespace

GridCellCheck EditGridCycles(AppState& s, Prompter& p, int32_t level, std::string_view text) {
    double v = 0;
    if (!ParseNumericText(text, v)) {
        p.tell(spectrumTitle(s), "The " + s.QuantityName + "Spectrum cycles must be numeric", Icon::Critical);
        return GridCellCheck::Refused;
    }
    if (!levelInGrid(level)) return GridCellCheck::Accepted;
    const size_t j = static_cast<size_t>(level);
    if (v > 0 && s.WorkLevelRange[j] == 0) {
        tellRangeNeeded(s, p, level);
        return GridCellCheck::FocusStress;
    }
    const std::optional<float> typed = ToSingle(v);
    if (!typed) {
        p.tell(spectrumTitle(s), "The " + s.QuantityName + "Spectrum cycles are out of range", Icon::Critical);
        return GridCellCheck::Refused;
    }
    const float cycles = *typed;
    if (cycles != s.WorkLevelCycles[j]) {
        s.WorkLevelCycles[j] = cycles;
        s.SpectrumChanged = true;
    }
    return GridCellCheck::Accepted;
}

GridCellCheck EditGridStress(AppState& s, Prompter& p, int32_t level, std::string_view text) {
    double v = 0;
    if (!ParseNumericText(text, v)) {
        p.tell(spectrumTitle(s), "The " + s.QuantityName + "value must be numeric", Icon::Critical);
        return GridCellCheck::Refused;
    }
    if (!levelInGrid(level)) return GridCellCheck::Accepted;
    const size_t j = static_cast<size_t>(level);
    if (v == 0 && s.WorkLevelCycles[j] > 0) {
        tellRangeNeeded(s, p, level);
        return GridCellCheck::Refused;
    }
    const std::optional<float> typed = ToSingle(v / s.QuantityFactor);
    if (!typed) {
        p.tell(spectrumTitle(s), "The " + s.QuantityName + "value is out of range", Icon::Critical);
        return GridCellCheck::Refused;
    }
    const float range = *typed;
    if (range != s.WorkLevelRange[j]) {
        s.WorkLevelRange[j] = range;
        s.SpectrumChanged = true;
    }
    return GridCellCheck::Accepted;
}

bool SpectrumSaveChecks(AppState& s, Prompter& p, int32_t* badLevel) {
    int32_t bad = 0;
    if (!CheckLevelOrder(s, p, bad)) {
        if (badLevel) *badLevel = bad;
        return false;
    }
    return CheckSpectrumLevels(s, p) == LevelCheck::Passed;
}

void TellSpectrumIncluded(const AppState& s, Prompter& p) {
    if (!s.AfterCounting) p.tell("Current Data", "The data is included into the Database.", Icon::Information);
}

int32_t GridScrollFor(const AppState& s, int32_t level) {
    const int32_t last = std::max<int32_t>(1, s.batch().LevelCount - 4);
    return std::clamp<int32_t>(level, 1, last);
}

}  // namespace karmo
