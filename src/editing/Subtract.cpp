#include "editing/Subtract.h"

#include <algorithm>
#include <cstring>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryChecks.h"

namespace karmo {

namespace {

void refuse(const AppState& s, Prompter& p, const std::string& text) {
    p.ask(Prompt{SubtractTitle(s), text, Icon::Critical, Buttons::Ok, 0});
}

EntryCheck pointEntry(const AppState& s, Prompter& p, std::string_view text, const char* name) {
    EntryCheck r;
    double v = 0;
    if (ParseNumericText(text, v) && v < 1) {
        refuse(s, p, std::string("The '") + name + " Point' must be greater than 0!");
        return r;
    }
    r.accepted = true;
    return r;
}

}  // namespace

std::string SubtractTitle(const AppState& s) { return "Subtract " + s.QuantityName + "History"; }

void ShowSubtractHint(const AppState& s, Prompter& p) {
    p.ask(Prompt{SubtractTitle(s),
                 "By multiple subtractions proceed from the end to beginn of the " + s.QuantityName + "History.",
                 Icon::Exclamation, Buttons::Ok, 0});
}

EntryCheck SubtractFromEntry(const AppState& s, Prompter& p, std::string_view text) {
    return pointEntry(s, p, text, "From");
}

EntryCheck SubtractToEntry(const AppState& s, Prompter& p, std::string_view text) {
    return pointEntry(s, p, text, "To");
}

SubtractResult SubtractOk(AppState& s, Prompter& p, std::string_view fromText, std::string_view toText,
                          MarkKind kind) {
    s.UiMode = kUiIdle;
    s.SpectrumRebuilt = false;
    SubtractResult r;
    double from = 0, to = 0;
    if (!ParseNumericText(fromText, from)) {
        refuse(s, p, "The 'From Point' must be numeric");
        return r;
    }
    if (!ParseNumericText(toText, to)) {
        refuse(s, p, "The 'To Point' must be numeric");
        r.focusTo = true;
        return r;
    }
    if (!SubtractFromEntry(s, p, fromText).accepted) return r;
    if (!SubtractToEntry(s, p, toText).accepted) {
        r.focusTo = true;
        return r;
    }
    const int32_t n = s.batch().PointCount;
    to = std::min(to, static_cast<double>(n));
    // Whole point numbers; anything beyond the history has been brought inside it.
    const int32_t f = from > n ? n + 1 : RoundHalfEven(from);
    const int32_t t = RoundHalfEven(to);
    return ApplySubtract(s, p, std::max(f, 1), t, kind);
}

SubtractResult ApplySubtract(AppState& s, Prompter& p, int32_t from, int32_t to, MarkKind kind) {
    SubtractResult r;
    DataBatch& b = s.batch();
    const std::string title = SubtractTitle(s);
    const int32_t before = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    to = std::min(to, before);
    if (kind == MarkKind::Stretch && from == 1 && to >= before) {
        if (p.ask(Prompt{title, "The minimum No of Points is 4.\nWould you like to delete the whole history?",
                         Icon::Question, Buttons::YesNo, 0}) != Answer::Yes)
            return r;
        DeleteEditedHistory(s);
        r.outcome = SubtractOutcome::HistoryDeleted;
        return r;
    }
    if (from > to) {
        refuse(s, p, "The 'To point' must be greater than the 'From point'");
        return r;
    }

    float* v = s.Values.data();
    int32_t count = before;
    // The extremes are scanned again only when a removed point may have held one: the
    // conflict check keeps every reversal, so only the cut, the band and a dropped last
    // point can take them away.
    const float mx = b.MaxValue, mn = b.MinValue;
    bool extremeRemoved = false;
    auto mayHoldExtreme = [&](float x) { return !(x < mx && x > mn); };
    if (kind == MarkKind::Stretch) {
        for (int32_t i = from; i <= to && !extremeRemoved; ++i) extremeRemoved = mayHoldExtreme(v[i]);
        const int32_t cut = to - from + 1;
        std::memmove(v + from, v + to + 1, static_cast<size_t>(before - to) * sizeof(float));
        count = before - cut;
        if (count % 2 != 0) {
            int16_t removeAll = 1;
            CheckHistoryConflicts(s, p, s.Values, count, removeAll);
        }
        s.HistoryModified = true;
    } else {
        const float low = s.BandLow, high = s.BandHigh;
        extremeRemoved = !(mx > high || mx < low) || !(mn > high || mn < low);
        int32_t k = from - 1;
        for (int32_t i = from; i <= to; ++i)
            if (v[i] < low || v[i] > high) v[++k] = v[i];
        std::memmove(v + k + 1, v + to + 1, static_cast<size_t>(before - to) * sizeof(float));
        count = k + before - to;
        int16_t removeAll = 1;
        CheckHistoryConflicts(s, p, s.Values, count, removeAll);
    }
    // The check's even rule may have dropped the point now just behind the count.
    if (count < before && mayHoldExtreme(v[count + 1])) extremeRemoved = true;
    if (count < 4) {
        p.ask(Prompt{title, "The minimum No of Points is 4.\nThe whole history will be deleted. ", Icon::Information,
                     Buttons::Ok, 0});
        DeleteEditedHistory(s);
        r.outcome = SubtractOutcome::HistoryDeleted;
        return r;
    }
    if (count % 2 != 0 && mayHoldExtreme(v[--count + 1])) extremeRemoved = true;
    b.PointCount = count;
    r.RemovedCount = before - count;
    r.outcome = SubtractOutcome::Done;
    r.display.redraw = true;
    if (r.RemovedCount == 0) return r;

    s.Values.resize(static_cast<size_t>(count) + 2);
    s.Values[static_cast<size_t>(count) + 1] = 0.0f;
    s.ProcessedCount = count;
    if (extremeRemoved) RecomputeExtremes(s);
    s.HistoryModified = true;
    PullViewInside(s, count);
    const std::string removed = std::to_string(r.RemovedCount) + " data points have been removed.";
    r.display = AskRefresh(s, p, before, removed);
    if (p.ask(Prompt{EditHistoryTitle(s), removed + "\nReduce proportionally the record time?", Icon::Question,
                     Buttons::YesNo, 0}) == Answer::Yes)
        b.RecordTime = ToSingle(static_cast<double>(b.RecordTime) * count / before).value_or(b.RecordTime);
    return r;
}

}  // namespace karmo
