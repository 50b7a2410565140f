#pragma once
#include <QPointer>

#include "core/Prompter.h"

class QWidget;
class QProgressDialog;

namespace karmo {

// The window's Prompter: modal message boxes, the hourglass as an override cursor and a
// progress dialog for long work.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtPrompter() override;

    Answer ask(const Prompt& p) override;
    void busy(bool on) override;
    void processPendingEvents() override;
    bool progress(double fraction) override;

private:
    QPointer<QWidget> parent_;
    QPointer<QProgressDialog> progress_;
    int busyDepth_ = 0;
};

}  // namespace karmo
