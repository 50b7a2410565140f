#include "ui/panels/AppendPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/FileLists.h"
#include "ui/FocusEdit.h"

namespace karmo {

AppendPanel::AppendPanel(QWidget* parent) : FilePanel("frm_Append", QStringLiteral("Append History"), parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(QStringLiteral("lbl_Append_Text2"), QStringLiteral("Add a  Stress History from File:")));
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Append_File"), QStringLiteral("Append File:"), QStringLiteral("App_name_HS"));
    v->addLayout(g);

    v->addLayout(makeFileLists({QStringLiteral("frm_Append_File"), QStringLiteral("fil_Append_File"),
                                QStringLiteral("frm_Append_Path"), QStringLiteral("drv_Append_Drive"),
                                QStringLiteral("dir_Append_Dir")}),
                 1);
    files()->setPattern(QStringLiteral("karhs.*"));
    QPushButton* ok = makeButton(QStringLiteral("cmd_Append_OK"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_Append_Cancel"), QStringLiteral("&Cancel"));
    v->addLayout(buttonRow({ok, cancel}));
    setDefaultButton(cancel);
}

}  // namespace karmo
