#pragma once
#include "core/Units.h"
#include "ui/panels/Panel.h"

namespace karmo {

struct BatchDisplayTexts;

// frm_Load_Dbase: walks through the batches of the Loading Database and shows the
// current one's history, spectrum and distribution summary.
class LoadDbasePanel : public Panel {
    Q_OBJECT
public:
    explicit LoadDbasePanel(QWidget* parent);
    void display(const BatchDisplayTexts& t);
    // A batch marked for deletion: "&Undelete", no editing, its values greyed.
    void setDeletedLook(bool deleted);

signals:
    // Label7, Label11 or an element of Label14 was clicked.
    void quantityLabelClicked(karmo::QuantityLabel label, int element);
};

}  // namespace karmo
