#pragma once
#include <string>

#include "core/AppState.h"

namespace karmo {

// What the Loading Database panel shows for one batch: captions built from the batch's
// quantity and the values in their display masks.
struct BatchDisplayTexts {
    std::string batchNumber, batchName;
    std::string historyTitle, spectrumTitle, distributionTitle;
    std::string maxValueCaption, minValueCaption, maxRangeCaption, minRangeCaption;
    std::string points, maxValue, minValue, historyTime;
    std::string maxRange, minRange, levels, volume, spectrumTime;
    std::string distributionLabel, q, r;
    std::string meanStressLine;
    std::string quantityToolTip;
};

// Applies the quantity of batch b (QuantityName, factor, units) and, when the batch holds
// a distribution, selects its type; returns the texts of the batch display.
BatchDisplayTexts PrepareBatchDisplay(AppState& s, int b);

// The mean-stress line: "DMSE(+): Su=500, Sy=300, Kf=1.0" when the batch has an ultimate
// strength above 1.0011, "  DMSE(-)" for a batch with a history, else empty.
std::string MeanStressLine(const AppState& s, int b);

}  // namespace karmo
