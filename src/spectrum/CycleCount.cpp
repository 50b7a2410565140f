#include "spectrum/CycleCount.h"

#include "history/HistoryChecks.h"
#include "spectrum/RainflowCounter.h"

namespace karmo {

CycleCountOutcome CycleCountClick(AppState& s, Prompter& p) {
    CycleCountOutcome out;
    if (s.UiMode != kUiIdle) return out;
    out.ran = true;
    BusyScope busy(p);
    DataBatch& b = s.batch();
    const std::string historyTitle = s.QuantityName + "History";

    int32_t n = b.PointCount;
    if (n < 0) n = 0;
    if (s.Values.empty()) n = 0;
    else if (static_cast<size_t>(n) > s.Values.size() - 1) n = static_cast<int32_t>(s.Values.size() - 1);

    if (RearrangeHistory(s.Values, n)) {
        p.tell(historyTitle, "The " + s.QuantityName + "History has been rearranged.",
               Icon::Information);
        s.HistoryPlotOutdated = true;
        out.rearranged = true;
    }

    int32_t count = n;
    int16_t removeAll = 1;
    if (CheckHistoryConflicts(s, p, s.Values, count, removeAll)) {
        out.conflict = true;
        out.historyShortened = count != n;
        p.tell(historyTitle, "Please use the Correction option to correct the conflicting values.",
               Icon::Information);
        return out;
    }

    s.ProcessedCount = b.PointCount;
    s.SpectrumBackup = static_cast<const BatchRecord&>(b);

    if (s.QuantityName != "Stress ") {
        MeanStressDialog ignore = OpenMeanStressDialog(s);
        ignore.include = false;
        s.UiMode = 0;   // a long count lets window events run: no second command meanwhile
        out.counting = MeanStressOk(s, p, ignore);
        return out;
    }
    out.dialog = OpenMeanStressDialog(s);
    out.meanStressDialog = true;
    s.UiMode = 0;
    return out;
}

}  // namespace karmo
