#include "ui/panels/FatiguePanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"

namespace karmo {

FatiguePanel::FatiguePanel(QWidget* parent) : Panel("frm_Fatigue", QStringLiteral("Fatigue Damage"), parent) {
    auto* h = new QHBoxLayout(this);
    auto* inputs = new QVBoxLayout;
    auto* options = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("Detail category"), QStringLiteral("S-N curve")};
    for (int i : {0, 1}) {
        QRadioButton* o = makeOption(ArrayName(QStringLiteral("btt_SN_Curve"), i), captions[i]);
        o->setProperty("index", i);
        options->addWidget(o);
    }
    options->addStretch(1);
    inputs->addLayout(options);
    // Captions with a unit are set by the screen, in the units in force.
    auto* g = new QGridLayout;
    const struct {
        const char* label;
        const char* caption;
    } fields[] = {{"lbl_Detail_Category", "Detail Category [MPa]:"}, {"lbl_SN_k", "Slope k:"},
                  {"lbl_SN_SD", "Knee Range SD [MPa]:"},             {"lbl_SN_ND", "Cycles at Knee ND:"},
                  {"lbl_SN_k2", "Slope below Knee k2:"},             {"lbl_SN_SL", "Cut-off Range SL [MPa]:"},
                  {"lbl_NRef", "Cycles of Equivalent Range:"}};
    for (int i = 0; i < 7; ++i)
        addField(g, i, QString::fromLatin1(fields[i].label), QString::fromLatin1(fields[i].caption),
                 QString::fromLatin1(kBoxes[i]));
    inputs->addLayout(g);
    for (const char* name : {"lbl_Fatigue_Damage", "lbl_Fatigue_Repetitions", "lbl_Fatigue_Hours",
                             "lbl_Fatigue_Equivalent"})
        inputs->addWidget(makeLabel(QString::fromLatin1(name), QString()));
    inputs->addStretch(1);
    QPushButton* close = makeButton(QStringLiteral("cmd_Fatigue_Close"), QStringLiteral("&Close"));
    inputs->addLayout(buttonRow({close}));
    setDefaultButton(close);
    h->addLayout(inputs);
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Damage"));
    pic_->setMinimumWidth(160);
    h->addWidget(pic_, 1);
}

FocusEdit* FatiguePanel::box(FatigueBox b) const { return edit(QString::fromLatin1(kBoxes[static_cast<int>(b)])); }

}  // namespace karmo
