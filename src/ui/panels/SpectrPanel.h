#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class PlotPicture;

// frm_Spectr: the spectrum plot.
class SpectrPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrPanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }
private:
    PlotPicture* pic_;
};

}  // namespace karmo
