#include "ui/panels/LoadDbasePanel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/BatchDisplay.h"
#include "ui/FocusEdit.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

LoadDbasePanel::LoadDbasePanel(QWidget* parent)
    : Panel("frm_Load_Dbase", QStringLiteral("Loading Database"), parent) {
    auto* v = new QVBoxLayout(this);
    auto* head = new QGridLayout;
    addField(head, 0, QStringLiteral("lbl_Batch"), QStringLiteral("Data Batch:"), QStringLiteral("txt_Batch"));
    addField(head, 0, QStringLiteral("lbl_Batch_Name"), QStringLiteral("Description:"), QStringLiteral("txt_Batch_Name"), 2);
    edit(QStringLiteral("txt_Batch"))->setMaximumWidth(60);
    head->setColumnStretch(3, 1);
    v->addLayout(head);

    // One sunken box per section; the section titles switch stress and strain.
    auto box = [this](QLayout*& inner) {
        auto* f = new QFrame(this);
        f->setFrameShape(QFrame::StyledPanel);
        f->setFrameShadow(QFrame::Sunken);
        auto* g = new QGridLayout(f);
        g->setHorizontalSpacing(10);
        g->setVerticalSpacing(4);
        inner = g;
        return f;
    };
    auto title = [this](QGridLayout* g, int row, const QString& name, const QString& text, int span) {
        ClickLabel* l = makeClickLabel(name, text);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        g->addWidget(l, row, 0, 1, span);
        return l;
    };
    auto value = [this](QGridLayout* g, int row, int col, const QString& name, const QString& caption) {
        g->addWidget(makeLabel(name + QStringLiteral("_Caption"), caption), row, col);
        QLabel* val = makeLabel(name, QString());
        val->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(val, row, col + 1);
    };

    QLayout* l = nullptr;
    QFrame* historyBox = box(l);
    auto* hg = static_cast<QGridLayout*>(l);
    ClickLabel* l7 = title(hg, 0, QStringLiteral("Label7"), QStringLiteral("Stress History"), 2);
    value(hg, 1, 0, QStringLiteral("lbl_Db_Points"), QStringLiteral("Number of Data Points:"));
    value(hg, 2, 0, QStringLiteral("lbl_Db_MaxValue"), QStringLiteral("Maximum Stress:"));
    value(hg, 3, 0, QStringLiteral("lbl_Db_MinValue"), QStringLiteral("Minimum Stress:"));
    value(hg, 4, 0, QStringLiteral("lbl_Db_HistTime"), QStringLiteral("Record Time:"));

    QFrame* spectrumBox = box(l);
    auto* sg = static_cast<QGridLayout*>(l);
    ClickLabel* l11 = title(sg, 0, QStringLiteral("Label11"), QStringLiteral("Stress Spectrum"), 2);
    value(sg, 1, 0, QStringLiteral("lbl_Db_MaxRange"), QStringLiteral("Maximum Stress Range:"));
    value(sg, 2, 0, QStringLiteral("lbl_Db_MinRange"), QStringLiteral("Minimum Stress Range:"));
    value(sg, 3, 0, QStringLiteral("lbl_Db_Levels"), QStringLiteral("Number of Levels:"));
    value(sg, 4, 0, QStringLiteral("lbl_Db_Volume"), QStringLiteral("Spectrum Volume:"));
    value(sg, 5, 0, QStringLiteral("lbl_Db_SpecTime"), QStringLiteral("Record Time:"));
    // both boxes keep their rows at the top, the history box one row short
    hg->setRowStretch(5, 1);
    sg->setRowStretch(6, 1);

    auto* sections = new QHBoxLayout;
    sections->addWidget(historyBox, 1);
    sections->addWidget(spectrumBox, 1);
    v->addLayout(sections);

    QFrame* distributionBox = box(l);
    auto* dg = static_cast<QGridLayout*>(l);
    ClickLabel* l14 = title(dg, 0, ArrayName(QStringLiteral("Label14"), 0), QStringLiteral("Stress Distribution"), 1);
    l14->setProperty("index", 0);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_DistrType"), QString()), 0, 1, 1, 3);
    ClickLabel* params = makeClickLabel(ArrayName(QStringLiteral("Label14"), 1), QStringLiteral("Parameters"));
    params->setProperty("index", 1);
    dg->addWidget(params, 1, 0);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_Q_Caption"), QStringLiteral("Q =")), 1, 1, Qt::AlignRight);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_Q"), QString()), 1, 2);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_R_Caption"), QStringLiteral("R =")), 1, 3, Qt::AlignRight);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_R"), QString()), 1, 4);
    dg->setColumnStretch(2, 1);
    dg->setColumnStretch(4, 1);
    dg->addWidget(makeLabel(QStringLiteral("lbl_Db_Mse"), QString()), 2, 0, 1, 5);
    v->addWidget(distributionBox);
    v->addStretch(1);

    auto* b = new QGridLayout;
    b->addWidget(makeButton(QStringLiteral("Cmd_Edit_History"), QStringLiteral("Edit &History")), 0, 0);
    b->addWidget(makeButton(QStringLiteral("Cmd_Edit_Spectrum"), QStringLiteral("Edit &Spectrum")), 0, 1);
    b->addWidget(makeButton(QStringLiteral("Cmd_Edit_Distribution"), QStringLiteral("Edit &Distribution")), 0, 2);
    b->addWidget(makeButton(QStringLiteral("cmd_Load_Db_Del"), QStringLiteral("&Delete")), 0, 3);
    b->addWidget(makeButton(QStringLiteral("Cmd_Load_Db_Prev"), QStringLiteral("&Previous")), 1, 0);
    b->addWidget(makeButton(QStringLiteral("Cmd_Load_Db_Next"), QStringLiteral("&Next")), 1, 1);
    b->addWidget(makeButton(QStringLiteral("Cmd_Load_Db_Cancel"), QStringLiteral("&Close")), 1, 3);
    v->addLayout(b);
    setDefaultButton(button(QStringLiteral("Cmd_Load_Db_Cancel")));

    connect(l7, &ClickLabel::clicked, this, [this](Qt::MouseButton) { emit quantityLabelClicked(QuantityLabel::Label7, 0); });
    connect(l11, &ClickLabel::clicked, this, [this](Qt::MouseButton) { emit quantityLabelClicked(QuantityLabel::Label11, 0); });
    connect(l14, &ClickLabel::clicked, this, [this](Qt::MouseButton) { emit quantityLabelClicked(QuantityLabel::Label14, 0); });
    connect(params, &ClickLabel::clicked, this, [this](Qt::MouseButton) { emit quantityLabelClicked(QuantityLabel::Label14, 1); });
}

