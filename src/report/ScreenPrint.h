#pragma once
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Canvas.h"

namespace karmo {

// The plot frames of the window that are visible, and so go on the printout.
struct VisibleFrames {
    bool history = false;       // frm_Hist
    bool spectrum = false;      // frm_Spectr
    bool distribution = false;  // frm_Distr
};

// Where the screen is drawn: a printer page, or the hidden picture of the window's size
// that is saved as an image file.
enum class ScreenTarget { Printer, SavePicture };

// What went onto the page, in the order it was drawn.
enum class ScreenPart { History, Spectrum, Distribution, SpectrumInfo };

inline constexpr const char* kScreenFileTitle = "Printing Screen to File";
inline constexpr const char* kScreenPrintTitle = "Printing Screen";
// The save dialog of "to &File...": the bitmap of the menu command, and PNG beside it.
inline constexpr const char* kScreenFileFilter = "KARMO Results (*.bmp)|*.bmp";
inline constexpr const char* kScreenPngFilter = "PNG Image (*.png)|*.png";

// One page of the window's plots, laid out like the window: the history over the upper
// half, the spectrum below it on the left, and on the right the distribution or, when the
// distribution frame is hidden, the spectrum information box. A batch without a history
// of its own (BatchKind above 1) gets the information box on every page, above the
// distribution when that is drawn too. Each plot lays itself out from its part of the
// target. textScale is the window's font factor on the picture and 1 on paper. The
// target is expected to be blank (the picture is cleared white by the caller).
std::vector<ScreenPart> DrawScreen(Canvas& c, AppState& s, const VisibleFrames& visible,
                                   ScreenTarget target, double textScale);

// The spectrum information box of batch b, laid out over the whole target: the caption of
// the information panel as a title, a box with the column titles "Level", the quantity with
// its unit and "Cycles", one row per level, and "Spectrum levels: " with the level count;
// for a counted history the omitted cycles follow on that line and, below 8 levels, once
// more on a line of their own. Long spectra are set in up to three column groups and then
// in a smaller font, so every level fits.
void DrawSpectrumInfo(Canvas& c, const AppState& s, int b, double textScale = 1.0);

// Where "&Copy Screen on Printer" puts the window image on a page of pageW x pageH: 10 %
// in from the left and top edges, the window's proportions kept, scaled so that its
// larger side relative to the page takes 0.8 of it (device units of the page).
struct CopyPlacement {
    double left = 0, top = 0, width = 0, height = 0;
};
CopyPlacement ScreenCopyPlacement(double pageW, double pageH, double windowW, double windowH);

}  // namespace karmo
