#pragma once
#include "ui/panels/FilePanel.h"

namespace karmo {

// frm_Chk_File: the input choices for a batch that has no history file yet.
class ChkFilePanel : public FilePanel {
    Q_OBJECT
public:
    explicit ChkFilePanel(QWidget* parent);
};

}  // namespace karmo
