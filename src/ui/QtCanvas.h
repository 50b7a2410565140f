#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "core/Canvas.h"

class QPaintDevice;

namespace karmo {

QColor ToQColor(Color c);
Color FromQColor(const QColor& c);

// One affine map per axis from user units to device units. A zero span would divide
// by zero: it maps everything onto the start of the axis instead.
struct AxisMap {
    double a = 0, b = 1;
    void set(double userStart, double userEnd, double deviceSpan);
    double toDevice(double u) const { return a + b * u; }
    double toUser(double d) const { return b != 0 ? (d - a) / b : 0; }
};

// A Canvas drawn with QPainter on any paint device: the picture buffer of a plot on
// screen, a QImage saved as a bitmap, or a QPrinter page. The painter lives as long
// as the canvas.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPaintDevice& device, bool printer = false);
    ~QtCanvas() override;

    void setScale(double left, double top, double right, double bottom) override;
    void clear(Color background) override;
    void setColor(Color c) override;
    void setPenWidth(int pixels) override;
    void setDashStyle(DashStyle d) override;
    void setDrawMode(DrawMode m) override;
    void setFont(const Font& f) override;
    void line(double x1, double y1, double x2, double y2) override;
    void point(double x, double y) override;
    void box(double x1, double y1, double x2, double y2, bool filled) override;
    void text(double x, double y, const std::string& s) override;
    double textWidth(const std::string& s) const override;
    double textHeight(const std::string& s) const override;
    double deviceWidth() const override;
    double deviceHeight() const override;
    bool isPrinter() const override { return printer_; }
    // Offsets given in twips keep their physical size on a printer's page.
    double dotsPerInch() const override;

    const AxisMap& xMap() const { return x_; }
    const AxisMap& yMap() const { return y_; }
    // False when the device cannot combine pixels (printers): not-xor then draws as copy.
    bool supportsNotXor() const { return rasterOps_; }
    QPainter& painter() { return painter_; }

private:
    void applyPen();
    QPaintDevice& device_;
    QPainter painter_;
    bool printer_;
    bool rasterOps_ = false;
    AxisMap x_, y_;
    QColor color_ = Qt::black;
    int penWidth_ = 1;
    DashStyle dash_ = DashStyle::Solid;
};

// A plot picture on screen: an off-screen buffer that keeps what was drawn until it is
// cleared (so not-xor marks can be drawn and undrawn), with the user scale of the last
// drawing for mouse positions.
class PlotPicture : public QWidget {
    Q_OBJECT
public:
    explicit PlotPicture(QWidget* parent = nullptr);

    // A canvas on the buffer, sized to the widget. Call update() (done on destruction of
    // the canvas by the caller) to show the result.
    QImage& buffer() { return image_; }
    // Makes the buffer the widget's size before a drawing: a picture drawn before its
    // window was first laid out would otherwise paint on a buffer of the wrong size.
    void ensureBuffer();
    void setBackground(Color c);
    Color background() const { return background_; }
    void clearPicture();

    // Draws on the buffer through a canvas, keeps the scale the drawing set for the mouse,
    // and shows the result: pic->draw([&](Canvas& c) { DrawSomething(c); });
    template <class F>
    void draw(F&& paint) {
        {
            QtCanvas c(image_);
            paint(static_cast<Canvas&>(c));
            rememberScale(c.xMap(), c.yMap());
        }
        update();
    }

    // User scale as last set by a drawing; mouse positions are reported in it.
    void rememberScale(const AxisMap& x, const AxisMap& y) { x_ = x; y_ = y; }
    QPointF toUser(const QPointF& devicePos) const;

signals:
    void pressed(Qt::MouseButton button, double x, double y);
    void moved(Qt::MouseButtons buttons, double x, double y);
    void released(Qt::MouseButton button, double x, double y);
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QImage image_;
    Color background_ = 0xFFFFFF;
    AxisMap x_, y_;
};

}  // namespace karmo
