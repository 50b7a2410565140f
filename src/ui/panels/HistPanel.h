#pragma once
#include "ui/panels/Panel.h"

class QScrollBar;

namespace karmo {

class PlotPicture;

// frm_Hist: the history plot with its scroll bar.
class HistPanel : public Panel {
    Q_OBJECT
public:
    explicit HistPanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }
    QScrollBar* scrollBar() const { return scroll_; }
private:
    PlotPicture* pic_;
    QScrollBar* scroll_;
};

}  // namespace karmo
