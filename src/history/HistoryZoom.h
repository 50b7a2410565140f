#pragma once
#include <cstdint>
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Windows narrower than this are refused by "Re&fresh".
constexpr int32_t kZoomLimit = 10;
// The scroll bar's value stands for the window start in 1/10000 of the history.
constexpr int kScrollSpan = 10000;

// The first point of a window of viewCount points for a scroll value (0..10000): the
// value's share of the history plus one, rounded, kept inside the history.
int32_t ScrollWindowStart(int32_t pointCount, int32_t viewCount, int value);

// The scroll bar of a window of viewCount points starting at selectFrom (16-bit values).
struct ScrollSettings {
    int16_t min = 0, max = 1, smallChange = 1, largeChange = kScrollSpan, value = 0;
};
ScrollSettings ScrollSettingsFor(int32_t pointCount, int32_t viewCount, int32_t selectFrom);

// "Display Points: <from>-<to>"; the scroll drag writes "<from> - <to>".
std::string DisplayPointsText(int32_t from, int32_t to, bool spaced = false);

// A press on the zoom label. Left (any but the right button): a window of more than 10
// points is made even and divided by 1.2 from the current start, kept inside the
// history. Right: the whole history. SelectFrom and SelectTo follow.
void ZoomLabelPress(AppState& s, bool rightButton);

// "Re&fresh": the window becomes SelectFrom..SelectTo (at most the whole history).
struct ZoomRefresh {
    bool accepted = false;      // draw from SelectFrom; false: refused after the message
    bool setScroll = false;     // the window has at least 10 points: apply `scroll`
    ScrollSettings scroll;
};
// Fewer than 10 points: ViewCount returns to the drawn window and "The Zoom limit is 10
// data points" is shown (the window then resets the zoom). Otherwise the display mode
// follows the history's length (fast from 15001 points).
ZoomRefresh ApplyZoomRefresh(AppState& s, Prompter& p);

// The points under a mark: the pointer at x and the anchor at markX1 (plot units, the
// point axis from xL to xR), each kept inside the drawn window, in ascending order.
// `pointer` is the point under x itself (not ordered), 0 when x lies outside the axis.
struct MarkedPoints {
    int32_t from = 0, to = 0;
    int32_t pointer = 0;
};
MarkedPoints PointsUnderMark(const AppState& s, double xL, double xR, double x, double markX1);

// A zoom range marked with the mouse: SelectFrom/SelectTo, moved back by the part of the
// drawn window that reaches beyond the history.
void SelectMarkedRange(AppState& s, const MarkedPoints& m);

// The value band between two heights of a rectangle mark (plot units; the band base yB
// and the picture height H), into BandLow <= BandHigh.
void SetMarkedBand(AppState& s, double yB, double H, double y1, double y2);

// The value tip of point p: "<p>: <value>" in the display units of the quantity.
std::string ValueTipText(const AppState& s, int32_t p);

}  // namespace karmo
