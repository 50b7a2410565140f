#pragma once
#include "ui/panels/Panel.h"

class QHBoxLayout;

namespace karmo {

class FileList;
class DirList;
class DriveList;

// A panel that picks a file: a "File" frame with the file list beside a "Path" frame with
// the drive and directory lists. A new drive or directory moves the file list.
class FilePanel : public Panel {
    Q_OBJECT
public:
    FileList* files() const { return files_; }
    DirList* dirs() const { return dirs_; }
    DriveList* drives() const { return drives_; }

protected:
    using Panel::Panel;

    struct FileListNames {
        QString fileFrame, files, pathFrame, drives, dirs;
    };
    // Builds the two frames, wires the lists and returns the row holding them; the caller
    // places the row.
    QHBoxLayout* makeFileLists(const FileListNames& names);

private:
    FileList* files_ = nullptr;
    DirList* dirs_ = nullptr;
    DriveList* drives_ = nullptr;
};

}  // namespace karmo
