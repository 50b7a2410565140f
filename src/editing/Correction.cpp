#include "editing/Correction.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryChecks.h"
#include "history/HistoryFile.h"

namespace karmo {

namespace {

const char* kValueMask = "####0.###";

std::string smoothTitle(const AppState& s) { return "Smooth " + s.QuantityName + "History"; }
std::string editTitle(const AppState& s) { return "Edit " + s.QuantityName + "History"; }

Answer question(Prompter& p, const std::string& title, const std::string& text) {
    return p.ask(Prompt{title, text, Icon::Question, Buttons::YesNo, 0});
}

void refuse(Prompter& p, const std::string& title, const std::string& text) {
    p.ask(Prompt{title, text, Icon::Critical, Buttons::Ok, 0});
}


int16_t firstIsValley(const std::vector<float>& copy, int32_t count) {
    return count >= 2 && copy[1] > copy[2] ? 2 : 1;
}

// PairCount and the scroll bar for the copy's count and the plot window.
void setUpPairs(const AppState& s, Prompter& p, CorrectionDialog& d) {
    int32_t shown = d.CorrectionCount;
    if (s.ViewCount > 0) shown = std::min(shown, s.ViewCount);
    d.PairCount = RoundHalfEven(shown / 2.0);
    d.ScrollMax = 1;
    if (d.PairCount > 9) {
        if (d.PairCount > kMaxCorrectionPairs) {
            d.PairCount = kMaxCorrectionPairs;
            p.ask(Prompt{EditHistoryTitle(s), "Sorry, you may correct manually 32766 datapoints only. ",
                         Icon::Information, Buttons::Ok, 0});
        }
        d.ScrollMax = d.PairCount - 9;
    }
    d.ScrollValue = 1;
    d.FirstIsValley = firstIsValley(d.CorrectionCopy, d.CorrectionCount);
}

std::string shownValue(const AppState& s, float v) { return FormatMask(v * s.QuantityFactor, kValueMask); }

}  // namespace

std::string CorrectionCaption(const AppState& s) { return s.QuantityName + "History Data"; }
std::string CorrectionTitleLabel(const AppState& s) { return s.QuantityName + "History Title:"; }

CorrectionDialog PrepareCorrection(const AppState& s, Prompter& p) {
    const DataBatch& b = s.batch();
    CorrectionDialog d;
    d.Title = b.Title;
    d.CorrectionCount = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    d.CorrectionCopy.assign(static_cast<size_t>(d.CorrectionCount) + 2, 0.0f);
    std::copy_n(s.Values.begin() + 1, d.CorrectionCount, d.CorrectionCopy.begin() + 1);
    d.RecordTime = b.RecordTime;
    d.RecordTimeText = d.ShownRecordTime = ShortNumber(b.RecordTime);
    setUpPairs(s, p, d);
    return d;
}

CorrectionDialog PrepareKeyboardEntry(AppState& s) {
    s.ViewStart = 1;
    s.ViewCount = 0;
    CorrectionDialog d;
    d.NewHistory = true;
    d.Title = "???";
    d.RecordTimeText.assign(1, '0');
    d.ShownRecordTime = d.RecordTimeText;
    d.CorrectionCopy.assign(2, 0.0f);
    return d;
}

int32_t CorrectionLargeStep(const CorrectionDialog& d) {
    return d.ScrollMax >= 11 ? RoundHalfEven(d.ScrollMax / 10.0) : 1;
}

void ResizeCorrection(CorrectionDialog& d, int32_t n) {
    n = std::max<int32_t>(n, 0);
    d.CorrectionCount = n;
    d.PairCount = std::min(n / 2, kMaxCorrectionPairs);
    d.CorrectionCopy.resize(static_cast<size_t>(n) + 2, 0.0f);
    d.CorrectionCopy[static_cast<size_t>(n) + 1] = 0.0f;
    d.ScrollMax = d.PairCount > 9 ? d.PairCount - 9 : 1;
    d.ScrollValue = 1;
    d.FirstIsValley = firstIsValley(d.CorrectionCopy, n);
}

int32_t TrimTrailingRepeats(const std::vector<float>& copy, int32_t n) {
    n = std::min<int32_t>(n, static_cast<int32_t>(copy.size()) - 1);
    int32_t m = n;
    for (int32_t i = n; i > 1 && copy[static_cast<size_t>(i)] - copy[static_cast<size_t>(i - 1)] == 0.0f; --i)
        --m;
    return m;
}

CountEntry CorrectionCountEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text) {
    const std::string title = EditHistoryTitle(s);
    CountEntry r;
    const std::string current = std::to_string(d.CorrectionCount);
    double v = 0;
    if (!ParseNumericText(text, v)) {
        refuse(p, title, "Number of Points must be numeric");
        return r;
    }
    const double t = std::trunc(v);
    // The box holds a 16-bit count; a longer history keeps its own count unchanged.
    if (t != d.CorrectionCount && (t > 32767 || t < -32768)) {
        refuse(p, title, "Number of Points is out of range");
        r.restore = current;
        return r;
    }
    const auto n = static_cast<int32_t>(t);
    if (n % 2 != 0) {
        refuse(p, title, "Number of data points must be even.");
        r.restore = current;
        return r;
    }
    if (n < 0) {
        refuse(p, title, "Minimum No of data points is 4");
        r.restore = current;
        return r;
    }
    const bool hasPoints = !d.NewHistory && s.batch().PointCount > 0;
    if (hasPoints && n > d.CorrectionCount) {
        if (question(p, title,
                     std::to_string(n - d.CorrectionCount) +
                         " data points will be added to the history.\n Would you like to continue?") !=
            Answer::Yes) {
            r.restore = current;
            return r;
        }
    } else if (n < d.CorrectionCount) {
        if (question(p, title,
                     std::to_string(d.CorrectionCount - n) +
                         " last data points will be subtracted from the History.\n Would you like to continue?") !=
            Answer::Yes) {
            r.restore = current;
            return r;
        }
        r.applyNow = true;
    }
    ResizeCorrection(d, n);
    r.accepted = true;
    return r;
}

