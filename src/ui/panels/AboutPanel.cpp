#include "ui/panels/AboutPanel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

AboutPanel::AboutPanel(QWidget* parent) : Panel("frm_about", QStringLiteral("About KARMO"), parent) {
    auto* v = new QVBoxLayout(this);
    QLabel* name = makeLabel(QStringLiteral("lbl_About_Name"), QStringLiteral("KARMO"));
    QFont f(QStringLiteral("Bookman Old Style"));
    f.setPointSizeF(font().pointSizeF() * 2.4);
    f.setBold(true);
    name->setFont(f);
    name->setAlignment(Qt::AlignCenter);
    v->addStretch(1);
    v->addWidget(name);
    QLabel* what = makeLabel(QStringLiteral("lbl_About_Text"), QStringLiteral("Program for Acquisition of Loading Data"));
    what->setAlignment(Qt::AlignCenter);
    what->setWordWrap(true);
    v->addWidget(what);
    QLabel* version = makeLabel(QStringLiteral("lbl_About_Version"), QStringLiteral("Version 1.0"));
    version->setAlignment(Qt::AlignCenter);
    v->addWidget(version);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_about"), QStringLiteral("&OK"));
    auto* row = buttonRow({ok});
    row->addStretch(1);
    v->addLayout(row);
    setDefaultButton(ok);
}

}  // namespace karmo
