#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"
#include "ui/QtPrompter.h"

namespace karmo {
namespace {

TEST(QtCanvas, ScaleGuardAndColourOrder) {
    QImage img(200, 100, QImage::Format_RGB32);
    QtCanvas c(img);
    c.setScale(-5, 3, 5, -3);   // y grows upwards
    EXPECT_EQ(QPointF(c.xMap().toDevice(0), c.yMap().toDevice(3)), QPointF(100, 0));
    c.setScale(4, 1, 4, 1);     // a zero span maps onto the start instead of dividing by zero
    EXPECT_EQ(QPointF(c.xMap().toDevice(123), c.yMap().toUser(7)), QPointF(0, 0));
    EXPECT_EQ(ToQColor(0x80FFFF), QColor(0xFF, 0xFF, 0x80));   // stored blue-green-red
    for (Color k : {0x000000u, 0xC000C0u, 0x123456u, 0xFFFFFFu}) EXPECT_EQ(FromQColor(ToQColor(k)), k);
}

TEST(QtCanvas, NotXorUndoesItselfOnScreenAndDrawsAsCopyOnPaper) {
    QImage img(100, 100, QImage::Format_RGB32);
    auto draw = [&](DrawMode mode, Color colour, auto&& what) {
        QtCanvas c(img);
        c.setScale(0, 100, 100, 0);
        c.setDrawMode(mode);
        c.setColor(colour);
        what(c);
    };
    draw(DrawMode::Copy, 0xFFFFFF, [](Canvas& c) { c.clear(0xFFFFFF); });
    draw(DrawMode::Copy, 0x0000FF, [](Canvas& c) { c.box(10, 90, 30, 70, true); });
    EXPECT_EQ(QColor(img.pixel(20, 20)), QColor(255, 0, 0));
    const QImage before = img.copy();
    auto band = [](Canvas& c) { c.box(5, 95, 60, 40, true); };
    draw(DrawMode::NotXor, 0xFFFF80, band);
    EXPECT_NE(img, before);
    draw(DrawMode::NotXor, 0xFFFF80, band);
    EXPECT_EQ(img, before);

    QTemporaryDir dir;
    const QString path = dir.filePath("plot.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QtCanvas c(printer, true);
        EXPECT_TRUE(c.isPrinter());
        EXPECT_FALSE(c.supportsNotXor());   // the PDF engine would ignore the raster operation
        c.setScale(0, 100, 100, 0);
        c.setDrawMode(DrawMode::NotXor);
        c.line(0, 0, 100, 100);
        c.setFont(Font{"Arial", 10, true, true});
        c.text(10, 90, "Stress History");
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

// A refused box keeps the focus with its previous text; giving the focus back does not
// validate the box that had just received it.
TEST(FocusEdit, RefusalKeepsTheFocusAndRestores) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* a = new FocusEdit(&host);
    auto* b = new FocusEdit(&host);
    layout->addWidget(a);
    layout->addWidget(b);
    test::ScriptedPrompter prompter;
    int aChecks = 0, bChecks = 0;
    a->setValidator([&](FocusEdit& e) {
        ++aChecks;
        if (e.text().toDouble() > 0) return true;
        prompter.tell("Test", "Enter a positive number.", Icon::Critical);
        e.restorePrevious();
        return false;
    });
    b->setValidator([&](FocusEdit&) { return ++bChecks > 0; });
    a->setAcceptedText("5");
    host.show();
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    a->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(a->hasFocus());

    a->selectAll();
    QTest::keyClicks(a, "-3");
    prompter.expect("Test", "Enter a positive number.");
    QTest::keyClick(a, Qt::Key_Return);   // Enter moves on, which validates
    EXPECT_EQ(aChecks, 1);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(a->text(), "5");
    EXPECT_EQ(bChecks, 0);

    a->selectAll();
    QTest::keyClicks(a, "7");
    QTest::keyClick(a, Qt::Key_Down);
    EXPECT_EQ(aChecks, 2);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(a->previousText(), "7");
    QTest::keyClick(b, Qt::Key_Up);
    EXPECT_EQ(bChecks, 1);
    EXPECT_TRUE(a->hasFocus());
}

TEST(QtPrompter, ShowsTheAskedBoxAndReturnsTheButton) {
    struct Case { Buttons buttons; int def; QMessageBox::StandardButton defButton, press; Answer answer; };
    const Case cases[] = {
        {Buttons::Ok, 0, QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, 1, QMessageBox::Cancel, QMessageBox::Cancel, Answer::Cancel},
        {Buttons::YesNoCancel, 0, QMessageBox::Yes, QMessageBox::No, Answer::No},
        {Buttons::YesNo, 1, QMessageBox::No, QMessageBox::Yes, Answer::Yes},
    };
    for (const Case& c : cases) {
        QtPrompter p;
        QString title, text;
        QMessageBox::StandardButton def = QMessageBox::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            def = box->standardButton(box->defaultButton());
            box->button(c.press)->click();
        });
        EXPECT_EQ(p.ask(Prompt{"Exit Program", "Changes in the Database will be lost!", Icon::Exclamation, c.buttons,
                               c.def}),
                  c.answer);
        EXPECT_EQ(title, "Exit Program");
        EXPECT_EQ(text, "Changes in the Database will be lost!");
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(def, c.defButton);
    }
}

TEST(QtPrompter, BusyIsAnOverrideCursorRestoredAtEveryExit) {
    {
        QtPrompter p;
        p.busy(true);
        p.busy(true);
        p.busy(false);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        p.busy(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        p.busy(false);   // one too many does no harm
        p.busy(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);   // the prompter's end restores it
}

}  // namespace
}  // namespace karmo
