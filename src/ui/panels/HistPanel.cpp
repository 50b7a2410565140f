#include "ui/panels/HistPanel.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/QtCanvas.h"

namespace karmo {

HistPanel::HistPanel(QWidget* parent) : Panel("frm_Hist", QStringLiteral("Stress History"), parent) {
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Hist"));
    pic_->setToolTip(QStringLiteral("Click here for values of data points"));
    scroll_ = makeScrollBar(QStringLiteral("hsc_Hist"), Qt::Horizontal);
    scroll_->setRange(0, 10000);
    auto* start = makeLabel(QStringLiteral("lab_hist_start"), QString());
    start->hide();
    auto* shp = makeLabel(QStringLiteral("SHp1"), QString());
    shp->hide();
    auto* v = new QVBoxLayout(this);
    v->addWidget(pic_, 1);
    v->addWidget(scroll_);
    v->addWidget(start);
    v->addWidget(shp);
}

}  // namespace karmo
