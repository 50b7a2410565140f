#include "ui/panels/BetaParamsPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

BetaParamsPanel::BetaParamsPanel(QWidget* parent)
    : Panel("frm_Beta_Params", QStringLiteral("Edit Beta Parameters"), parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(QStringLiteral("lbl_Beta_Text"), QStringLiteral("Please enter the preferred values:")));
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Beta_Q"), QStringLiteral("Q ="), QStringLiteral("txt_Beta_Q"));
    addField(g, 0, QStringLiteral("lbl_Beta_R"), QStringLiteral("R ="), QStringLiteral("txt_Beta_R"), 2);
    v->addLayout(g);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Beta_EditOK"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_Beta_EditCan"), QStringLiteral("&Cancel"));
    // A click on Cancel leaves the box it came from unchecked: what was typed is dropped anyway.
    cancel->setFocusPolicy(Qt::TabFocus);
    v->addLayout(buttonRow({ok, cancel}));
    setDefaultButton(cancel);   // Enter cancels
}

}  // namespace karmo
