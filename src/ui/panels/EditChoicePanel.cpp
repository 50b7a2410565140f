#include "ui/panels/EditChoicePanel.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace karmo {

EditChoicePanel::EditChoicePanel(QWidget* parent)
    : Panel("frm_Edit_Choice", QStringLiteral("Edit Stress Spectrum Choices"), parent) {
    auto* v = new QVBoxLayout(this);
    QLabel* prompt = makeLabel(QStringLiteral("lbl_Edit_Choice"),
                               QStringLiteral("Please select one to edit Stress Spectrum:"));
    prompt->setWordWrap(true);
    v->addWidget(prompt);
    QGroupBox* choices = makeFrame(QStringLiteral("frm_Choices"), QStringLiteral("Choices"));
    auto* cv = new QVBoxLayout(choices);
    // Listed from the higher index down: 1 "Distribution", 0 "Keyboard".
    for (const auto& [i, caption] : {std::pair{1, "Distribution"}, std::pair{0, "Keyboard"}}) {
        QRadioButton* r = makeOption(ArrayName(QStringLiteral("btt_Edit_Choice"), i), QString::fromLatin1(caption));
        r->setProperty("index", i);
        r->setParent(choices);
        cv->addWidget(r);
    }
    v->addWidget(choices);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Choice_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Choice_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
