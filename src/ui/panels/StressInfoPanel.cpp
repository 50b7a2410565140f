#include "ui/panels/StressInfoPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/FocusEdit.h"

namespace karmo {

StressInfoPanel::StressInfoPanel(QWidget* parent)
    : Panel("frm_Stress_Info", QStringLiteral("Stress History Information"), parent) {
    auto* fields = new QGridLayout;
    addField(fields, 0, QStringLiteral("lbl_Curr_Batch_No"), QStringLiteral("Current Data Batch:"),
             QStringLiteral("txt_Curr_Batch_No"));
    fields->addWidget(makeEdit(QStringLiteral("txt_CurrBatch_Descr")), 0, 2, 1, 2);
    addField(fields, 1, QStringLiteral("lbl_Batch_No"), QStringLiteral("Stress History of:"),
             QStringLiteral("txt_Batch_No"));
    fields->addWidget(edit(QStringLiteral("txt_Batch_No")), 1, 1, 1, 3);
    addField(fields, 2, QStringLiteral("lbl_No_Points"), QStringLiteral("No. of Points:"),
             QStringLiteral("txt_No_Points"));
    addField(fields, 2, QStringLiteral("lbl_Record_Time"), QStringLiteral("Record Time [min]:"),
             QStringLiteral("txt_Record_Time"), 2);
    addField(fields, 3, QStringLiteral("lbl_Max_Stress"), QStringLiteral("Max Stress [MPa]:"),
             QStringLiteral("txt_Max_Stress"));
    addField(fields, 3, QStringLiteral("lbl_Min_Stress"), QStringLiteral("Min Stress [MPa]:"),
             QStringLiteral("txt_Min_Stress"), 2);
    for (const char* n : {"txt_Curr_Batch_No", "txt_No_Points", "txt_Record_Time", "txt_Max_Stress",
                          "txt_Min_Stress", "txt_Batch_No"})
        edit(QString::fromLatin1(n))->setReadOnly(true);
    zoom_ = makeClickLabel(QStringLiteral("Zoom1"), QStringLiteral("Show Points:"));
    // The label keeps its row while hidden, so the boxes stay where they are when a zoom
    // shows it.
    QSizePolicy keep = zoom_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    keep.setVerticalPolicy(QSizePolicy::Fixed);
    zoom_->setSizePolicy(keep);
    zoom_->hide();
    fields->addWidget(zoom_, 4, 0, 1, 4);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    for (int row = 0; row <= 4; ++row) fields->setRowStretch(row, 1);

    auto* buttons = new QGridLayout;
    const struct { const char* name; const char* caption; } b[] = {
        {"Cmd_Zoom_Refr", "&Zoom"},      {"cmd_Cycle_Count", "C&ycle"},
        {"cmd_Correction", "C&orrect"},  {"cmd_Rescale", "&Rescale"},
        {"cmd_Subtract", "&Subtract"},   {"cmd_Append", "&Append"},
        {"cmd_Save", "Sa&ve"},           {"cmd_Cancel", "&Close"},
    };
    for (int i = 0; i < 8; ++i)
        buttons->addWidget(makeButton(QString::fromLatin1(b[i].name), QString::fromLatin1(b[i].caption)),
                           i / 2, i % 2);

    auto* top = new QHBoxLayout(this);
    top->addLayout(fields, 3);
    top->addSpacing(12);
    top->addLayout(buttons, 1);
    setDefaultButton(button(QStringLiteral("cmd_Cancel")));
}

void StressInfoPanel::mousePressEvent(QMouseEvent* e) {
    Panel::mousePressEvent(e);
    emit freeAreaClicked();
}

}  // namespace karmo
