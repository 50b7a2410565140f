#pragma once
#include "fatigue/FatigueForm.h"
#include "ui/panels/Panel.h"

namespace karmo {

class PlotPicture;

// frm_Fatigue: the S-N curve (a detail category or a typed curve), the results of the
// current batch's spectrum and the damage share of each level.
class FatiguePanel : public Panel {
    Q_OBJECT
public:
    explicit FatiguePanel(QWidget* parent);
    PlotPicture* picture() const { return pic_; }

    // The boxes in the order of FatigueBox.
    static constexpr const char* kBoxes[] = {"txt_Detail_Category", "txt_SN_k",  "txt_SN_SD", "txt_SN_ND",
                                             "txt_SN_k2",           "txt_SN_SL", "txt_NRef"};
    FocusEdit* box(FatigueBox b) const;

private:
    PlotPicture* pic_;
};

}  // namespace karmo
