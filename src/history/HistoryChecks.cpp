#include "history/HistoryChecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "core/Single.h"

namespace karmo {

std::string CheckHistoryTitle(const AppState& s) { return "Check " + s.QuantityName + "History"; }

bool CheckHistoryConflicts(AppState& s, Prompter& p, std::vector<float>& values, int32_t& count,
                           int16_t& removeAllFlag) {
    BusyScope busy(p);
    p.processPendingEvents();
    // A count beyond the values held is taken as the values held.
    count = std::min<int32_t>(count, static_cast<int32_t>(values.size()) - 1);
    const int32_t given = count;

    int16_t previous = kStepEqual;   // before index 2 nothing has been examined
    int16_t step = s.StepDirection;
    int32_t conflictAt = 0;
    for (int32_t i = 2; i <= count; ++i) {
        const float a = values[static_cast<size_t>(i - 1)];
        const float b = values[static_cast<size_t>(i)];
        step = b > a ? kStepRising : (b < a ? kStepFalling : kStepEqual);
        if (step == kStepEqual || step == previous) {
            conflictAt = i;
            break;
        }
        previous = step;
    }
    s.StepDirection = step;
    if (conflictAt == 0) return false;

    const std::string title = CheckHistoryTitle(s);
    const std::string& q = s.QuantityName;
    if (p.ask(Prompt{title,
                     "The " + q + "History has conflicting values at " + q + "index " +
                         std::to_string(conflictAt) + "\nRemove the conflict?",
                     Icon::Exclamation, Buttons::YesNo, 0}) != Answer::Yes)
        return true;

    int32_t newCount = 0;
    if (p.ask(Prompt{title, "Remove all conflicts in the " + q + "History data?", Icon::Question,
                     Buttons::YesNo, 0}) == Answer::Yes) {
        newCount = RemoveNonReversals(values, count - 1, count);
        if (newCount % 2 == 1) --newCount;
    } else {
        removeAllFlag = 0;
        newCount = RemoveNonReversals(values, conflictAt, count);
    }
    if (newCount < given) {
        count = newCount;
        s.batch().PointCount = newCount;
        s.HistoryModified = true;
    }
    return true;
}

int32_t RemoveNonReversals(std::vector<float>& values, int32_t upTo, int32_t count) {
    count = std::min<int32_t>(count, static_cast<int32_t>(values.size()) - 1);
    if (count < 2) return count;
    float* v = values.data();
    int32_t k = 1;
    for (int32_t i = 2; i <= count - 1; ++i) {
        // Signs rather than the product of the two differences: a product of two tiny
        // differences can underflow to 0 and lose a real reversal.
        const float before = v[i] - v[k];
        const float after = v[i + 1] - v[i];
        const bool turns = (before < 0 && after > 0) || (before > 0 && after < 0);
        if (i > upTo || turns) v[++k] = v[i];
    }
    v[++k] = v[count];
    return k;
}

void ApplyRangeGate(AppState& s, Prompter& p, float gatePercent) {
    DataBatch& b = s.batch();
    if (b.MaxValue == 0 && b.MinValue == 0) return;
    std::vector<float>& v = s.Values;
    int32_t n = std::min<int32_t>(b.PointCount, static_cast<int32_t>(v.size()) - 1);
    const float gate = std::fabs(b.MaxValue - b.MinValue) * gatePercent / 100.0f;

    // `held` is the point of a pair below the gate that waits for the next point of the
    // same kind; a separate flag marks it, so a held value of 0 stays 0.
    bool isHeld = false;
    float held = 0, before = 0;
    int32_t flag = 0, j = 0;
    for (int32_t i = 1; i <= n; ++i) {
        ++j;
        if (i >= 3) {
            if (isHeld) {
                isHeld = false;
                j -= 2;
                if (std::fabs(held - before) > std::fabs(v[i] - before)) {
                    v[i] = held;
                    continue;
                }
            } else if (std::fabs(v[i] - v[i - 1]) < gate) {
                held = v[j - 1];
                before = v[j - 2];
                isHeld = true;
            }
        }
        v[j] = v[i];
        if (isHeld && i == n) flag = 1;
    }
    n = j;
    if (n >= 2 && std::fabs(v[1] - v[2]) < gate) {
        for (int32_t i = 1; i < n; ++i) v[i] = v[i + 1];
        --n;
    }
    n -= flag;
    if (n % 2 == 1) --n;

    b.PointCount = n;
    s.ProcessedCount = n;
    v.resize(static_cast<size_t>(n) + 2);
    if (n < 4) {
        p.ask(Prompt{"Correct " + s.QuantityName + "History",
                     std::to_string(n) + " data points have left only.\nThe whole history will be deleted",
                     Icon::Exclamation, Buttons::Ok, 0});
        b.PointCount = 0;
        s.ProcessedCount = 0;
    }
    float maxV = v[1], minV = v[1];
    for (int32_t i = 2; i <= b.PointCount; ++i) {
        maxV = v[i] > maxV ? v[i] : maxV;
        minV = v[i] < minV ? v[i] : minV;
    }
    b.MaxValue = maxV;
    b.MinValue = minV;
}

void ScaleHistoryValues(AppState& s, float factor, float offset) {
    DataBatch& b = s.batch();
    std::vector<float>& v = s.Values;
    const int32_t n = std::min<int32_t>(b.PointCount, static_cast<int32_t>(v.size()) - 1);
    for (int32_t i = 1; i <= n; ++i) v[i] = factor * v[i] + offset;
    const float oldMax = b.MaxValue, oldMin = b.MinValue;
    if (factor > 0) {
        b.MaxValue = factor * oldMax + offset;
        b.MinValue = factor * oldMin + offset;
    } else {
        b.MinValue = factor * oldMax + offset;
        b.MaxValue = factor * oldMin + offset;
    }
}

bool ParseNumericText(std::string_view text, double& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    if (text.empty()) return false;
    const char* e = text.data() + text.size();
    double v = 0;
    const auto r = std::from_chars(text.data(), e, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) return false;
    value = v;
    return true;
}

HistParmsView OpenHistParms(AppState& s) {
    s.UiMode = 0;
    return HistParmsView{s.QuantityName + "-History Parameters", "0", "1"};
}

bool ValidateHistGate(const AppState& s, Prompter& p, std::string_view text) {
    double gate = 0;
    const std::string title = s.QuantityName + "History";
    if (!ParseNumericText(text, gate)) {
        p.ask(Prompt{title, "The Gate must be numeric", Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    if (gate < 0) {
        p.ask(Prompt{title, "The Gate must be > 0.", Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    if (!ToSingle(gate)) {
        p.ask(Prompt{title, "The Gate is out of range", Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    return true;
}

bool ValidateHistScale(const AppState& s, Prompter& p, std::string_view text) {
    double factor = 0;
    const std::string title = s.QuantityName + "History";
    if (!ParseNumericText(text, factor)) {
        p.ask(Prompt{title, "The Rescale factor must be numeric", Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    if (!ToSingle(factor)) {
        p.ask(Prompt{title, "The Rescale factor is out of range", Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    return true;
}

bool ConfirmHistParms(AppState& s, Prompter& p, double gatePercent, double scaleFactor) {
    const std::optional<float> gate = ToSingle(gatePercent);
    const std::optional<float> factor = ToSingle(scaleFactor);
    // The gate keeps values as they are, so the extremes tell whether the scaled history
    // and its largest range (what counting takes) fit.
    const DataBatch& b = s.batch();
    const double high = b.MaxValue, low = b.MinValue;
    const bool fits = factor && ToSingle(*factor * high) && ToSingle(*factor * low) &&
                      ToSingle(*factor * (high - low));
    if (!gate || !fits) {
        p.ask(Prompt{s.QuantityName + "History",
                     !gate ? "The Gate is out of range" : "The rescaled " + s.QuantityName + "History is out of range",
                     Icon::Critical, Buttons::Ok, 0});
        return false;
    }
    BusyScope busy(p);
    if (*gate > 0) ApplyRangeGate(s, p, *gate);
    if (*factor != 1.0f) ScaleHistoryValues(s, *factor, 0.0f);
    s.ViewStart = 1;
    s.UiMode = kUiIdle;
    return true;
}

void CancelHistParms(AppState& s) { s.UiMode = kUiIdle; }

}  // namespace karmo