EntryCheck CorrectionRecordTimeEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text) {
    const std::string title = EditHistoryTitle(s);
    EntryCheck r;
    if (text == d.RecordTimeText) {
        r.accepted = true;
        return r;
    }
    double v = 0;
    if (!ParseNumericText(text, v)) {
        refuse(p, title, "The Record Time must be numeric");
        return r;
    }
    if (std::floor(v) < 0) {
        refuse(p, title, "Record time must be greater than or equal to 0");
        r.restore = ShortNumber(s.batch().RecordTime);
        return r;
    }
    const auto single = ToSingle(v);
    if (!single) {
        refuse(p, title, "The Record Time is out of range");
        r.restore = d.RecordTimeText;
        return r;
    }
    d.RecordTimeText = std::string(text);
    d.RecordTime = *single;
    r.accepted = true;
    return r;
}

EntryCheck CorrectionGateEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text) {
    EntryCheck r;
    r.restore = d.GateText;
    double v = 0;
    if (!ParseNumericText(text, v)) {
        refuse(p, "Smmoth " + s.QuantityName + "History", "Gate must be numeric");
        return r;
    }
    if (std::floor(v) < 0) {
        refuse(p, smoothTitle(s), "Gate must be greater than 0");
        return r;
    }
    if (std::floor(v) >= 100) {
        refuse(p, smoothTitle(s), "Gate must be smaller than 100");
        return r;
    }
    d.GateText = std::string(text);
    d.Gate = static_cast<float>(v);
    r.restore.reset();
    r.accepted = true;
    return r;
}

EntryCheck CorrectionCellEntry(const AppState& s, Prompter& p, CorrectionDialog& d, int32_t point,
                               std::string_view text) {
    EntryCheck r;
    if (point < 1 || point > d.CorrectionCount) return r;
    float& stored = d.CorrectionCopy[static_cast<size_t>(point)];
    const std::string shown = shownValue(s, stored);
    // The cell shows the value rounded; leaving it as shown keeps the value exact.
    if (text == shown) {
        r.accepted = true;
        return r;
    }
    double v = 0;
    if (!ParseNumericText(text, v)) {
        refuse(p, editTitle(s), "The value must be numeric");
        r.restore = shown;
        return r;
    }
    const auto single = ToSingle(v / s.QuantityFactor);
    if (!single) {
        refuse(p, editTitle(s), "The value is out of range");
        r.restore = shown;
        return r;
    }
    if (*single != stored) {
        stored = *single;
        d.HistoryChangedInGrid = true;
        if (point <= 2) d.FirstIsValley = firstIsValley(d.CorrectionCopy, d.CorrectionCount);
    }
    r.accepted = true;
    return r;
}

bool CorrectionCellEnter(const AppState& s, Prompter& p, const CorrectionDialog& d) {
    if (d.CorrectionCount >= 4) return true;
    p.ask(Prompt{editTitle(s), "Minimum No of data points is 4", Icon::Critical, Buttons::Ok, 0});
    return false;
}