void LoadDbasePanel::display(const BatchDisplayTexts& t) {
    const QString tip = Q(t.quantityToolTip);
    for (const char* n : {"Label7", "Label11", "Label14_0"}) label(QString::fromLatin1(n))->setToolTip(tip);
    edit(QStringLiteral("txt_Batch"))->setAcceptedText(Q(t.batchNumber));
    edit(QStringLiteral("txt_Batch_Name"))->setAcceptedText(Q(t.batchName));
    label(QStringLiteral("Label7"))->setText(Q(t.historyTitle));
    label(QStringLiteral("Label11"))->setText(Q(t.spectrumTitle));
    label(QStringLiteral("Label14_0"))->setText(Q(t.distributionTitle));
    label(QStringLiteral("lbl_Db_MaxValue_Caption"))->setText(Q(t.maxValueCaption));
    label(QStringLiteral("lbl_Db_MinValue_Caption"))->setText(Q(t.minValueCaption));
    label(QStringLiteral("lbl_Db_MaxRange_Caption"))->setText(Q(t.maxRangeCaption));
    label(QStringLiteral("lbl_Db_MinRange_Caption"))->setText(Q(t.minRangeCaption));
    label(QStringLiteral("lbl_Db_Points"))->setText(Q(t.points));
    label(QStringLiteral("lbl_Db_MaxValue"))->setText(Q(t.maxValue));
    label(QStringLiteral("lbl_Db_MinValue"))->setText(Q(t.minValue));
    label(QStringLiteral("lbl_Db_HistTime"))->setText(Q(t.historyTime));
    label(QStringLiteral("lbl_Db_MaxRange"))->setText(Q(t.maxRange));
    label(QStringLiteral("lbl_Db_MinRange"))->setText(Q(t.minRange));
    label(QStringLiteral("lbl_Db_Levels"))->setText(Q(t.levels));
    label(QStringLiteral("lbl_Db_Volume"))->setText(Q(t.volume));
    label(QStringLiteral("lbl_Db_SpecTime"))->setText(Q(t.spectrumTime));
    label(QStringLiteral("lbl_Db_DistrType"))->setText(Q(t.distributionLabel));
    label(QStringLiteral("lbl_Db_Q"))->setText(Q(t.q));
    label(QStringLiteral("lbl_Db_R"))->setText(Q(t.r));
    label(QStringLiteral("lbl_Db_Mse"))->setText(Q(t.meanStressLine));
}

void LoadDbasePanel::setDeletedLook(bool deleted) {
    button(QStringLiteral("cmd_Load_Db_Del"))->setText(deleted ? QStringLiteral("&Undelete") : QStringLiteral("&Delete"));
    for (const char* n : {"Cmd_Edit_History", "Cmd_Edit_Spectrum", "Cmd_Edit_Distribution"})
        button(QString::fromLatin1(n))->setEnabled(!deleted);
    for (QLabel* l : findChildren<QLabel*>())
        if (l->objectName().startsWith(QLatin1String("lbl_Db_"))) l->setEnabled(!deleted);
}

}  // namespace karmo
