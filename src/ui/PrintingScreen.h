#pragma once
#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>

#include "report/ScreenPrint.h"

class QPagedPaintDevice;
class QPrinter;

namespace karmo {

class MainWindow;
class QtCanvas;

// The "&Results" and "Scree&n" commands: the summary and the plots on paper, the plots in
// an image file, and a copy of the window on paper. Without an installed printer the
// paper goes into a PDF file the user names.
class PrintingScreen : public QObject {
    Q_OBJECT
public:
    // Asks for a file to write: (dialog title, name filters as Qt writes them, ";;"
    // between them) -> path, empty when cancelled.
    using SaveFilePicker = std::function<QString(const QString& title, const QString& filter)>;

    explicit PrintingScreen(MainWindow& w);
    ~PrintingScreen() override;

    void setSaveFilePicker(SaveFilePicker pick) { pickSaveFile_ = std::move(pick); }
    // Whether the system has a printer; by default asked of the print system.
    void setPrinterLookup(std::function<bool()> any) { anyPrinter_ = std::move(any); }

    // "Print Setup...": the printer and the number of copies; it prints nothing.
    void mnu_opt_Click();
    // "Print &Screen" > "on &Printer": the visible plots, one landscape page a copy.
    void mnu_pform_Click();
    // "Print &Screen" > "to &File...": the same drawing as an image of the window's size.
    void mnu_szym_Click();
    // "Print Summary" > "on &Printer" and "to File...".
    void mnu_pdoc_Click();
    void mnu_pfile_Click();
    // "&Copy Screen on Printer": the window's image on a landscape page.
    void mnu_copyscreen_Click();

    // The copies of the print commands, as Print Setup left it.
    int copyCount() const { return copies_; }
    QPrinter& printer();

private:
    // The picture "to &File..." saves: the visible plots drawn on an image of the window's size.
    QImage screenPicture();
    // Draws one copy; it may start further pages on the device itself.
    using DrawCopy = std::function<void(QtCanvas&, QPagedPaintDevice&)>;
    // Runs `copies` print jobs, each copy a job of its own on a printer, under the hourglass.
    // Without a printer the copies go one after the other into one PDF file named in a save
    // dialog; its cancel prints nothing.
    void printCopies(const QString& title, QPageLayout::Orientation orientation, int copies,
                     const DrawCopy& draw);
    void printToPdf(const QString& title, const QString& name, const QPageLayout& layout, int copies,
                    const DrawCopy& draw);
    VisibleFrames visibleFrames() const;

    MainWindow& w_;
    SaveFilePicker pickSaveFile_;
    std::function<bool()> anyPrinter_;
    std::unique_ptr<QPrinter> printer_;
    int copies_ = 1;
};

}  // namespace karmo