CorrectionGrid CorrectionGridRows(const AppState& s, const CorrectionDialog& d) {
    CorrectionGrid g;
    const std::vector<float>& c = d.CorrectionCopy;
    const int32_t v = d.ScrollValue;
    const int32_t rows = v + 9 > d.PairCount ? std::min(d.PairCount, kCorrectionRows) : kCorrectionRows;
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t i = 2 * v + s.ViewStart - 2 + 2 * r;
        CorrectionRow& row = g.rows[static_cast<size_t>(r)];
        row.label = std::to_string(i) + "-" + std::to_string(i + 1);
        for (int k = 0; k < 2; ++k) {
            const int32_t point = i + k;
            if (point >= 1 && point <= d.CorrectionCount) {
                row.points[static_cast<size_t>(k)] = point;
                row.values[static_cast<size_t>(k)] = shownValue(s, c[static_cast<size_t>(point)]);
            }
        }
    }
    const int32_t at = s.ViewStart;
    const bool peakFirst = at >= 1 && at + 1 <= d.CorrectionCount &&
                           c[static_cast<size_t>(at)] > c[static_cast<size_t>(at + 1)];
    const std::string peak = "Peak " + s.QuantityUnitBracket, valley = "Valley " + s.QuantityUnitBracket;
    g.firstCaption = peakFirst ? peak : valley;
    g.secondCaption = peakFirst ? valley : peak;
    return g;
}

CorrectionOkResult CorrectionOk(AppState& s, Prompter& p, CorrectionDialog& d) {
    const std::string title = EditHistoryTitle(s);
    CorrectionOkResult r;
    const int32_t n = d.CorrectionCount;
    const int32_t m = TrimTrailingRepeats(d.CorrectionCopy, n);
    if (m < n && question(p, title, "The number of History data points is " + std::to_string(m)) != Answer::Yes)
        return r;
    s.SpectrumRebuilt = false;
    if (m < 4) {
        if (question(p, title, "Minimum No of History data points is 4!\nWould you like to delete the whole History?") ==
            Answer::Yes) {
            s.UiMode = kUiIdle;
            r.outcome = CorrectionOutcome::Abandoned;
        }
        return r;
    }
    d.CorrectionCount = m;

    // The check works on the copy; the batch keeps its record until the copy is applied,
    // so Cancel after the review still leaves the history as it was.
    DataBatch& b = s.batch();
    const int32_t keptCount = b.PointCount;
    const bool keptModified = s.HistoryModified;
    int32_t remaining = m;
    int16_t removeAll = 1;
    const bool conflicts = CheckHistoryConflicts(s, p, d.CorrectionCopy, remaining, removeAll);
    b.PointCount = keptCount;
    s.HistoryModified = keptModified;
    if (remaining < m) {
        p.ask(Prompt{CheckHistoryTitle(s), std::to_string(m - remaining) + " data points have been removed.",
                     Icon::Information, Buttons::Ok, 0});
        PullViewInside(s, remaining);
    }
    d.CorrectionCopy.resize(static_cast<size_t>(remaining) + 2);
    d.CorrectionCopy[static_cast<size_t>(remaining) + 1] = 0.0f;
    d.CorrectionCount = remaining;
    if (remaining < 4) {
        if (question(p, "Subtract " + s.QuantityName + "History",
                     "The minimum No of Points is 4.\nWould you like to delete the whole history?") != Answer::Yes) {
            setUpPairs(s, p, d);
            r.outcome = CorrectionOutcome::FocusCount;
            return r;
        }
        DeleteEditedHistory(s);
        s.UiMode = kUiIdle;
        r.outcome = CorrectionOutcome::HistoryDeleted;
        return r;
    }
    if (conflicts) {
        setUpPairs(s, p, d);
        return r;
    }
    if (d.CorrectionCount % 2 != 0) {
        if (question(p, title, "Number of data points must be even.\nRemove the last data point?") != Answer::Yes)
            return r;
        ResizeCorrection(d, d.CorrectionCount - 1);
    }

    ApplyCorrection(s, p, d);
    s.UiMode = kUiIdle;
    if (b.PointCount < 4) {   // the gate left too little; its message has said so
        DeleteEditedHistory(s);
        r.outcome = CorrectionOutcome::HistoryDeleted;
        return r;
    }
    r.outcome = CorrectionOutcome::Applied;
    r.display.redraw = true;
    if (d.HistoryChangedInGrid &&
        question(p, title, "The History has been changed.\nRefresh the display?") != Answer::Yes) {
        r.display.redraw = false;
        r.display.refreshPending = true;
    }
    return r;
}

void ApplyCorrection(AppState& s, Prompter& p, const CorrectionDialog& d) {
    DataBatch& b = s.batch();
    s.HistoryModified = true;
    if (d.Title != b.Title) b.Title = CutTitle(d.Title);
    if (d.RecordTimeText != d.ShownRecordTime || d.NewHistory || b.PointCount == 0) b.RecordTime = d.RecordTime;
    const int32_t n = std::min<int32_t>(d.CorrectionCount, static_cast<int32_t>(d.CorrectionCopy.size()) - 1);
    s.Values.resize(static_cast<size_t>(n) + 2);
    std::copy_n(d.CorrectionCopy.begin() + 1, n, s.Values.begin() + 1);
    s.Values[static_cast<size_t>(n) + 1] = 0.0f;
    b.PointCount = n;
    s.ProcessedCount = n;
    RecomputeExtremes(s);
    if (d.Gate > 0 && d.Gate < 100) ApplyRangeGate(s, p, d.Gate);
}

}  // namespace karmo
