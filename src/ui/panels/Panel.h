#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QString>

class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QCheckBox;
class QScrollBar;

namespace karmo {

class FocusEdit;

// A label that reports clicks (the quantity labels, the zoom label, the colour samples).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked(Qt::MouseButton button);
    void doubleClicked();
protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// A dialog panel of the main window: a framed group of controls, created once, hidden,
// placed on the window by the layout scaling. Every control carries its name as object
// name, so code and tests find it by name; elements of a control array are named
// "<name>_<index>" and carry their index in the property "index".
class Panel : public QGroupBox {
    Q_OBJECT
public:
    Panel(const char* name, const QString& caption, QWidget* parent);

    template <class T>
    T* control(const QString& name) const { return findChild<T*>(name); }
    QPushButton* button(const QString& name) const;
    FocusEdit* edit(const QString& name) const;
    QLabel* label(const QString& name) const;

    // The button Enter would press when no text box takes it.
    void setDefaultButton(QPushButton* b);
    QPushButton* defaultButton() const { return default_; }

    // Dialog panels come to the front when shown; the display areas stay behind them.
    void setRaiseOnShow(bool on) { raiseOnShow_ = on; }

signals:
    void shownChanged(bool visible);

protected:
    QPushButton* makeButton(const QString& name, const QString& caption);
    FocusEdit* makeEdit(const QString& name);
    QLabel* makeLabel(const QString& name, const QString& text);
    ClickLabel* makeClickLabel(const QString& name, const QString& text);
    QRadioButton* makeOption(const QString& name, const QString& caption);
    QGroupBox* makeFrame(const QString& name, const QString& caption);
    QScrollBar* makeScrollBar(const QString& name, Qt::Orientation o);
    // label + text box on one row of a grid
    FocusEdit* addField(QGridLayout* g, int row, const QString& labelName, const QString& caption,
                        const QString& editName, int labelColumn = 0);
    // a row of buttons, right-aligned
    QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

    bool event(QEvent* e) override;

private:
    QPushButton* default_ = nullptr;
    bool raiseOnShow_ = true;
};

QString ArrayName(const QString& name, int index);

}  // namespace karmo
