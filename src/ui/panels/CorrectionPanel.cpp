#include "ui/panels/CorrectionPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/FocusEdit.h"

namespace karmo {

CorrectionPanel::CorrectionPanel(QWidget* parent)
    : Panel("frm_Correction", QStringLiteral("Stress History Data"), parent) {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Corr_Title"), QStringLiteral("Stress History Title:"),
             QStringLiteral("txt_Corr_Title"));
    addField(g, 1, QStringLiteral("lbl_Corr_NoPoints"), QStringLiteral("Number of Points:"),
             QStringLiteral("txt_Corr_NoPoints"));
    addField(g, 2, QStringLiteral("lbl_Corr_RecTime"), QStringLiteral("Recording Time [min]:"),
             QStringLiteral("txt_Corr_RecTime"));
    addField(g, 3, QStringLiteral("lbl_Corr_Gate"), QStringLiteral("Lowpass Gate [%]:"),
             QStringLiteral("txt_Corr_Gate"));
    v->addLayout(g);

    auto* grid = new QHBoxLayout;
    const struct { const char* frame; const char* caption; const char* box; int stretch; } cols[] = {
        {"frm_Corr_Index", "Index", "Text1", 1},
        {"frm_Stress_Max", "Peak", "Text2", 2},
        {"frm_Stress_Min", "Valley", "Text3", 2},
    };
    for (const auto& c : cols) {
        QGroupBox* f = makeFrame(QString::fromLatin1(c.frame), QString::fromLatin1(c.caption));
        auto* fv = new QVBoxLayout(f);
        fv->setContentsMargins(3, 3, 3, 3);
        fv->setSpacing(1);
        for (int i = 0; i < 10; ++i) {
            FocusEdit* e = makeEdit(ArrayName(QString::fromLatin1(c.box), i));
            e->setProperty("index", i);
            e->setParent(f);
            if (QLatin1String(c.box) == QLatin1String("Text1")) e->setReadOnly(true);
            fv->addWidget(e);
        }
        grid->addWidget(f, c.stretch);
    }
    grid->addWidget(makeScrollBar(QStringLiteral("vsc_UpDown"), Qt::Vertical));
    v->addLayout(grid, 1);
    v->addWidget(makeLabel(QStringLiteral("lab_hist_corr"), QString()));
    QPushButton* ok = makeButton(QStringLiteral("cmd_Corr_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Corr_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
