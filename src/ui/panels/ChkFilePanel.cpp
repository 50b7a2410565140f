#include "ui/panels/ChkFilePanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/FileLists.h"
#include "ui/FocusEdit.h"

namespace karmo {

ChkFilePanel::ChkFilePanel(QWidget* parent) : FilePanel("frm_Chk_File", QStringLiteral("Input File"), parent) {
    auto* v = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Batch_Label"), QStringLiteral("Current Data Batch: "),
             QStringLiteral("txt_Batch_Label"));
    edit(QStringLiteral("txt_Batch_Label"))->setReadOnly(true);
    v->addLayout(g);
    QLabel* prompt = makeLabel(QStringLiteral("lbl_Chk_File_Text"),
                               QStringLiteral("History file doen't exist. Please select one of these choices:"));
    prompt->setWordWrap(true);
    v->addWidget(prompt);

    QGroupBox* choice = makeFrame(QStringLiteral("frm_Hist_Choice"), QStringLiteral("Edit Choices"));
    auto* cg = new QGridLayout(choice);
    int i = 0;
    for (const char* caption : {"KARMO File", "Stress-Time History", "Keyboard", "Text File (WH)"}) {
        QRadioButton* r = makeOption(ArrayName(QStringLiteral("btt_Hist_Choice"), i), QString::fromLatin1(caption));
        r->setProperty("index", i);
        r->setParent(choice);
        cg->addWidget(r, i / 2, i % 2);
        ++i;
    }
    v->addWidget(choice);

    auto* fg = new QGridLayout;
    addField(fg, 0, QStringLiteral("lbl_name_HS"), QStringLiteral("Open File:"), QStringLiteral("fil_name_HS"));
    v->addLayout(fg);

    v->addLayout(makeFileLists({QStringLiteral("frm_File_List"), QStringLiteral("fil_File_Name"),
                                QStringLiteral("frm_File_Path"), QStringLiteral("drv_File_Drive"),
                                QStringLiteral("dir_File_Directory")}),
                 1);
    files()->setPattern(QStringLiteral("karhs.*"));

    QPushButton* ok = makeButton(QStringLiteral("cmd_Filepath_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Filepath_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

}  // namespace karmo
