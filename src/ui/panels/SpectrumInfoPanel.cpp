#include "ui/panels/SpectrumInfoPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/FocusEdit.h"

namespace karmo {

SpectrumInfoPanel::SpectrumInfoPanel(QWidget* parent)
    : Panel("frm_Spectrum_Info", QStringLiteral("Stress Spectrum Information"), parent) {
    auto* columns = new QHBoxLayout;
    const struct { const char* frame; const char* caption; const char* box; int stretch; } cols[] = {
        {"frm_Spectrum_Level", "Level", "Level", 1},
        {"frm_Spectrum_Stress", "Stress [MPa]", "Stress", 2},
        {"frm_Spectrum_Cycles", "Cycles", "Cycles", 2},
    };
    for (const auto& c : cols) {
        QGroupBox* f = makeFrame(QString::fromLatin1(c.frame), QString::fromLatin1(c.caption));
        auto* v = new QVBoxLayout(f);
        v->setContentsMargins(3, 3, 3, 3);
        v->setSpacing(1);
        for (int i = 0; i < 5; ++i) {
            FocusEdit* e = makeEdit(ArrayName(QString::fromLatin1(c.box), i));
            e->setProperty("index", i);
            e->setParent(f);
            if (QLatin1String(c.box) == QLatin1String("Level")) e->setReadOnly(true);
            v->addWidget(e);
        }
        columns->addWidget(f, c.stretch);
    }
    columns->addWidget(makeScrollBar(QStringLiteral("vsc_Spectrum"), Qt::Vertical));

    auto* info = new QHBoxLayout;
    info->addWidget(makeLabel(QStringLiteral("lbl_Omit_Points"), QStringLiteral(" Omitted cycles: 0")));
    info->addStretch(1);
    info->addWidget(makeLabel(QStringLiteral("lab_spectr_show"), QString()));

    auto* buttons = new QGridLayout;
    buttons->addWidget(makeButton(QStringLiteral("cmd_Calculate_Beta"), QStringLiteral("Fit &Distrib.")), 0, 0);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectrum_Save"), QStringLiteral("&Save")), 0, 0);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectr_Refresh"), QStringLiteral("&Refresh")), 0, 1);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectr_Correction"), QStringLiteral("C&orrection")), 1, 0);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectrum_Cancel"), QStringLiteral("&Close")), 1, 1);
    button(QStringLiteral("cmd_Calculate_Beta"))->setToolTip(QStringLiteral("Fit a distribution  to the spectrum"));
    // "Fit Distrib." and "Save" take turns in one place
    button(QStringLiteral("cmd_Spectrum_Save"))->hide();

    auto* v = new QVBoxLayout(this);
    v->addLayout(columns, 1);
    v->addLayout(info);
    v->addLayout(buttons);
    setDefaultButton(button(QStringLiteral("cmd_Spectrum_Cancel")));
}

}  // namespace karmo
