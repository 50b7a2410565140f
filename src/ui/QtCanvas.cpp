#include "ui/QtCanvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QResizeEvent>

namespace karmo {

QColor ToQColor(Color c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

Color FromQColor(const QColor& c) {
    return static_cast<Color>(c.red()) | (static_cast<Color>(c.green()) << 8) |
           (static_cast<Color>(c.blue()) << 16);
}

void AxisMap::set(double userStart, double userEnd, double deviceSpan) {
    const double span = userEnd - userStart;
    if (span == 0) {
        b = 0;
        a = 0;
        return;
    }
    b = deviceSpan / span;
    a = -b * userStart;
}

QtCanvas::QtCanvas(QPaintDevice& device, bool printer)
    : device_(device), painter_(&device), printer_(printer) {
    // A printer that could not start a job leaves the painter inactive; the caller asks.
    if (!painter_.isActive()) return;
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    // Paper cannot be un-drawn, and the PDF and print engines take raster operations
    // without honouring them: there not-xor draws as copy.
    rasterOps_ = !printer && painter_.paintEngine() &&
                 painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    x_.set(0, deviceWidth(), deviceWidth());
    y_.set(0, deviceHeight(), deviceHeight());
    applyPen();
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) painter_.end();
}

double QtCanvas::deviceWidth() const { return device_.width(); }
double QtCanvas::dotsPerInch() const {
    return device_.logicalDpiX() > 0 ? device_.logicalDpiX() : 96.0;
}
double QtCanvas::deviceHeight() const { return device_.height(); }

void QtCanvas::setScale(double left, double top, double right, double bottom) {
    x_.set(left, right, deviceWidth());
    y_.set(top, bottom, deviceHeight());
}

void QtCanvas::clear(Color background) {
    const auto mode = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRectF(0, 0, deviceWidth(), deviceHeight()), ToQColor(background));
    painter_.setCompositionMode(mode);
}

void QtCanvas::setColor(Color c) {
    color_ = ToQColor(c);
    applyPen();
}

void QtCanvas::setPenWidth(int pixels) {
    penWidth_ = pixels < 1 ? 1 : pixels;
    applyPen();
}

void QtCanvas::setDashStyle(DashStyle d) {
    dash_ = d;
    applyPen();
}

void QtCanvas::setDrawMode(DrawMode m) {
    if (m == DrawMode::NotXor && rasterOps_)
        painter_.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    else
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::applyPen() {
    QPen pen(color_);
    pen.setWidth(penWidth_);
    switch (dash_) {
        case DashStyle::Solid: pen.setStyle(Qt::SolidLine); break;
        case DashStyle::Dash: pen.setStyle(Qt::DashLine); break;
        case DashStyle::Dot: pen.setStyle(Qt::DotLine); break;
        case DashStyle::DashDot: pen.setStyle(Qt::DashDotLine); break;
        case DashStyle::DashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    }
    painter_.setPen(pen);
}

void QtCanvas::setFont(const Font& f) {
    QFont font(QString::fromStdString(f.name));
    font.setPointSizeF(f.size > 0 ? f.size : 1);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    painter_.setFont(font);
}

void QtCanvas::line(double x1, double y1, double x2, double y2) {
    painter_.drawLine(QPointF(x_.toDevice(x1), y_.toDevice(y1)),
                      QPointF(x_.toDevice(x2), y_.toDevice(y2)));
}

void QtCanvas::point(double x, double y) {
    painter_.drawPoint(QPointF(x_.toDevice(x), y_.toDevice(y)));
}

void QtCanvas::box(double x1, double y1, double x2, double y2, bool filled) {
    const QRectF r = QRectF(QPointF(x_.toDevice(x1), y_.toDevice(y1)),
                            QPointF(x_.toDevice(x2), y_.toDevice(y2))).normalized();
    if (filled)
        painter_.fillRect(r, color_);
    else
        painter_.drawRect(r);
}

void QtCanvas::text(double x, double y, const std::string& s) {
    const QFontMetricsF fm(painter_.font(), &device_);
    const QPointF topLeft(x_.toDevice(x), y_.toDevice(y));
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), QString::fromStdString(s));
}

double QtCanvas::textWidth(const std::string& s) const {
    const QFontMetricsF fm(painter_.font(), &device_);
    const double px = fm.horizontalAdvance(QString::fromStdString(s));
    return x_.b != 0 ? px / std::abs(x_.b) : 0;
}

double QtCanvas::textHeight(const std::string&) const {
    const QFontMetricsF fm(painter_.font(), &device_);
    return y_.b != 0 ? fm.height() / std::abs(y_.b) : 0;
}

PlotPicture::PlotPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PlotPicture::setBackground(Color c) {
    background_ = c;
    clearPicture();
}

void PlotPicture::clearPicture() {
    if (image_.isNull()) return;
    image_.fill(ToQColor(background_));
    update();
}

QPointF PlotPicture::toUser(const QPointF& p) const {
    return QPointF(x_.toUser(p.x()), y_.toUser(p.y()));
}

void PlotPicture::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(e->rect(), ToQColor(background_));
    else
        p.drawImage(e->rect(), image_, e->rect());
}

void PlotPicture::ensureBuffer() {
    if (size().isEmpty() || image_.size() == size()) return;
    QResizeEvent e(size(), image_.size());
    resizeEvent(&e);
}

void PlotPicture::resizeEvent(QResizeEvent* e) {
    if (e->size().isEmpty()) return;
    QImage next(e->size(), QImage::Format_RGB32);
    next.fill(ToQColor(background_));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    const int dpm = static_cast<int>(logicalDpiX() / 0.0254);
    next.setDotsPerMeterX(dpm);
    next.setDotsPerMeterY(static_cast<int>(logicalDpiY() / 0.0254));
    image_ = next;
    x_.set(0, width(), width());
    y_.set(0, height(), height());
}

void PlotPicture::mousePressEvent(QMouseEvent* e) {
    const QPointF u = toUser(e->position());
    emit pressed(e->button(), u.x(), u.y());
}

void PlotPicture::mouseMoveEvent(QMouseEvent* e) {
    const QPointF u = toUser(e->position());
    emit moved(e->buttons(), u.x(), u.y());
}

void PlotPicture::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF u = toUser(e->position());
    emit released(e->button(), u.x(), u.y());
    if (rect().contains(e->position().toPoint())) emit clicked();
}

}  // namespace karmo
