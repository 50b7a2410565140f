#include "ui/panels/AppendPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/FileLists.h"
#include "ui/FocusEdit.h"

namespace karmo {

AppendPanel::AppendPanel(QWidget* parent) : Panel("frm_Append", QStringLiteral("Append History"), parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(makeLabel(QStringLiteral("lbl_Append_Text2"), QStringLiteral("Add a  Stress History from File:")));
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Append_File"), QStringLiteral("Append File:"), QStringLiteral("App_name_HS"));
    v->addLayout(g);

    QGroupBox* fileFrame = makeFrame(QStringLiteral("frm_Append_File"), QStringLiteral("File"));
    files_ = new FileList(fileFrame);
    files_->setObjectName(QStringLiteral("fil_Append_File"));
    files_->setPattern(QStringLiteral("karhs.*"));
    (new QVBoxLayout(fileFrame))->addWidget(files_);

    QGroupBox* pathFrame = makeFrame(QStringLiteral("frm_Append_Path"), QStringLiteral("Path"));
    drives_ = new DriveList(pathFrame);
    drives_->setObjectName(QStringLiteral("drv_Append_Drive"));
    dirs_ = new DirList(pathFrame);
    dirs_->setObjectName(QStringLiteral("dir_Append_Dir"));
    auto* pv = new QVBoxLayout(pathFrame);
    pv->addWidget(drives_);
    pv->addWidget(dirs_, 1);

    auto* lists = new QHBoxLayout;
    lists->addWidget(fileFrame, 1);
    lists->addWidget(pathFrame, 1);
    v->addLayout(lists, 1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Append_OK"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_Append_Cancel"), QStringLiteral("&Cancel"));
    v->addLayout(buttonRow({ok, cancel}));
    setDefaultButton(cancel);

    connect(dirs_, &DirList::pathChanged, files_, &FileList::setPath);
    connect(drives_, &DriveList::driveChanged, dirs_, [this](const QString& d) {
        dirs_->setPath(d);
        files_->setPath(d);
    });
}

}  // namespace karmo
