#include "ui/panels/HistParmsPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

HistParmsPanel::HistParmsPanel(QWidget* parent)
    : Panel("frm_Hist_Parms", QStringLiteral("Stress-History Parameters"), parent) {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Hist_Scale"), QStringLiteral("Scale Factor:"), QStringLiteral("txt_Hist_Scale"));
    addField(g, 1, QStringLiteral("lbl_Hist_Gate"), QStringLiteral("Highpass Gate (%):"), QStringLiteral("txt_Hist_Gate"));
    v->addLayout(g);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Hist_Parm_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Hist_Parm_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
