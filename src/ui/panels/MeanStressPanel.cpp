#include "ui/panels/MeanStressPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace karmo {

MeanStressPanel::MeanStressPanel(QWidget* parent)
    : Panel("frm_Mean_Stress", QStringLiteral("Mean Stress Effect "), parent) {
    auto* v = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    QRadioButton* include = makeOption(ArrayName(QStringLiteral("chk_MSE"), 1), QStringLiteral("Include"));
    include->setProperty("index", 1);
    QRadioButton* ignore = makeOption(ArrayName(QStringLiteral("chk_MSE"), 0), QStringLiteral("Ignore"));
    ignore->setProperty("index", 0);
    options->addWidget(include);
    options->addWidget(ignore);
    options->addStretch(1);
    v->addLayout(options);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Ultimate_Strength"), QStringLiteral("Ultimate Strength [MPa]:"),
             QStringLiteral("txt_Ultimate_Strength"));
    addField(g, 1, QStringLiteral("lbl_Yield_Strength"), QStringLiteral("Yield Strength [MPa]:"),
             QStringLiteral("txt_Yield_Strength"));
    addField(g, 2, QStringLiteral("lbl_Concent_Factor"), QStringLiteral("Notch Factor:"),
             QStringLiteral("txt_Concent_Factor"));
    v->addLayout(g);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Mean_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Mean_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
