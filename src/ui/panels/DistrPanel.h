#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class PlotPicture;

// frm_Distr: the distribution plot with the parameter labels DT(0) (Q) and DT(1) (R).
class DistrPanel : public Panel {
    Q_OBJECT
public:
    explicit DistrPanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }
private:
    PlotPicture* pic_;
};

}  // namespace karmo
