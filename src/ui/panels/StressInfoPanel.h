#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Stress_Info: the history information below the history plot and its eight commands.
class StressInfoPanel : public Panel {
    Q_OBJECT
public:
    explicit StressInfoPanel(QWidget* parent);
    ClickLabel* zoomLabel() const { return zoom_; }
signals:
    void freeAreaClicked();
protected:
    void mousePressEvent(QMouseEvent* e) override;
private:
    ClickLabel* zoom_ = nullptr;
};

}  // namespace karmo
