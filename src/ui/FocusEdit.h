#pragma once
#include <QLineEdit>
#include <functional>

namespace karmo {

// A text box validated when it loses the focus. The validator runs once per focus loss;
// when it refuses, the focus comes back to the box (the validator has shown its message
// and, where it wants that, called restorePrevious()). Enter and Down move to the next
// box, Up to the previous one, which is what triggers the validation.
//
// A message box takes the focus away again, and giving the focus back takes it from the
// box that just got it: both would start another validation. One guard shared by all
// boxes keeps a refusal from running any other validator until it has settled.
class FocusEdit : public QLineEdit {
    Q_OBJECT
public:
    using Validator = std::function<bool(FocusEdit&)>;

    explicit FocusEdit(QWidget* parent = nullptr);

    void setValidator(Validator v) { validator_ = std::move(v); }
    // The text the box held when it got the focus, or after the last accepted check.
    const QString& previousText() const { return previous_; }
    void restorePrevious() { setText(previous_); }
    // Sets the text as the accepted value (no validation).
    void setAcceptedText(const QString& t);

    // Runs the validator as a focus loss would. True when accepted (or no validator).
    bool validateNow();

    static bool validating() { return guard_; }

signals:
    void lostFocus();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Validator validator_;
    QString previous_;
    static bool guard_;
};

}  // namespace karmo
