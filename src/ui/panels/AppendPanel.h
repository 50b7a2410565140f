#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class FileList;
class DirList;
class DriveList;

// frm_Append: choose the history file to add to the current one.
class AppendPanel : public Panel {
    Q_OBJECT
public:
    explicit AppendPanel(QWidget* parent);
    FileList* files() const { return files_; }
    DirList* dirs() const { return dirs_; }
    DriveList* drives() const { return drives_; }
private:
    FileList* files_;
    DirList* dirs_;
    DriveList* drives_;
};

}  // namespace karmo
