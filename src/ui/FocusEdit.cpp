#include "ui/FocusEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace karmo {

bool FocusEdit::guard_ = false;

FocusEdit::FocusEdit(QWidget* parent) : QLineEdit(parent) {}

void FocusEdit::setAcceptedText(const QString& t) {
    setText(t);
    previous_ = t;
}

void FocusEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (!guard_) previous_ = text();
}

bool FocusEdit::validateNow() {
    if (!validator_) {
        previous_ = text();
        return true;
    }
    guard_ = true;
    const bool ok = validator_(*this);
    if (ok) {
        previous_ = text();
    } else {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    }
    guard_ = false;
    return ok;
}

void FocusEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (guard_) return;
    // A focus move to another window (a message box of someone else, the window
    // manager) is not the user leaving the box.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (!isVisible() || !isEnabled()) return;
    emit lostFocus();
    validateNow();
}

void FocusEdit::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            focusNextChild();
            return;
        case Qt::Key_Up:
            focusPreviousChild();
            return;
        default:
            QLineEdit::keyPressEvent(e);
    }
}

}  // namespace karmo
