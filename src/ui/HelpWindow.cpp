#include "ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace karmo {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frm_help"));
    setWindowTitle(QStringLiteral("KARMO Help"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("help_browser"));
    browser_->setOpenExternalLinks(false);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* contents = new QPushButton(QStringLiteral("C&ontents"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->addWidget(back);
    row->addWidget(contents);
    row->addStretch(1);
    row->addWidget(close);
    auto* v = new QVBoxLayout(this);
    v->addLayout(row);
    v->addWidget(browser_, 1);
    resize(720, 640);
}

QString HelpWindow::helpDirectory() {
    // beside the program when installed, else the source tree it was built from
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
    if (QFileInfo::exists(beside + QStringLiteral("/index.html"))) return beside;
#ifdef KARMO_HELP_DIR
    return QStringLiteral(KARMO_HELP_DIR);
#else
    return beside;
#endif
}

bool HelpWindow::showContents() {
    const QString index = helpDirectory() + QStringLiteral("/index.html");
    if (!QFileInfo::exists(index)) {
        browser_->setHtml(QStringLiteral("<p>The help pages were not found.</p>"));
        return false;
    }
    browser_->setSearchPaths({helpDirectory()});
    browser_->setSource(QUrl::fromLocalFile(index));
    return true;
}

}  // namespace karmo
