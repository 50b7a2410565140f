#pragma once
#include <QTextBrowser>
#include <QWidget>

namespace karmo {

// The program's help, shown at its contents page in a window of its own.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Opens index.html of the help directory; false when it cannot be found.
    bool showContents();
    QTextBrowser* browser() const { return browser_; }
    static QString helpDirectory();
private:
    QTextBrowser* browser_;
};

}  // namespace karmo
