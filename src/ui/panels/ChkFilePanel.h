#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class FileList;
class DirList;
class DriveList;

// frm_Chk_File: the input choices for a batch that has no history file yet.
class ChkFilePanel : public Panel {
    Q_OBJECT
public:
    explicit ChkFilePanel(QWidget* parent);
    FileList* files() const { return files_; }
    DirList* dirs() const { return dirs_; }
    DriveList* drives() const { return drives_; }
private:
    FileList* files_;
    DirList* dirs_;
    DriveList* drives_;
};

}  // namespace karmo
