#include "editing/EditCommon.h"

#include <algorithm>

#include "database/BatchOps.h"
#include "history/Extremes.h"
#include "history/HistoryFile.h"

namespace karmo {

std::string CutTitle(const std::string& title) {
    size_t i = 0;
    for (size_t chars = 0; i < title.size() && chars < kTitleLength; ++chars) {
        ++i;
        while (i < title.size() && (static_cast<unsigned char>(title[i]) & 0xC0) == 0x80) ++i;
    }
    return title.substr(0, i);
}

std::string EditHistoryTitle(const AppState& s) { return s.QuantityName + "History"; }

RedrawDecision AskRefresh(const AppState& s, Prompter& p, int32_t pointsBefore,
                          const std::string& firstSentence) {
    RedrawDecision d;
    if (pointsBefore >= kFastDisplayCount && s.FastDisplay == 0 &&
        p.ask(Prompt{EditHistoryTitle(s), firstSentence + "\nRefresh the display?", Icon::Question,
                     Buttons::YesNo, 0}) != Answer::Yes) {
        d.refreshPending = true;
        return d;
    }
    d.redraw = true;
    return d;
}

void RecomputeExtremes(AppState& s) {
    DataBatch& b = s.batch();
    const int32_t n = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    if (n < 1) {
        b.MaxValue = b.MinValue = 0;
        return;
    }
    float mx = s.Values[1], mn = s.Values[1];
    MergeExtremes(s.Values.data() + 1, static_cast<size_t>(n), mx, mn);
    b.MaxValue = mx;
    b.MinValue = mn;
}

void PullViewInside(AppState& s, int32_t count) {
    if (s.ViewCount > count) s.ViewCount = count;
    if (s.ViewStart + s.ViewCount - 1 > count) s.ViewStart = count - s.ViewCount + 1;
    if (s.ViewStart < 1) s.ViewStart = 1;
}

void DeleteEditedHistory(AppState& s) {
    s.batch().PointCount = 0;
    s.Values.assign(2, 0.0f);
    s.ProcessedCount = 0;
    RevertHistory(s);
    s.HistoryModified = false;
}

}  // namespace karmo
