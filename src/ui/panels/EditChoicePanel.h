#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Edit_Choice: edit a stored spectrum through its distribution or by keyboard.
class EditChoicePanel : public Panel {
    Q_OBJECT
public:
    explicit EditChoicePanel(QWidget* parent);
};

}  // namespace karmo
