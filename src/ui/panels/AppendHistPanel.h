#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Append_Hist: preview of the history to be appended.
class AppendHistPanel : public Panel {
    Q_OBJECT
public:
    explicit AppendHistPanel(QWidget* parent);
};

}  // namespace karmo
