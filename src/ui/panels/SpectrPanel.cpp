#include "ui/panels/SpectrPanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/QtCanvas.h"

namespace karmo {

SpectrPanel::SpectrPanel(QWidget* parent) : Panel("frm_Spectr", QStringLiteral("Stress Spectrum"), parent) {
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Spectr"));
    auto* labels = new QHBoxLayout;
    labels->addWidget(makeLabel(QStringLiteral("SSmse"), QStringLiteral("DMSE(-)")));
    labels->addStretch(1);
    labels->addWidget(makeLabel(QStringLiteral("SSmax"), QString()));
    auto* v = new QVBoxLayout(this);
    v->addLayout(labels);
    v->addWidget(pic_, 1);
}

}  // namespace karmo
