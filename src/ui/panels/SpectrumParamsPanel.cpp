#include "ui/panels/SpectrumParamsPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace karmo {

SpectrumParamsPanel::SpectrumParamsPanel(QWidget* parent)
    : Panel("frm_Spectrum_Params", QStringLiteral("Edit Stress Spectrum Parameters"), parent) {
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Spectr_Max"), QStringLiteral("Max Stress Range [MPa]:"),
             QStringLiteral("txt_Spectr_Max"));
    addField(g, 1, QStringLiteral("lbl_Spectr_Min"), QStringLiteral("Min Stress Range [MPa]:"),
             QStringLiteral("txt_Spectr_Min"));
    addField(g, 2, QStringLiteral("lbl_Spectr_Levels"), QStringLiteral("# of Stress Levels (max 100):"),
             QStringLiteral("txt_Spectr_Levels"));
    addField(g, 3, QStringLiteral("lbl_Spectr_Vol"), QStringLiteral("Spectrum Volume [cyc]:"),
             QStringLiteral("txt_Spectr_Vol"));
    addField(g, 4, QStringLiteral("lbl_Spectr_RTime"), QStringLiteral("Record Time [min]:"),
             QStringLiteral("txt_Spectr_RTime"));

    QGroupBox* choice = makeFrame(QStringLiteral("frm_distr_choice"), QString());
    auto* cv = new QGridLayout(choice);
    QLabel* t = makeLabel(QStringLiteral("lbl_Distr_Choice"), QStringLiteral("Type of Distribution:"));
    t->setParent(choice);
    cv->addWidget(t, 0, 0, 1, 3);
    int col = 0;
    for (const auto& [name, caption] : {std::pair{"chk_Beta", "Beta"}, {"chk_Weibull", "Weibull"},
                                        {"chk_Lognorm", "Log-norm"}}) {
        QRadioButton* r = makeOption(QString::fromLatin1(name), QString::fromLatin1(caption));
        r->setParent(choice);
        cv->addWidget(r, 1, col++);
    }
    control<QRadioButton>(QStringLiteral("chk_Beta"))->setChecked(true);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addWidget(choice);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Spectr_EditOK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Spectr_EditCan"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
