#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "PrintingSupport.h"
#include "UiTestEnv.h"
#include "core/Units.h"
#include "report/SummaryReport.h"
#include "ui/PrintingScreen.h"

namespace karmo {
namespace {

using test::ReadPdf;
using test::SaveDialogs;
using test::Ui;
using test::Written;

// Batch 1, a counted history of `levels` levels from 300 MPa down with a Weibull fit, the
// menus as after its spectrum was drawn.
void Counted(Ui& ui, int levels) {
    AppState& s = ui.s;
    test::FillExampleBatch(s);
    DataBatch& b = s.batch();
    b.Title = "Girder 3, gauge 12";
    b.LevelCount = static_cast<int16_t>(levels);
    b.Volume = 0;
    for (int i = 1; i <= levels; ++i) {
        b.LevelRange[static_cast<size_t>(i)] = 300.0f - 8.0f * static_cast<float>(i - 1);
        b.LevelCycles[static_cast<size_t>(i)] = 2 * i * i;
        b.Volume += 2 * i * i;
    }
    b.MaxRange = b.LevelRange[1];
    b.MinRange = b.LevelRange[static_cast<size_t>(levels)];
    b.FitQ = 0.45f;
    b.FitR = 1.6f;
    s.BatchKind = 1;
    s.DistributionType = 2;
    s.DistributionLabel = "(Weibull)";
    s.ShowFitted = true;
    ApplyQuantity(s, 1);
    ui.w.applyMenuEvent(MenuEvent::SpectrumDrawn);
}

QString pdfIn(Ui& ui, const char* name) { return ui.f.dir.filePath(QString::fromLatin1(name)); }

TEST(Printing, SummaryOnPaperIsThePrinterFormOnPagesOneCopyAfterAnother) {
    KARMO_NEED_PDF_TOOLS();
    Ui ui;
    ui.w.show();
    Counted(ui, 30);
    test::PrintSetupCopies(ui.w, 3);
    EXPECT_EQ(ui.w.printingScreen()->copyCount(), 3);
    SaveDialogs dialogs{{pdfIn(ui, "summary.pdf")}};
    dialogs.attach(ui.w);
    const std::string date = TodayReportDate();
    ui.act("mnu_pdoc")->trigger();
    EXPECT_EQ(dialogs.titles, QStringList{"Printing Summary to PDF File (no printer installed)"});
    EXPECT_EQ(dialogs.filters, QStringList{"PDF File (*.pdf)"});

    const test::PdfFile pdf = ReadPdf(pdfIn(ui, "summary.pdf"));
    ASSERT_EQ(pdf.pages.size(), 6u) << "three copies of two pages";
    if (TodayReportDate() != date) GTEST_SKIP() << "the date changed while printing";
    std::vector<std::string> copy = pdf.pages[0].lines;
    copy.insert(copy.end(), pdf.pages[1].lines.begin(), pdf.pages[1].lines.end());
    EXPECT_EQ(copy, Written(BuildSummaryReport(ui.s, SummaryForm::Printer, date).texts()));
    for (size_t i = 0; i < pdf.pages.size(); ++i) {
        EXPECT_FALSE(pdf.pages[i].landscape()) << i;
        EXPECT_EQ(pdf.pages[i].lines, pdf.pages[i % 2].lines) << "page " << i + 1;
    }
}

TEST(Printing, ScreenPictureIsTheWindowsSizeAsBitmapOrPngAndWrittenWholeOrNotAtAll) {
    Ui ui;
    ui.w.show();
    test::ShowHistory(ui.w, {120, -60, 80, -20, 100, -40, 60, -10});
    const QString bmp = pdfIn(ui, "screen.bmp"), png = pdfIn(ui, "screen.PNG");
    SaveDialogs dialogs{{bmp, png, QString(), pdfIn(ui, "missing/screen.bmp")}};
    dialogs.attach(ui.w);
    const QStringList before = QDir(ui.f.dir.path()).entryList(QDir::Files);
    for (int i = 0; i < 3; ++i) ui.act("mnu_szym")->trigger();
    EXPECT_EQ(dialogs.filters.at(0), "KARMO Results (*.bmp);;PNG Image (*.png)");
    EXPECT_EQ(dialogs.titles.at(0), "Printing Screen to File");

    const QImage picture(bmp);
    EXPECT_EQ(picture.size(), ui.w.size());
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QImageReader(bmp).format(), "bmp");
    EXPECT_EQ(QImageReader(png).format(), "png");
    // Only the history is shown: drawn over the upper half, the lower half left blank.
    auto dark = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < picture.width(); ++x) n += qGray(picture.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(dark(0, picture.height() / 2), 100);
    EXPECT_EQ(dark(picture.height() * 53 / 100, picture.height()), 0);
    const QStringList after = QDir(ui.f.dir.path()).entryList(QDir::Files);
    EXPECT_EQ(after.size(), before.size() + 2);

    // Cancelled: nothing. A directory that is not there: the system's word, and no file.
    ui.prompter.expect("Printing Screen to File", "screen.bmp: " + std::string(std::strerror(ENOENT)),
                       Icon::Exclamation);
    ui.act("mnu_szym")->trigger();
    EXPECT_TRUE(ui.prompter.allUsed());
    EXPECT_FALSE(QDir(pdfIn(ui, "missing")).exists());
    EXPECT_EQ(QDir(ui.f.dir.path()).entryList(QDir::Files), after);
}

TEST(Printing, PrinterNotReadyOffersRetryAndCancelEndsTheJobAndEveryCopyIsAJob) {
    KARMO_NEED_PDF_TOOLS();
    Ui ui;
    ui.w.show();
    Counted(ui, 30);
    test::PrintSetupCopies(ui.w, 3);
    PrintingScreen& printing = *ui.w.printingScreen();
    printing.setPrinterLookup([] { return true; });
    // A printer whose output cannot be opened refuses every job.
    printing.printer().setOutputFileName(pdfIn(ui, "missing/out.pdf"));
    ui.prompter.expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Retry)
        .expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Cancel);
    ui.act("mnu_pdoc")->trigger();
    EXPECT_TRUE(ui.prompter.allUsed());
    ASSERT_EQ(ui.prompter.asked.size(), 2u);
    EXPECT_EQ(ui.prompter.asked[0].buttons, Buttons::RetryCancel);
    ui.prompter.expect("Printing Screen", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Cancel);
    ui.act("mnu_copyscreen")->trigger();
    EXPECT_TRUE(ui.prompter.allUsed());
    EXPECT_FALSE(QDir(pdfIn(ui, "missing")).exists());

    // A printer that writes a file: each of the three copies is a job of its own that
    // replaces the file, so the file holds one copy's two pages, not six.
    printing.printer().setOutputFileName(pdfIn(ui, "printer.pdf"));
    ui.act("mnu_pdoc")->trigger();
    EXPECT_EQ(ReadPdf(pdfIn(ui, "printer.pdf")).pages.size(), 2u);
    EXPECT_EQ(ui.prompter.busyDepth, 0);
}

