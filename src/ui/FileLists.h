#pragma once
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace karmo {

// The drive list of a panel. This platform has one file-system root, so it holds "/"
// (and any mounted volume roots Qt reports); choosing one moves the directory list.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);
    QString drive() const { return currentText(); }
    void setDrive(const QString& d);
signals:
    void driveChanged(const QString& drive);
};

// The directory list: the chain of parent directories of the current path, then its
// sub-directories. A double click (or Enter) opens the entry.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);
    QString path() const { return path_; }
    void setPath(const QString& path);
    void refresh() { setPath(path_); }
signals:
    void pathChanged(const QString& path);
private:
    QString path_;
};

// The file list: the files of a directory matching a pattern ("karhs.*;*.bin").
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    QString path() const { return path_; }
    void setPath(const QString& path);
    QString pattern() const { return patterns_.join(QLatin1Char(';')); }
    void setPattern(const QString& pattern);
    void refresh();
    QString fileName() const;   // the selected file, empty when none
private:
    QString path_;
    QStringList patterns_;
};

}  // namespace karmo
