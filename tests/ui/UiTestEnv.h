#pragma once
#include <QTemporaryDir>
#include <QString>
#include <memory>

#include "ui/MainWindow.h"

namespace karmo::test {

// A screen of w x h pixels at 96 dpi, in twips.
inline QSizeF ScreenPixels(double w, double h) { return QSizeF(w * 15, h * 15); }

// A main window started in its own empty directory, so Karmo.cfg is read from there.
struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(Prompter* prompter, QSizeF screen = ScreenPixels(1024, 768),
                           const QByteArray& settings = {}, int32_t colors = -1);
    ~WindowFixture();
    MainWindow& w() { return *window; }
};

}  // namespace karmo::test
