#include "report/ScreenPrint.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "distribution/DistributionPlot.h"
#include "history/HistoryPlot.h"
#include "spectrum/SpectrumLevels.h"
#include "spectrum/SpectrumPlot.h"

namespace karmo {

namespace {

// A part of a target seen as a target of its own: the plot routines lay themselves out
// from the size of their target, so each is given the rectangle it is to fill (device
// units of the whole target). Everything else passes through.
class RegionCanvas : public Canvas {
public:
    RegionCanvas(Canvas& target, double x, double y, double w, double h)
        : t_(target), x_(x), y_(y), w_(w), h_(h) {
        setScale(0, 0, w_, h_);
    }

    void setScale(double left, double top, double right, double bottom) override {
        left_ = left;
        top_ = top;
        right_ = right;
        bottom_ = bottom;
        if (w_ <= 0 || h_ <= 0) {
            t_.setScale(left, top, right, bottom);
            return;
        }
        // User units per device unit, then the scale of the whole target that puts the
        // user rectangle onto the region.
        const double ux = (right - left) / w_, uy = (bottom - top) / h_;
        t_.setScale(left - x_ * ux, top - y_ * uy, left + (t_.deviceWidth() - x_) * ux,
                    top + (t_.deviceHeight() - y_) * uy);
    }
    // Clears the region only: the rest of the page holds the other plots.
    void clear(Color background) override {
        t_.setColor(background);
        t_.box(left_, top_, right_, bottom_, true);
        t_.setColor(color_);
    }
    void setColor(Color c) override {
        color_ = c;
        t_.setColor(c);
    }
    void setPenWidth(int px) override { t_.setPenWidth(px); }
    void setDashStyle(DashStyle d) override { t_.setDashStyle(d); }
    void setDrawMode(DrawMode m) override { t_.setDrawMode(m); }
    void setFont(const Font& f) override { t_.setFont(f); }
    void line(double x1, double y1, double x2, double y2) override { t_.line(x1, y1, x2, y2); }
    void point(double x, double y) override { t_.point(x, y); }
    void box(double x1, double y1, double x2, double y2, bool filled) override { t_.box(x1, y1, x2, y2, filled); }
    void text(double x, double y, const std::string& s) override { t_.text(x, y, s); }
    double textWidth(const std::string& s) const override { return t_.textWidth(s); }
    double textHeight(const std::string& s) const override { return t_.textHeight(s); }
    double deviceWidth() const override { return w_; }
    double deviceHeight() const override { return h_; }
    bool isPrinter() const override { return t_.isPrinter(); }
    double dotsPerInch() const override { return t_.dotsPerInch(); }

private:
    Canvas& t_;
    double x_, y_, w_, h_;
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    Color color_ = kBlack;
};

}  // namespace

std::vector<ScreenPart> DrawScreen(Canvas& c, AppState& s, const VisibleFrames& visible,
                                   ScreenTarget target, double textScale) {
    std::vector<ScreenPart> parts;
    const bool printer = target == ScreenTarget::Printer;
    const double scale = printer ? 1.0 : textScale;
    const double W = c.deviceWidth(), H = c.deviceHeight();
    const int b = s.CurrentBatch;
    bool infoDrawn = false;

    if (visible.history) {
        // The history keeps to the upper half by its own geometry on both targets.
        DrawHistory(c, s, b, s.ViewStart, printer ? HistoryTarget::Printer : HistoryTarget::SavePicture, scale);
        parts.push_back(ScreenPart::History);
    }
    if (visible.spectrum) {
        // On paper the spectrum's page geometry already keeps to the left of what it is
        // given; the picture's spectrum fills its quarter as on screen.
        RegionCanvas lower(c, 0, H / 2, printer ? W : W / 2, H / 2);
        DrawSpectrum(lower, s, b, scale);
        parts.push_back(ScreenPart::Spectrum);
        RegionCanvas right(c, W / 2, H / 2, W / 2, H / 2);
        if (visible.distribution) {
            DistributionPlotOptions opt;
            opt.savePicture = !printer;
            opt.textScale = scale;
            DrawDistribution(s, right, static_cast<int16_t>(b), opt);
            parts.push_back(ScreenPart::Distribution);
        } else {
            DrawSpectrumInfo(right, s, b, scale);
            parts.push_back(ScreenPart::SpectrumInfo);
            infoDrawn = true;
        }
    }
    // A spectrum typed in or made from a distribution has no history to show its origin:
    // its levels go on every page, above the distribution (the box drawn a second time in
    // the same place would add nothing).
    if (s.BatchKind > 1 && !infoDrawn) {
        RegionCanvas upper(c, W / 2, 0, W / 2, H / 2);
        DrawSpectrumInfo(upper, s, b, scale);
        parts.push_back(ScreenPart::SpectrumInfo);
    }
    return parts;
}

void DrawSpectrumInfo(Canvas& c, const AppState& s, int bi, double textScale) {
    const DataBatch& b = s.batch(bi);
    const double dpi = c.dotsPerInch() > 0 ? c.dotsPerInch() : 96.0;
    const double W = c.deviceWidth() * kTwipsPerInch / dpi;
    const double H = c.deviceHeight() * kTwipsPerInch / dpi;
    c.setScale(0, H, W, 0);
    c.setColor(kBlack);
    c.setPenWidth(1);
    c.setDashStyle(DashStyle::Solid);
    c.setDrawMode(DrawMode::Copy);

    const Font titleFont{"Arial", 10 * textScale, false, false};
    const Font font{"Arial", 9 * textScale, false, false};
    c.setFont(titleFont);
    const std::string title = s.QuantityName + "Spectrum Information";
    const double left = 0.1 * W, right = 0.9 * W;
    const double titleTop = 0.92 * H;
    c.text(left, titleTop, title);
    const double top = titleTop - c.textHeight(title) - 60, bottom = 0.08 * H;
    c.box(left, top, right, bottom, false);

    c.setFont(font);
    const double lineH = c.textHeight("0");
    const double pad = lineH / 2;
    const std::string columns[3] = {"Level", s.QuantityName + s.QuantityUnitBracket, "Cycles"};
    const int levels = std::clamp<int>(b.LevelCount, 0, kMaxLevels);
    std::vector<std::string> cells[3];
    for (int i = 1; i <= levels; ++i) {
        const auto k = static_cast<size_t>(i);
        cells[0].push_back(std::to_string(i));
        cells[1].push_back(FormatMask(s.QuantityFactor * b.LevelRange[k], "###0.0##"));
        cells[2].push_back(std::to_string(b.LevelCycles[k]));
    }

    // The footer: the level count and, for a counted history, the cycles below its levels.
    std::vector<std::string> footer{"Spectrum levels: " + std::to_string(b.LevelCount)};
    if (s.BatchKind == 1 && b.OmittedCycles >= 0) {
        const std::string omitted = OmittedCyclesText(b.OmittedCycles);
        footer[0] += "          " + omitted;
        if (b.LevelCount < 8) footer.push_back(omitted);
    }

    // Column widths from the widest text of each column; as many groups of the three
    // columns side by side as the box is wide enough for (and the levels need).
    double widths[3];
    for (int k = 0; k < 3; ++k) {
        widths[k] = c.textWidth(columns[k]);
        for (const std::string& t : cells[k]) widths[k] = std::max(widths[k], c.textWidth(t));
    }
    const double gap = 2 * c.textWidth("0");
    const double groupW = pad + widths[0] + gap + widths[1] + gap + widths[2] + pad;
    const double rowsTop = top - pad - lineH - pad;
    const double rowsBottom = bottom + pad + static_cast<double>(footer.size()) * lineH + pad;
    const double rowsHeight = std::max(0.0, rowsTop - rowsBottom);
    const int rowsFit = std::max(1, static_cast<int>(rowsHeight / lineH));
    const int groupsFit = std::max(1, static_cast<int>((right - left) / groupW));
    const int groups = std::clamp((levels + rowsFit - 1) / rowsFit, 1, groupsFit);
    const int rowsPerGroup = std::max(1, (levels + groups - 1) / groups);
    // Still too many rows: a smaller font, so that every level is on the page.
    double rowH = lineH;
    Font rowFont = font;
    if (rowsPerGroup > rowsFit) {
        rowH = rowsHeight / rowsPerGroup;
        rowFont.size = font.size * rowH / lineH;
    }

    for (int g = 0; g < groups; ++g) {
        double x[3];
        x[0] = left + g * groupW + pad;
        x[1] = x[0] + widths[0] + gap;
        x[2] = x[1] + widths[1] + gap;
        c.setFont(font);
        for (int k = 0; k < 3; ++k) c.text(x[k], top - pad, columns[k]);
        c.setFont(rowFont);
        for (int r = 0; r < rowsPerGroup; ++r) {
            const int i = g * rowsPerGroup + r;
            if (i >= levels) break;
            for (int k = 0; k < 3; ++k) c.text(x[k], rowsTop - r * rowH, cells[k][static_cast<size_t>(i)]);
        }
    }
    c.setFont(font);
    double y = bottom + pad + static_cast<double>(footer.size()) * lineH;
    for (const std::string& line : footer) {
        c.text(left + pad, y, line);
        y -= lineH;
    }
}

CopyPlacement ScreenCopyPlacement(double pageW, double pageH, double windowW, double windowH) {
    CopyPlacement p;
    p.left = 0.1 * pageW;
    p.top = 0.1 * pageH;
    if (!(windowW > 0) || !(windowH > 0)) return p;
    const double k = 0.8 * std::min(pageW / windowW, pageH / windowH);
    p.width = windowW * k;
    p.height = windowH * k;
    return p;
}

}  // namespace karmo
