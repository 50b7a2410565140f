#include "ui/panels/SpectrPanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "spectrum/SpectrumPlot.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void setBackground(QWidget* w, Color c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    w->setPalette(p);
}

}  // namespace

SpectrPanel::SpectrPanel(QWidget* parent) : Panel("frm_Spectr", QStringLiteral("Stress Spectrum"), parent) {
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Spectr"));
    auto* labels = new QVBoxLayout;
    labels->setSpacing(0);
    labels->addWidget(makeLabel(QStringLiteral("SSmax"), QString()));
    labels->addWidget(makeLabel(QStringLiteral("SSmse"), QStringLiteral("DMSE(-)")));
    auto* v = new QVBoxLayout(this);
    v->addLayout(labels);
    v->addWidget(pic_, 1);
}

void SyncPictureSize(PlotPicture* pic) {
    if (QWidget* top = pic->window(); top && top->layout()) top->layout()->activate();
    for (QWidget* p = pic->parentWidget(); p; p = p->parentWidget())
        if (p->layout()) p->layout()->activate();
    pic->ensureBuffer();
}

double ScreenTextScale(const MainWindow& w) {
    return w.factors().scaleControls() ? w.factors().font : 1.0;
}

void SpectrPanel::draw(MainWindow& w) {
    AppState& s = w.state();
    show();
    SyncPictureSize(pic_);
    SpectrumPlotLabels l;
    {
        QtCanvas c(pic_->buffer());
        l = DrawSpectrum(c, s, s.CurrentBatch, ScreenTextScale(w));
        pic_->rememberScale(c.xMap(), c.yMap());
    }
    pic_->update();
    setTitle(Q(l.frameCaption));
    setBackground(this, l.frameColor);
    QLabel* max = label(QStringLiteral("SSmax"));
    max->setText(Q(l.ssMax));
    max->setVisible(l.ssMaxVisible);
    QLabel* mse = label(QStringLiteral("SSmse"));
    mse->setText(Q(l.ssMse));
    mse->setVisible(l.ssMseVisible);
    if (l.summaryMenuEnabled) w.applyMenuEvent(MenuEvent::SpectrumDrawn);
    if (l.historyCrossPointer) {
        if (auto* hist = w.findChild<PlotPicture*>(QStringLiteral("Pic_Hist"))) {
            hist->setCursor(Qt::CrossCursor);
            hist->setToolTip(Q(l.historyToolTip));
        }
    }
}

}  // namespace karmo
