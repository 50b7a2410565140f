#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Edit_Choice: a spectrum typed by keyboard (btt_Edit_Choice index 0) or defined by a
// distribution (index 1).
class EditChoicePanel : public Panel {
    Q_OBJECT
public:
    explicit EditChoicePanel(QWidget* parent);
};

}  // namespace karmo
