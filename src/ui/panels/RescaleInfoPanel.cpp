#include "ui/panels/RescaleInfoPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

RescaleInfoPanel::RescaleInfoPanel(QWidget* parent)
    : Panel("frm_Rescale_Info", QStringLiteral("Rescale Stress History"), parent) {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_RsclFactor"), QStringLiteral("Rescale Factor:"), QStringLiteral("txt_RsclFactor"));
    addField(g, 1, QStringLiteral("lbl_RsclOffset"), QStringLiteral("Rescale Offset:"), QStringLiteral("txt_RsclOffset"));
    v->addLayout(g);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Rscl_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Rscl_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
