#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Canvas.h"

namespace karmo {

// Where a history is drawn: the plot picture of the window, the printer page, or the
// hidden picture of the whole window that is saved as a bitmap.
enum class HistoryTarget { Screen, Printer, SavePicture };

// The fractions of the plot that the axes, the curve and the marks use.
constexpr double kHistAxisLeft = 0.07;     // xL
constexpr double kHistAxisRight = 0.91;    // xR
constexpr double kHistAxisBase = 0.15;     // yA
constexpr double kHistTop = 0.9;           // yT
constexpr double kHistBandLow = 0.15 * 1.2;    // yB: lower edge of a band mark
constexpr double kHistBandHigh = 0.9 * 0.92;   // yE: upper edge of a band mark
// Windows of at least this many points offer the display-mode pop-up and draw fast.
constexpr int32_t kLongWindow = 15001;

// The plot geometry of the last drawing, in the target's user units (twips, y up).
struct HistoryGeometry {
    double W = 0, H = 0;            // plot size
    double offsetX = 0, offsetY = 0;    // plot origin from the target's left and top edges
    double xL = 0, xR = 0, yA = 0, yT = 0, yB = 0, yE = 0;
    double lower = 0;               // value at the axis base: min(HistDisplayMin, 0)
    double ys = 0, y0 = 0, xs = 0;  // value scale, value origin, point step
    double pixelsPerUnit = 0;       // device pixels per user unit across
    bool drawn = false;             // false: nothing was drawn (no points)
};

// The value scale and the point step of a plot H high with its point axis from xL to xR.
// A window of one point, or a history whose largest value is the axis base, would divide
// by zero: one point sits on the left end of the axis, and a flat history is drawn as if
// its span were one unit (a level line at the height of the largest value).
void HistoryScales(double H, double xL, double xR, float displayMax, float displayMin,
                   int32_t viewCount, double& lower, double& ys, double& y0, double& xs);

// Sets the user scale of the target for the history plot (W x H twips of the picture on
// screen; a part of the page on the printer and on the save picture) and returns the
// geometry before anything is drawn.
HistoryGeometry HistoryGeometryFor(Canvas& c, HistoryTarget target);

// Draws the window of ViewCount points of batch `batch` starting at fromPoint: axes, axis
// words, the first and last point numbers, the curve and the extremes line. ViewStart,
// ViewEnd, DrawnViewCount, HistDisplayMax and HistDisplayMin follow the drawing. Nothing
// is drawn (the picture is only cleared) when the batch has no points. textScale is the
// font factor (1 on the printer).
HistoryGeometry DrawHistory(Canvas& c, AppState& s, int batch, int32_t fromPoint, HistoryTarget target,
                            double textScale);

// The curve of values(s..e) (1-based, count points valid). When a pixel column holds
// more than one point (k points per pixel, rounded half to even), one vertical bar from
// the smallest to the largest value per column of k points; otherwise connected lines.
void DrawHistoryCurve(Canvas& c, const std::vector<float>& values, int32_t count, double xL, double y0,
                      double xs, double ys, Color colour, int32_t viewStart, int32_t viewEnd,
                      double pixelsPerUnit);

// "Smax = ... MPa,  Smin = ... MPa" and, with the record time, ",  Tr = ... min".
std::string HistoryExtremesText(const AppState& s, bool withRecordTime, float recordTime = 0);

// The texts of the history information panel after a drawing.
struct HistoryInfoTexts {
    bool cycleEnabled = false;      // cmd_Cycle_Count: at least 4 points
    std::string batchName;          // txt_CurrBatch_Descr
    std::string batchNumber;        // txt_Curr_Batch_No
    std::string title;              // txt_Batch_No
    std::string points;             // txt_No_Points
    std::string maxValue, minValue; // txt_Max_Stress, txt_Min_Stress
    std::string recordTime;         // txt_Record_Time
    std::string caption;            // frm_Stress_Info: "Stress History Information"
    std::string historyOf;          // lbl_Batch_No: "Stress History of:"
    std::string maxLabel, minLabel; // "Max Stress [MPa]:", "Min Stress [MPa]:"
    std::string plotCaption;        // frm_Hist: "Stress History"
    std::string zoomToolTip;        // Cmd_Zoom_Refr: "Zoom the Stress history"
};
HistoryInfoTexts HistoryInformation(const AppState& s, int batch);

}  // namespace karmo
