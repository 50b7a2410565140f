#include "support/RecordingCanvas.h"

#include <cmath>

namespace karmo::test {

RecordingCanvas::Op RecordingCanvas::make(Kind k) const {
    Op op;
    op.kind = k;
    op.color = color_;
    op.penWidth = pen_;
    op.dash = dash_;
    op.mode = mode_;
    op.font = font_;
    return op;
}

void RecordingCanvas::setScale(double l, double t, double r, double b) {
    left = l; top = t; right = r; bottom = b;
    Op op = make(Kind::Scale);
    op.x1 = l; op.y1 = t; op.x2 = r; op.y2 = b;
    ops.push_back(op);
}

void RecordingCanvas::clear(Color background) {
    Op op = make(Kind::Clear);
    op.color = background;
    ops.push_back(op);
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2) {
    Op op = make(Kind::Line);
    op.x1 = x1; op.y1 = y1; op.x2 = x2; op.y2 = y2;
    ops.push_back(op);
}

void RecordingCanvas::point(double x, double y) {
    Op op = make(Kind::Point);
    op.x1 = op.x2 = x; op.y1 = op.y2 = y;
    ops.push_back(op);
}

void RecordingCanvas::box(double x1, double y1, double x2, double y2, bool filled) {
    Op op = make(Kind::Box);
    op.x1 = x1; op.y1 = y1; op.x2 = x2; op.y2 = y2;
    op.filled = filled;
    ops.push_back(op);
}

void RecordingCanvas::text(double x, double y, const std::string& s) {
    Op op = make(Kind::Text);
    op.x1 = op.x2 = x; op.y1 = op.y2 = y;
    op.text = s;
    ops.push_back(op);
}

double RecordingCanvas::textWidth(const std::string& s) const {
    double px = 0.6 * font_.size * 96.0 / 72.0 * static_cast<double>(s.size());
    return px * std::fabs(right - left) / w_;
}

double RecordingCanvas::textHeight(const std::string&) const {
    double px = 1.2 * font_.size * 96.0 / 72.0;
    return px * std::fabs(top - bottom) / h_;
}

std::vector<const RecordingCanvas::Op*> RecordingCanvas::of(Kind k) const {
    std::vector<const Op*> r;
    for (const auto& op : ops)
        if (op.kind == k) r.push_back(&op);
    return r;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> r;
    for (const auto& op : ops)
        if (op.kind == Kind::Text) r.push_back(op.text);
    return r;
}

const RecordingCanvas::Op* RecordingCanvas::findText(const std::string& s) const {
    for (const auto& op : ops)
        if (op.kind == Kind::Text && op.text == s) return &op;
    return nullptr;
}

bool RecordingCanvas::hasText(const std::string& s) const { return findText(s) != nullptr; }

}  // namespace karmo::test
