#include "ui/FileLists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>

namespace karmo {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    QStringList roots{QDir::rootPath()};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (v.isValid() && v.isReady() && !roots.contains(root) && root.startsWith(QLatin1Char('/')) &&
            !root.startsWith(QLatin1String("/proc")) && !root.startsWith(QLatin1String("/sys")) &&
            !root.startsWith(QLatin1String("/dev")) && !root.startsWith(QLatin1String("/run")))
            roots << root;
    }
    addItems(roots);
    connect(this, &QComboBox::currentTextChanged, this, &DriveList::driveChanged);
}

void DriveList::setDrive(const QString& d) {
    const int i = findText(d);
    if (i >= 0) setCurrentIndex(i);
}

DirList::DirList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        setPath(it->data(Qt::UserRole).toString());
        emit pathChanged(path_);
    });
}

void DirList::setPath(const QString& path) {
    QDir dir(path);
    path_ = dir.absolutePath();
    clear();
    // the chain from the root down to the directory itself, indented like a tree
    QStringList chain;
    for (QDir d = dir; ; ) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        const QString name = QDir(p).isRoot() ? p : QFileInfo(p).fileName();
        auto* it = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        it->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const auto subs = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& fi : subs) {
        auto* it = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + fi.fileName(), this);
        it->setData(Qt::UserRole, fi.absoluteFilePath());
    }
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {}

void FileList::setPath(const QString& path) {
    path_ = path;
    refresh();
}

void FileList::setPattern(const QString& pattern) {
    patterns_ = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    refresh();
}

void FileList::refresh() {
    clear();
    if (path_.isEmpty()) return;
    QDir dir(path_);
    const auto files = dir.entryList(patterns_, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(files);
}

QString FileList::fileName() const {
    const auto* it = currentItem();
    return it ? it->text() : QString();
}

}  // namespace karmo
