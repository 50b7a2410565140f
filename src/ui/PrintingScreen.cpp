#include "ui/PrintingScreen.h"

#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/AtomicFile.h"
#include "report/SummaryReport.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/Panel.h"
#include "ui/panels/SpectrPanel.h"

namespace karmo {

namespace {

// "Description|pattern" of the common dialog as Qt writes a name filter: "Description".
QString QtNameFilter(const char* filter) {
    return QString::fromLatin1(filter).section(QLatin1Char('|'), 0, 0);
}

constexpr int kMaxCopies = 99;
const QString kPdfFilter = QStringLiteral("PDF File (*.pdf)");

}  // namespace

PrintingScreen::PrintingScreen(MainWindow& w) : QObject(&w), w_(w) {
    pickSaveFile_ = [this](const QString& title, const QString& filter) {
        // An empty name to start with; Qt asks before a file is overwritten.
        return QFileDialog::getSaveFileName(&w_, title, QString::fromStdString(w_.state().DatabaseDir), filter);
    };
    anyPrinter_ = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
}

PrintingScreen::~PrintingScreen() = default;

QPrinter& PrintingScreen::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The same paper edge on every printer and in the PDF file (a printer that needs
        // more keeps its own).
        printer_->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    }
    return *printer_;
}

// ---------------------------------------------------------------------------------------
// Print Setup

void PrintingScreen::mnu_opt_Click() {
    if (w_.state().UiMode != kUiIdle) return;
    if (!anyPrinter_()) {
        // An empty printer list would tell nothing: say why, and keep the copy count,
        // which the PDF file the print commands write instead honours.
        QDialog dlg(&w_);
        dlg.setObjectName(QStringLiteral("dlg_print_setup"));
        dlg.setWindowTitle(QStringLiteral("Print Setup"));
        auto* text = new QLabel(QStringLiteral("No printer is installed. The print commands save their pages "
                                               "in a PDF file instead."));
        text->setWordWrap(true);
        auto* copies = new QSpinBox;
        copies->setObjectName(QStringLiteral("copies"));
        copies->setRange(1, kMaxCopies);
        copies->setValue(copies_);
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Copies:"), copies);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dlg);
        layout->addWidget(text);
        layout->addLayout(form);
        layout->addWidget(buttons);
        if (dlg.exec() == QDialog::Accepted) copies_ = copies->value();
        return;
    }
    // The printer and the copies; no page range, selection or print-to-file box.
    QPrinter& p = printer();
    p.setCopyCount(copies_);
    QPrintDialog dlg(&p, &w_);
    dlg.setWindowTitle(QStringLiteral("Print Setup"));
    dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // It sets the printer up; the commands print later.
    if (auto* box = dlg.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    if (dlg.exec() == QDialog::Accepted) copies_ = std::clamp(p.copyCount(), 1, kMaxCopies);
    // Every copy is a job of its own; the printer must not multiply them.
    p.setCopyCount(1);
}

// ---------------------------------------------------------------------------------------
// the jobs

void PrintingScreen::printCopies(const QString& title, QPageLayout::Orientation orientation, int copies,
                                 const DrawCopy& draw) {
    QPrinter& p = printer();
    p.setPageOrientation(orientation);
    if (!anyPrinter_()) {
        const QString name = pickSaveFile_(title + QStringLiteral(" to PDF File (no printer installed)"), kPdfFilter);
        if (name.isEmpty()) return;
        QPageLayout layout = p.pageLayout();
        layout.setOrientation(orientation);
        printToPdf(title, name, layout, copies, draw);
        return;
    }
    BusyScope busy(w_.prompter());
    w_.prompter().processPendingEvents();
    p.setCopyCount(1);
    for (int copy = 0; copy < copies; ++copy) {
        for (;;) {
            bool sent = false;
            {
                QtCanvas c(p, true);
                if (c.painter().isActive()) {
                    draw(c, p);
                    sent = c.painter().end() && p.printerState() != QPrinter::Error;
                }
            }
            if (sent) break;
            // Retry starts the copy again; Cancel ends the printing.
            if (!AskPrinterNotReady(w_.prompter(), title.toStdString())) return;
        }
    }
}

void PrintingScreen::printToPdf(const QString& title, const QString& name, const QPageLayout& layout, int copies,
                                const DrawCopy& draw) {
    BusyScope busy(w_.prompter());
    w_.prompter().processPendingEvents();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("KARMO"));
        pdf.setTitle(title);
        pdf.setPageLayout(layout);
        pdf.setResolution(printer().resolution());
        QtCanvas c(pdf, true);
        // The copies one after the other, each from a new page, as the printer would
        // have had them one job after the other.
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0) pdf.newPage();
            draw(c, pdf);
        }
    }
    // Written as a whole or not at all.
    const std::string error = ReplaceFileAtomically(name.toStdString(), std::string_view(bytes.data(), bytes.size()));
    if (!error.empty()) w_.prompter().tell(title.toStdString(), error, Icon::Exclamation);
}

