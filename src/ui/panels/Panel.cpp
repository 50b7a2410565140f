#include "ui/panels/Panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "ui/FocusEdit.h"

namespace karmo {

QString ArrayName(const QString& name, int index) {
    return name + QLatin1Char('_') + QString::number(index);
}

// A click on the label is the label's: it does not reach the panel under it.
void ClickLabel::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    e->accept();
    emit clicked(e->button());
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* e) {
    QLabel::mouseDoubleClickEvent(e);
    e->accept();
    emit doubleClicked();
}

Panel::Panel(const char* name, const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    setObjectName(QString::fromLatin1(name));
    setAutoFillBackground(true);
    hide();
}

QPushButton* Panel::button(const QString& name) const { return findChild<QPushButton*>(name); }
FocusEdit* Panel::edit(const QString& name) const { return findChild<FocusEdit*>(name); }
QLabel* Panel::label(const QString& name) const { return findChild<QLabel*>(name); }

void Panel::setDefaultButton(QPushButton* b) {
    if (default_) default_->setDefault(false);
    default_ = b;
    if (b) b->setDefault(true);
}

QPushButton* Panel::makeButton(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

FocusEdit* Panel::makeEdit(const QString& name) {
    auto* e = new FocusEdit(this);
    e->setObjectName(name);
    return e;
}

QLabel* Panel::makeLabel(const QString& name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    return l;
}

ClickLabel* Panel::makeClickLabel(const QString& name, const QString& text) {
    auto* l = new ClickLabel(text, this);
    l->setObjectName(name);
    return l;
}

QRadioButton* Panel::makeOption(const QString& name, const QString& caption) {
    auto* b = new QRadioButton(caption, this);
    b->setObjectName(name);
    return b;
}

QGroupBox* Panel::makeFrame(const QString& name, const QString& caption) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(name);
    return f;
}

QScrollBar* Panel::makeScrollBar(const QString& name, Qt::Orientation o) {
    auto* s = new QScrollBar(o, this);
    s->setObjectName(name);
    return s;
}

FocusEdit* Panel::addField(QGridLayout* g, int row, const QString& labelName,
                           const QString& caption, const QString& editName, int labelColumn) {
    QLabel* l = makeLabel(labelName, caption);
    FocusEdit* e = makeEdit(editName);
    l->setBuddy(e);
    g->addWidget(l, row, labelColumn);
    g->addWidget(e, row, labelColumn + 1);
    return e;
}

QHBoxLayout* Panel::buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

bool Panel::event(QEvent* e) {
    // Sent whether or not the window itself is on screen yet.
    if (e->type() == QEvent::ShowToParent) {
        if (raiseOnShow_) raise();
        emit shownChanged(true);
    } else if (e->type() == QEvent::HideToParent) {
        emit shownChanged(false);
    }
    return QGroupBox::event(e);
}

}  // namespace karmo
