#include "ui/panels/DistrPanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/QtCanvas.h"

namespace karmo {

DistrPanel::DistrPanel(QWidget* parent)
    : Panel("frm_Distr", QStringLiteral("Stress Distribution"), parent) {
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Distr"));
    auto* labels = new QHBoxLayout;
    labels->addWidget(makeLabel(ArrayName(QStringLiteral("DT"), 0), QString()));
    labels->addWidget(makeLabel(ArrayName(QStringLiteral("DT"), 1), QString()));
    labels->addStretch(1);
    labels->addWidget(makeLabel(QStringLiteral("DTSmax"), QString()));
    auto* v = new QVBoxLayout(this);
    v->addLayout(labels);
    v->addWidget(pic_, 1);
}

}  // namespace karmo
