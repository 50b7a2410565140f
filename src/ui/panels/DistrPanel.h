#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class MainWindow;
class PlotPicture;

// frm_Distr: the distribution plot with the parameter labels DT(0) (Q) and DT(1) (R).
class DistrPanel : public Panel {
    Q_OBJECT
public:
    explicit DistrPanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }
    // Draws the current batch's distribution and places its labels on the plot.
    // correctionFlag: the spectrum-parameters dialog was reopened by "C&orrection".
    // Without the history on screen the plot takes the history's place above the spectrum;
    // otherwise it shares the place of the spectrum information.
    void draw(MainWindow& w, bool correctionFlag = false);
    bool coversSpectrumInfo() const { return property("placeAs").toString().isEmpty(); }
private:
    PlotPicture* pic_;
};

}  // namespace karmo
