#include "ui/panels/SubtractPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

SubtractPanel::SubtractPanel(QWidget* parent)
    : Panel("frm_Subtract", QStringLiteral("Subtract Stress History"), parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(QStringLiteral("lbl_Subtract_What"), QStringLiteral("Cut the Stress History")));
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Subtract_From"), QStringLiteral("from point:"), QStringLiteral("txt_Subtract_From"));
    addField(g, 0, QStringLiteral("lbl_Subtract_To"), QStringLiteral("to point:"), QStringLiteral("txt_Subtract_To"), 2);
    v->addLayout(g);
    QLabel* hint = makeLabel(QStringLiteral("lbl_Subtract_Hint"),
                             QStringLiteral("Click, hold and drag with left or right mouse button to mark points ..."));
    hint->setWordWrap(true);
    v->addWidget(hint);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Subtract_OK"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_Subtract_Cancel"), QStringLiteral("&Cancel"));
    v->addLayout(buttonRow({ok, cancel}));
    setDefaultButton(cancel);
}

}  // namespace karmo
