#include "ui/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <vector>

namespace karmo {

QtPrompter::~QtPrompter() {
    while (busyDepth_ > 0) busy(false);
    delete progress_;
}

Answer QtPrompter::ask(const Prompt& p) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(p.title));
    box.setText(QString::fromStdString(p.text));
    switch (p.icon) {
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    std::vector<std::pair<QMessageBox::StandardButton, Answer>> buttons;
    switch (p.buttons) {
        case Buttons::Ok: buttons = {{QMessageBox::Ok, Answer::Ok}}; break;
        case Buttons::OkCancel:
            buttons = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}};
            break;
        case Buttons::YesNo:
            buttons = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
            break;
        case Buttons::YesNoCancel:
            buttons = {{QMessageBox::Yes, Answer::Yes},
                       {QMessageBox::No, Answer::No},
                       {QMessageBox::Cancel, Answer::Cancel}};
            break;
        case Buttons::RetryCancel:
            buttons = {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}};
            break;
    }
    for (const auto& b : buttons) box.addButton(b.first);
    const size_t def = p.defaultButton >= 0 && static_cast<size_t>(p.defaultButton) < buttons.size()
                           ? static_cast<size_t>(p.defaultButton) : 0;
    box.setDefaultButton(buttons[def].first);
    // Closing the box with Escape or its close box counts as the safe answer.
    box.setEscapeButton(buttons.back().first);

    // A message must be readable even while the hourglass is up.
    const bool wasBusy = busyDepth_ > 0;
    if (wasBusy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (wasBusy) QApplication::restoreOverrideCursor();

    const auto* clicked = box.clickedButton();
    for (const auto& b : buttons)
        if (clicked == box.button(b.first)) return b.second;
    return buttons.back().second;
}

void QtPrompter::busy(bool on) {
    if (on) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
        if (busyDepth_ == 0 && progress_) progress_->reset();
    }
}

void QtPrompter::processPendingEvents() {
    // Paint and let the window breathe, but no click or key may start a second operation.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool QtPrompter::progress(double fraction) {
    if (!progress_) {
        progress_ = new QProgressDialog(QString(), QStringLiteral("Cancel"), 0, 1000, parent_);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(500);
        progress_->setAutoClose(true);
        progress_->setAutoReset(true);
    }
    if (fraction < 0) fraction = 0;
    if (fraction > 1) fraction = 1;
    progress_->setValue(static_cast<int>(fraction * 1000));
    // The dialog's own Cancel button must be reachable.
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

}  // namespace karmo
