#include "PrintingSupport.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "ui/PrintingScreen.h"

namespace karmo::test {

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

bool PdfToolsPresent() {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
    return true;
}

std::string Collapsed(const std::string& line) {
    return QString::fromStdString(line).simplified().toStdString();
}

std::vector<std::string> Written(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (!Collapsed(l).empty()) out.push_back(Collapsed(l));
    return out;
}

PdfFile ReadPdf(const QString& path) {
    PdfFile f;
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                        QStringLiteral("-l"), QStringLiteral("9999"), path});
    // "Page    1 size: 841.89 x 595.276 pts (A4)"
    const QRegularExpression size(QStringLiteral("^Page +\\d+ size: +([0-9.]+) x ([0-9.]+) pts"),
                                  QRegularExpression::MultilineOption);
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        f.pages.push_back(PdfPage{m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
    }
    const QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                                  .split(QLatin1Char('\f'));
    for (size_t i = 0; i < f.pages.size() && i < static_cast<size_t>(pages.size()); ++i) {
        std::vector<std::string> lines;
        for (const QString& l : pages[static_cast<qsizetype>(i)].split(QLatin1Char('\n'))) lines.push_back(l.toStdString());
        f.pages[i].lines = Written(lines);
    }
    // "pdfimages -list": two heading lines, then one line an image.
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    f.images = std::max<int>(0, static_cast<int>(images.size()) - 2);
    return f;
}

void ShotOfPdf(const QString& pdf, const char* name) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) return;
    QDir().mkpath(out);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                     QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                                     out + QLatin1Char('/') + QString::fromLatin1(name)});
}

void ShotOfPicture(const QString& picture, const char* name) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) return;
    const QString to = out + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
    QFile::remove(to);
    EXPECT_TRUE(QDir().mkpath(out) && QFile::copy(picture, to));
}

void PrintSetupCopies(MainWindow& w, int copies) {
    auto answered = std::make_shared<bool>(false);
    QTimer::singleShot(0, &w, [answered, copies] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        auto* box = dlg->findChild<QSpinBox*>(QStringLiteral("copies"));
        auto* buttons = dlg->findChild<QDialogButtonBox*>();
        if (!box || !buttons) {
            dlg->reject();
            return;
        }
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::number(copies));
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        *answered = true;
    });
    QAction* setup = w.action(QStringLiteral("mnu_opt"));
    ASSERT_TRUE(setup->isEnabled());
    setup->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(*answered) << "no Print Setup dialog with a copies box";
}

void SaveDialogs::attach(MainWindow& w) {
    w.setSaveFilePicker([this](const QString& title, const QString& filter) {
        titles << title;
        filters << filter;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    });
}

}  // namespace karmo::test
