#include "ui/WindowGeometry.h"

#include <cmath>
#include <map>

namespace karmo {

TwipRect MainWindowRect(double screenW, double screenH, double twipsPerPixel) {
    TwipRect r;
    const double ratio = screenW / screenH;
    if (ratio > 4.0 / 3.0) {
        r.height = 0.96 * screenH;
        r.width = 4.0 / 3.0 * r.height;
    } else if (ratio == 4.0 / 3.0) {
        r.height = 0.96 * screenH;
        r.width = 0.96 * screenW;
    } else {
        r.width = 0.96 * screenW;
        // the height follows the width as the window holds it: whole pixels
        if (twipsPerPixel > 0) r.width = std::round(r.width / twipsPerPixel) * twipsPerPixel;
        r.height = 3.0 / 4.0 * r.width;
    }
    const float k = static_cast<float>(screenH / 9000.0);
    if (k > 1.5f) {
        r.height = screenH / 1.2;
        r.width = 4.0 / 3.0 * r.height;
    } else if (k > 1.3f) {
        r.height = screenH / 1.1;
        r.width = 4.0 / 3.0 * r.height;
    }
    r.left = 0.015 * screenW;
    r.top = 0.003 * screenW;
    return r;
}

ScaleFactors ComputeScaleFactors(double windowW, double windowH) {
    ScaleFactors f;
    f.horizontal = static_cast<float>(windowW / kDesignWidth);
    f.vertical = static_cast<float>(windowH / kDesignHeight);
    f.font = f.horizontal;
    if (f.font > 1.44f)
        f.font = 1.44f;
    else if (f.font > 1.0f)
        f.font = 0.9f * f.font;
    return f;
}

namespace {

// A design length, or a marker for a value computed from the inner window size.
enum class Pos { Scaled, Centred, InnerHeightShare };

struct Placement {
    double width, height;
    Pos leftKind;
    double left;
    Pos topKind;
    double top;   // design twips, or the share of the inner height
};

const std::map<std::string, Placement>& Placements() {
    using P = Pos;
    static const std::map<std::string, Placement> table = {
        {"frm_Chk_File", {6435, 6415, P::Centred, 0, P::InnerHeightShare, 0.25 * 0.55}},
        {"frm_Edit_Choice", {4212, 3732, P::Centred, 0, P::Scaled, 2000}},
        {"frm_Beta_Params", {5895, 2775, P::Scaled, 3176, P::InnerHeightShare, 0.4}},
        {"frm_Spectrum_Params", {5595, 5215, P::Scaled, 3176, P::Scaled, 1450}},
        {"frm_Correction", {6255, 7975, P::Centred, 0, P::InnerHeightShare, 0.08}},
        {"frm_Hist_Parms", {3495, 2415, P::Scaled, 3826, P::InnerHeightShare, 0.45}},
        {"frm_Append", {4935, 5065, P::Scaled, 3600, P::Scaled, 1220}},
        {"frm_Mean_Stress", {4815, 3480, P::Scaled, 3240, P::InnerHeightShare, 0.38}},
        // Rescale and subtract open over the history plot: keep them in the lower half so
        // the marked points stay in sight.
        {"frm_Rescale_Info", {4335, 2775, P::Scaled, 3600, P::Scaled, 5000}},
        {"frm_Subtract", {5535, 2655, P::Scaled, 3200, P::Scaled, 5600}},
        {"frm_data_serv", {5755, 5175, P::Scaled, 2500, P::Scaled, 1500}},
        {"frm_Load_Dbase", {7500, 6250, P::Centred, 0, P::Scaled, 1000}},
        {"frm_Append_Hist", {5800, 3000, P::Scaled, 6000, P::Scaled, 1220}},
    };
    return table;
}

}  // namespace

std::optional<TwipRect> PanelRect(const std::string& name, const ScaleFactors& f,
                                  double innerW, double innerH) {
    // The display areas share the inner window: the history plot above, its information
    // (inner height / 2.03) below; the spectrum and its information or the distribution
    // take the lower half side by side.
    const double lowerH = innerH / 2.03;
    const double lowerTop = innerH - lowerH;
    const double fullW = 0.996 * innerW;
    if (name == "frm_Hist") return TwipRect{0, 0, fullW, lowerTop - 0.005 * innerH};
    if (name == "frm_Stress_Info") return TwipRect{0, lowerTop, fullW, lowerH};
    // The spectrum plot reaches its information panel: they lie over the history
    // information, and no strip of it may show between them.
    if (name == "frm_Spectr") return TwipRect{0, lowerTop, 0.555 * innerW, lowerH};
    if (name == "frm_Spectrum_Info" || name == "frm_Distr")
        return TwipRect{0.555 * innerW, lowerTop, fullW - 0.555 * innerW, lowerH};

    const auto& t = Placements();
    auto it = t.find(name);
    if (it == t.end()) return std::nullopt;
    const Placement& p = it->second;
    TwipRect r;
    r.width = p.width * f.horizontal;
    r.height = p.height * f.vertical;
    r.left = p.leftKind == Pos::Centred ? (innerW - r.width) / 2 : p.left * f.horizontal;
    r.top = p.topKind == Pos::InnerHeightShare ? innerH * p.top : p.top * f.vertical;
    return r;
}

TwipRect AboutPanelRect(const ScaleFactors& f, double windowW) {
    TwipRect r;
    r.width = 5300 * f.horizontal;
    r.height = 4215 * f.vertical;
    r.top = 1360 * f.vertical;
    // "window width / 2 - 2768" is a design length: scaled like every left
    r.left = (windowW / f.horizontal / 2 - 2768) * f.horizontal;
    return r;
}

}  // namespace karmo
