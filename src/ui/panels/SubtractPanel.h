#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Subtract: the point range or value band to cut from the history.
class SubtractPanel : public Panel {
    Q_OBJECT
public:
    explicit SubtractPanel(QWidget* parent);
};

}  // namespace karmo
