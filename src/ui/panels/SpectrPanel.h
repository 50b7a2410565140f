#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class MainWindow;
class PlotPicture;

// frm_Spectr: the spectrum plot.
class SpectrPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrPanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }
    // Draws the current batch's spectrum, fills the labels beside it and shows the frame.
    void draw(MainWindow& w);
private:
    PlotPicture* pic_;
};

// A panel just shown lays out its picture before the drawing, so the picture's buffer has
// the size it is shown at.
void SyncPictureSize(PlotPicture* pic);
// The font factor the plots use on screen.
double ScreenTextScale(const MainWindow& w);

}  // namespace karmo
