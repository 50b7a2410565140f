#pragma once
#include <cstdint>
#include <string>

namespace karmo {

// Colours are 0x00BBGGRR (red in the low byte), as stored in the settings file.
using Color = uint32_t;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kGrey = 0x808080;

// Plot and page coordinates are twips.
inline constexpr double kTwipsPerInch = 1440.0;

enum class DrawMode { Copy, NotXor };
enum class DashStyle { Solid, Dash, Dot, DashDot, DashDotDot };

struct Font {
    std::string name = "Arial";
    double size = 8.0;  // points
    bool bold = false;
    bool italic = false;
};

// A drawing target with a user coordinate scale, the way the plots are specified:
// setScale(left, top, right, bottom) maps user coordinates onto the whole target
// (with top > bottom, y grows upwards). Coordinates of every call are user units.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setScale(double left, double top, double right, double bottom) = 0;
    virtual void clear(Color background) = 0;

    virtual void setColor(Color c) = 0;          // pen and text colour
    virtual void setPenWidth(int pixels) = 0;
    virtual void setDashStyle(DashStyle d) = 0;
    virtual void setDrawMode(DrawMode m) = 0;
    virtual void setFont(const Font& f) = 0;

    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void point(double x, double y) = 0;
    // A rectangle between two corners; filled with the pen colour when filled is set.
    virtual void box(double x1, double y1, double x2, double y2, bool filled) = 0;
    // Text whose top-left corner is at (x, y).
    virtual void text(double x, double y, const std::string& s) = 0;
    virtual double textWidth(const std::string& s) const = 0;   // user units
    virtual double textHeight(const std::string& s) const = 0;  // user units

    // The target's size in device pixels (or printer dots).
    virtual double deviceWidth() const = 0;
    virtual double deviceHeight() const = 0;
    // Printer targets are drawn with the printer geometry of the plots.
    virtual bool isPrinter() const { return false; }
    // Device pixels (or printer dots) per inch, so that offsets given in twips keep their
    // physical size on every target.
    virtual double dotsPerInch() const { return 96.0; }
};

}  // namespace karmo
