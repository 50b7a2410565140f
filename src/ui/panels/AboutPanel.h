#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_about: program name and version; opens over any dialog panel.
class AboutPanel : public Panel {
    Q_OBJECT
public:
    explicit AboutPanel(QWidget* parent);
};

}  // namespace karmo
