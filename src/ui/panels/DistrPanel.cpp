#include "ui/panels/DistrPanel.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "distribution/DistributionPlot.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/SpectrPanel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A label of the plot at its place in the picture (user units, top-left corner).
void place(QLabel* l, const PlacedLabel& p, const QtCanvas& c) {
    l->setText(Q(p.caption));
    l->setToolTip(Q(p.toolTip));
    QFont f = l->font();
    f.setPointSizeF(p.fontSize > 0 ? p.fontSize : 9);
    l->setFont(f);
    l->adjustSize();
    // Kept inside the picture: the largest range stands at the end of the axis.
    const QWidget* pic = l->parentWidget();
    int x = static_cast<int>(std::lround(c.xMap().toDevice(p.x)));
    int y = static_cast<int>(std::lround(c.yMap().toDevice(p.y)));
    if (pic) {
        if (x + l->width() > pic->width()) {
            // No room beside the arrow head: under the end of the axis instead.
            x = pic->width() - l->width() - 4;
            y += l->height();
        }
        x = std::max(0, x);
        y = std::max(0, std::min(y, pic->height() - l->height()));
    }
    l->move(x, y);
    l->setVisible(p.visible);
}

}  // namespace

DistrPanel::DistrPanel(QWidget* parent)
    : Panel("frm_Distr", QStringLiteral("Stress Distribution"), parent) {
    pic_ = new PlotPicture(this);
    pic_->setObjectName(QStringLiteral("Pic_Distr"));
    // The labels sit on the plot, where the drawing places them.
    for (const QString& name : {ArrayName(QStringLiteral("DT"), 0), ArrayName(QStringLiteral("DT"), 1),
                                QStringLiteral("DTSmax")}) {
        QLabel* l = makeLabel(name, QString());
        l->setParent(pic_);
        l->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        l->hide();
    }
    auto* v = new QVBoxLayout(this);
    v->addWidget(pic_, 1);
}

void DistrPanel::draw(MainWindow& w, bool correctionFlag) {
    AppState& s = w.state();
    w.placePanelAs(this, w.panel(QStringLiteral("frm_Hist"))->isVisible() ? QString() : QStringLiteral("frm_Hist"));
    show();
    SyncPictureSize(pic_);
    DistributionPlotOptions opt;
    opt.textScale = ScreenTextScale(w);
    opt.correctionFlag = correctionFlag;
    QtCanvas c(pic_->buffer());
    const DistributionPlotLabels l = DrawDistribution(s, c, s.CurrentBatch, opt);
    pic_->rememberScale(c.xMap(), c.yMap());
    setTitle(Q(l.frameCaption));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(l.frameColor));
    setPalette(pal);
    place(label(ArrayName(QStringLiteral("DT"), 0)), l.dt0, c);
    place(label(ArrayName(QStringLiteral("DT"), 1)), l.dt1, c);
    place(label(QStringLiteral("DTSmax")), l.dtsMax, c);
    if (l.crossCursors) {
        for (const char* name : {"Pic_Spectr", "Pic_Hist"})
            if (auto* p = w.findChild<PlotPicture*>(QString::fromLatin1(name))) p->setCursor(Qt::CrossCursor);
        if (auto* p = w.findChild<PlotPicture*>(QStringLiteral("Pic_Spectr"))) p->setToolTip(Q(l.spectrumPicToolTip));
        if (auto* p = w.findChild<PlotPicture*>(QStringLiteral("Pic_Hist"))) p->setToolTip(Q(l.historyPicToolTip));
    }
    pic_->update();
}

}  // namespace karmo