// The texts of the dialog Print Setup shows, which is then cancelled.
QStringList PrintSetupTexts(MainWindow& w) {
    QStringList texts;
    QTimer::singleShot(0, &w, [&] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        for (const QLabel* l : dlg->findChildren<QLabel*>()) texts << l->text();
        for (const QPushButton* b : dlg->findChildren<QPushButton*>())
            if (b->isVisibleTo(dlg)) texts << b->text().remove('&');
        dlg->reject();
    });
    w.action(QStringLiteral("mnu_opt"))->trigger();
    return texts;
}

TEST(Printing, PrintSetupSetsUpWithoutPrinting) {
    Ui ui;
    ui.w.show();
    // No printer: the dialog says so instead of listing none; Cancel keeps the copies.
    EXPECT_TRUE(PrintSetupTexts(ui.w).join(' ').contains("No printer is installed"));
    EXPECT_EQ(ui.w.printingScreen()->copyCount(), 1);
    // A printer: the print dialog, its confirming button "OK", not "Print".
    ui.w.printingScreen()->setPrinterLookup([] { return true; });
    const QStringList texts = PrintSetupTexts(ui.w);
    EXPECT_TRUE(texts.contains("OK") && !texts.contains("Print")) << texts.join(',').toStdString();
}

}  // namespace
}  // namespace karmo
