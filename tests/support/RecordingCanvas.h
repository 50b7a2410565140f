#pragma once
#include <string>
#include <vector>

#include "core/Canvas.h"

namespace karmo::test {

// A Canvas that records every call with the drawing state in force, for assertions on
// what a plot drew. Text sizes are a fixed function of the font size, so layouts are
// reproducible: a character is 0.6 x size points wide and a line 1.2 x size points high,
// at 96 pixels per inch.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Scale, Clear, Line, Point, Box, Text };
    struct Op {
        Kind kind = Kind::Line;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text;
        bool filled = false;
        Color color = 0;
        int penWidth = 1;
        DashStyle dash = DashStyle::Solid;
        DrawMode mode = DrawMode::Copy;
        Font font;
    };

    RecordingCanvas(double widthPx = 800, double heightPx = 600, bool printer = false)
        : w_(widthPx), h_(heightPx), printer_(printer) {}

    void setScale(double left, double top, double right, double bottom) override;
    void clear(Color background) override;
    void setColor(Color c) override { color_ = c; }
    void setPenWidth(int px) override { pen_ = px; }
    void setDashStyle(DashStyle d) override { dash_ = d; }
    void setDrawMode(DrawMode m) override { mode_ = m; }
    void setFont(const Font& f) override { font_ = f; }
    void line(double x1, double y1, double x2, double y2) override;
    void point(double x, double y) override;
    void box(double x1, double y1, double x2, double y2, bool filled) override;
    void text(double x, double y, const std::string& s) override;
    double textWidth(const std::string& s) const override;
    double textHeight(const std::string& s) const override;
    double deviceWidth() const override { return w_; }
    double deviceHeight() const override { return h_; }
    bool isPrinter() const override { return printer_; }

    std::vector<Op> ops;
    std::vector<const Op*> of(Kind k) const;
    std::vector<std::string> texts() const;
    bool hasText(const std::string& s) const;
    const Op* findText(const std::string& s) const;

    double left = 0, top = 0, right = 1, bottom = 1;

private:
    Op make(Kind k) const;
    double w_, h_;
    bool printer_;
    Color color_ = 0;
    int pen_ = 1;
    DashStyle dash_ = DashStyle::Solid;
    DrawMode mode_ = DrawMode::Copy;
    Font font_;
};

}  // namespace karmo::test
