#include "ui/panels/LoadDbasePanel.h"

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

    auto section = [this](QGridLayout* g, int row, int col, const QString& titleName, const QString& title) {
        ClickLabel* l = makeClickLabel(titleName, title);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        g->addWidget(l, row, col, 1, 2);
        return l;
    };
    auto value = [this](QGridLayout* g, int row, int col, const QString& name, const QString& caption) {
        g->addWidget(makeLabel(name + QStringLiteral("_Caption"), caption), row, col);
        QLabel* val = makeLabel(name, QString());
        val->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(val, row, col + 1);
    };

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    ClickLabel* l7 = section(g, 0, 0, QStringLiteral("Label7"), QStringLiteral("Stress History"));
    value(g, 1, 0, QStringLiteral("lbl_Db_Points"), QStringLiteral("Number of Data Points:"));
    value(g, 2, 0, QStringLiteral("lbl_Db_MaxValue"), QStringLiteral("Maximum Stress:"));
    value(g, 3, 0, QStringLiteral("lbl_Db_MinValue"), QStringLiteral("Minimum Stress:"));
    value(g, 4, 0, QStringLiteral("lbl_Db_HistTime"), QStringLiteral("Record Time:"));

    ClickLabel* l11 = section(g, 0, 3, QStringLiteral("Label11"), QStringLiteral("Stress Spectrum"));
    value(g, 1, 3, QStringLiteral("lbl_Db_MaxRange"), QStringLiteral("Maximum Stress Range:"));
    value(g, 2, 3, QStringLiteral("lbl_Db_MinRange"), QStringLiteral("Minimum Stress Range:"));
    value(g, 3, 3, QStringLiteral("lbl_Db_Levels"), QStringLiteral("Number of Levels:"));
    value(g, 4, 3, QStringLiteral("lbl_Db_Volume"), QStringLiteral("Spectrum Volume:"));
    value(g, 5, 3, QStringLiteral("lbl_Db_SpecTime"), QStringLiteral("Record Time:"));
    g->setColumnMinimumWidth(2, 16);

    ClickLabel* l14 = section(g, 6, 0, ArrayName(QStringLiteral("Label14"), 0), QStringLiteral("Stress Distribution"));
    l14->setProperty("index", 0);
    QLabel* type = makeLabel(QStringLiteral("lbl_Db_DistrType"), QString());
    g->addWidget(type, 6, 3, 1, 2);
    ClickLabel* params = makeClickLabel(ArrayName(QStringLiteral("Label14"), 1), QStringLiteral("Parameters"));
    params->setProperty("index", 1);
    g->addWidget(params, 7, 0);
    auto* qr = new QHBoxLayout;
    qr->addWidget(makeLabel(QStringLiteral("lbl_Db_Q_Caption"), QStringLiteral("Q =")));
    qr->addWidget(makeLabel(QStringLiteral("lbl_Db_Q"), QString()), 1);
    qr->addWidget(makeLabel(QStringLiteral("lbl_Db_R_Caption"), QStringLiteral("R =")));
    qr->addWidget(makeLabel(QStringLiteral("lbl_Db_R"), QString()), 1);
    g->addLayout(qr, 7, 1, 1, 4);
    g->addWidget(makeLabel(QStringLiteral("lbl_Db_Mse"), QString()), 8, 0, 1, 5);
    v->addLayout(g);
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

}  // namespace karmo
