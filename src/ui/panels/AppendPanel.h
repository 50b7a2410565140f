#pragma once
#include "ui/panels/FilePanel.h"

namespace karmo {

// frm_Append: choose the history file to add to the current one.
class AppendPanel : public FilePanel {
    Q_OBJECT
public:
    explicit AppendPanel(QWidget* parent);
};

}  // namespace karmo
