#pragma once
#include <optional>
#include <string>

namespace karmo {

// Lengths here are twips (1/1440 inch): the window and its panels were laid out on a
// 12000 x 9000 twip surface and are stretched to the real window.
constexpr double kDesignWidth = 12000;
constexpr double kDesignHeight = 9000;

struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipRect&) const = default;
};

// Size and place of the main window for a screen of screenW x screenH twips, keeping
// 4:3. twipsPerPixel rounds the width the way a window reads it back after setting it.
TwipRect MainWindowRect(double screenW, double screenH, double twipsPerPixel = 15);

struct ScaleFactors {
    float horizontal = 1;   // window width / 12000
    float vertical = 1;     // window height / 9000
    float font = 1;         // damped: at most 1.44, 0.9 x horizontal above 1
    // Controls inside the panels are stretched only when both factors differ from 1.
    bool scaleControls() const { return horizontal != 1.0f && vertical != 1.0f; }
};

ScaleFactors ComputeScaleFactors(double windowW, double windowH);

// Where a panel sits on the window's inner area (innerW x innerH twips), in twips, or
// nothing for a name the layout does not place.
std::optional<TwipRect> PanelRect(const std::string& name, const ScaleFactors& f,
                                  double innerW, double innerH);

// The About panel, placed each time it opens.
TwipRect AboutPanelRect(const ScaleFactors& f, double windowW);

}  // namespace karmo
