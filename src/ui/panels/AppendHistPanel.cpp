#include "ui/panels/AppendHistPanel.h"

#include <QVBoxLayout>

#include "ui/QtCanvas.h"

namespace karmo {

AppendHistPanel::AppendHistPanel(QWidget* parent)
    : Panel("frm_Append_Hist", QStringLiteral("Append Stress History"), parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(QStringLiteral("lbl_Append_SHSmax"), QString()));
    auto* pic = new PlotPicture(this);
    pic->setObjectName(QStringLiteral("pic_Append_Hist"));
    v->addWidget(pic, 1);
}

}  // namespace karmo
