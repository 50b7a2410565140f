#include "ui/panels/FilePanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/FileLists.h"

namespace karmo {

QHBoxLayout* FilePanel::makeFileLists(const FileListNames& names) {
    QGroupBox* fileFrame = makeFrame(names.fileFrame, QStringLiteral("File"));
    files_ = new FileList(fileFrame);
    files_->setObjectName(names.files);
    (new QVBoxLayout(fileFrame))->addWidget(files_);

    QGroupBox* pathFrame = makeFrame(names.pathFrame, QStringLiteral("Path"));
    drives_ = new DriveList(pathFrame);
    drives_->setObjectName(names.drives);
    dirs_ = new DirList(pathFrame);
    dirs_->setObjectName(names.dirs);
    auto* pv = new QVBoxLayout(pathFrame);
    pv->addWidget(drives_);
    pv->addWidget(dirs_, 1);

    auto* lists = new QHBoxLayout;
    lists->addWidget(fileFrame, 1);
    lists->addWidget(pathFrame, 1);

    connect(dirs_, &DirList::pathChanged, files_, &FileList::setPath);
    connect(drives_, &DriveList::driveChanged, dirs_, [this](const QString& d) {
        dirs_->setPath(d);
        files_->setPath(d);
    });
    return lists;
}

}  // namespace karmo