// ---------------------------------------------------------------------------------------
// the summary

void PrintingScreen::mnu_pfile_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const QString name = pickSaveFile_(QString::fromLatin1(kSummaryFileTitle), QtNameFilter(kSummaryFileFilter));
    SummaryToChosenFile(s, w_.prompter(), name.toStdString(), TodayReportDate());
}

void PrintingScreen::mnu_pdoc_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const SummaryReport report = BuildSummaryReport(s, SummaryForm::Printer, TodayReportDate());
    printCopies(QString::fromLatin1(kSummaryPrintTitle), QPageLayout::Portrait, SummaryPrintCopies(copies_),
                [&](QtCanvas& c, QPagedPaintDevice& device) {
                    const double heightMm = c.deviceHeight() / c.dotsPerInch() * 25.4;
                    const std::vector<SummaryPage> pages = SummaryPages(report, heightMm);
                    for (size_t i = 0; i < pages.size(); ++i) {
                        if (i > 0) device.newPage();
                        DrawSummaryPage(c, report, pages[i]);
                    }
                });
}

// ---------------------------------------------------------------------------------------
// the screen

VisibleFrames PrintingScreen::visibleFrames() const {
    const auto shown = [this](const char* name) { return w_.panel(QString::fromLatin1(name))->isVisibleTo(&w_); };
    return VisibleFrames{shown("frm_Hist"), shown("frm_Spectr"), shown("frm_Distr")};
}

void PrintingScreen::mnu_pform_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const VisibleFrames visible = visibleFrames();
    printCopies(QString::fromLatin1(kScreenPrintTitle), QPageLayout::Landscape, SummaryPrintCopies(copies_),
                [&](QtCanvas& c, QPagedPaintDevice&) { DrawScreen(c, s, visible, ScreenTarget::Printer, 1.0); });
}

QImage PrintingScreen::screenPicture() {
    QImage picture(w_.size(), QImage::Format_RGB32);
    // The plots lay out offsets in twips: the picture has the screen's resolution.
    picture.setDotsPerMeterX(static_cast<int>(w_.logicalDpiX() / 0.0254));
    picture.setDotsPerMeterY(static_cast<int>(w_.logicalDpiY() / 0.0254));
    picture.fill(Qt::white);
    {
        QtCanvas c(picture);
        DrawScreen(c, w_.state(), visibleFrames(), ScreenTarget::SavePicture, ScreenTextScale(w_));
    }
    return picture;
}

void PrintingScreen::mnu_szym_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const QString filters = QtNameFilter(kScreenFileFilter) + QStringLiteral(";;") + QtNameFilter(kScreenPngFilter);
    const QString name = pickSaveFile_(QString::fromLatin1(kScreenFileTitle), filters);
    if (name.isEmpty()) return;
    BusyScope busy(w_.prompter());
    w_.prompter().processPendingEvents();
    const QImage picture = screenPicture();
    // The bitmap of the command unless the name asks for PNG.
    const char* format = name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? "PNG" : "BMP";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    if (!picture.save(&buffer, format))
        error = name.toStdString() + ": the picture could not be encoded";
    else
        error = ReplaceFileAtomically(name.toStdString(), std::string_view(bytes.data(), bytes.size()));
    if (!error.empty()) w_.prompter().tell(kScreenFileTitle, error, Icon::Exclamation);
}

void PrintingScreen::mnu_copyscreen_Click() {
    if (w_.state().UiMode != kUiIdle) return;
    // The window as it is now, before any dialog covers it.
    const QImage window = w_.grab().toImage();
    printCopies(QString::fromLatin1(kScreenPrintTitle), QPageLayout::Landscape, 1,
                [&](QtCanvas& c, QPagedPaintDevice&) {
                    const CopyPlacement at =
                        ScreenCopyPlacement(c.deviceWidth(), c.deviceHeight(), window.width(), window.height());
                    c.painter().drawImage(QRectF(at.left, at.top, at.width, at.height), window);
                });
}

}  // namespace karmo
