#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "support/ScriptedPrompter.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"
#include "ui/QtPrompter.h"

namespace karmo {
namespace {

TEST(QtCanvas, UserScaleIsOneAffineMapPerAxis) {
    QImage img(200, 100, QImage::Format_RGB32);
    QtCanvas c(img);
    c.setScale(0, 10, 20, 0);   // y grows upwards
    EXPECT_DOUBLE_EQ(c.xMap().toDevice(0), 0);
    EXPECT_DOUBLE_EQ(c.xMap().toDevice(20), 200);
    EXPECT_DOUBLE_EQ(c.yMap().toDevice(10), 0);
    EXPECT_DOUBLE_EQ(c.yMap().toDevice(0), 100);
    EXPECT_DOUBLE_EQ(c.yMap().toUser(50), 5);
    c.setScale(-5, 3, 5, -3);
    EXPECT_DOUBLE_EQ(c.xMap().toDevice(0), 100);
    EXPECT_DOUBLE_EQ(c.yMap().toDevice(0), 50);
    // a zero span maps every value onto the start instead of dividing by zero
    c.setScale(4, 1, 4, 1);
    EXPECT_DOUBLE_EQ(c.xMap().toDevice(123), 0);
    EXPECT_DOUBLE_EQ(c.yMap().toUser(7), 0);
    EXPECT_EQ(c.textWidth("abc"), 0);
}

TEST(QtCanvas, DrawsInColourAndNotXorUndoesItself) {
    QImage img(100, 100, QImage::Format_RGB32);
    {
        QtCanvas c(img);
        ASSERT_TRUE(c.supportsNotXor());
        c.setScale(0, 100, 100, 0);
        c.clear(0xFFFFFF);
        c.setColor(0x0000FF);   // red
        c.box(10, 90, 30, 70, true);
        c.setColor(0x00FF00);
        c.line(0, 50, 99, 50);
    }
    EXPECT_EQ(QColor(img.pixel(20, 20)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(img.pixel(60, 50)), QColor(0, 255, 0));
    const QImage before = img.copy();
    {
        QtCanvas c(img);
        c.setScale(0, 100, 100, 0);
        c.setColor(0xFFFF80);
        c.setDrawMode(DrawMode::NotXor);
        c.box(5, 95, 60, 40, true);
    }
    EXPECT_NE(img, before);
    {
        QtCanvas c(img);
        c.setScale(0, 100, 100, 0);
        c.setColor(0xFFFF80);
        c.setDrawMode(DrawMode::NotXor);
        c.box(5, 95, 60, 40, true);
    }
    EXPECT_EQ(img, before);
}

TEST(QtCanvas, PrintsToAPdfWithoutNotXor) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plot.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QtCanvas c(printer, true);
        EXPECT_TRUE(c.isPrinter());
        EXPECT_FALSE(c.supportsNotXor());
        EXPECT_GT(c.deviceWidth(), 1000);
        c.setScale(0, 100, 100, 0);
        c.setDrawMode(DrawMode::NotXor);   // draws as copy on paper
        c.setColor(0);
        c.line(0, 0, 100, 100);
        c.setFont(Font{"Arial", 10, true, true});
        c.text(10, 90, "Stress History");
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

TEST(QtCanvas, TextHasAWidthInUserUnits) {
    QImage img(400, 100, QImage::Format_RGB32);
    QtCanvas c(img);
    c.setScale(0, 1000, 4000, 0);   // 10 user units per pixel
    c.setFont(Font{"Arial", 10, false, false});
    const double narrow = c.textWidth("i");
    const double wide = c.textWidth("WWWW");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow * 3);
    EXPECT_GT(c.textHeight("X"), 50);
}

TEST(PlotPicture, KeepsTheDrawingAndReportsTheMouseInUserUnits) {
    PlotPicture pic;
    pic.resize(300, 200);
    pic.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(pic.buffer().size(), QSize(300, 200));
    pic.setBackground(0xFFFFFF);
    pic.draw([](Canvas& c) {
        c.setScale(0, 2000, 3000, 0);
        c.setColor(0x000000);
        c.box(0, 2000, 1500, 1000, true);   // the upper left quarter
    });
    EXPECT_EQ(QColor(pic.buffer().pixel(10, 10)), QColor(Qt::black));
    EXPECT_EQ(QColor(pic.buffer().pixel(290, 190)), QColor(Qt::white));
    double x = -1, y = -1;
    QObject::connect(&pic, &PlotPicture::pressed, [&](Qt::MouseButton, double ux, double uy) {
        x = ux;
        y = uy;
    });
    QTest::mousePress(&pic, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_DOUBLE_EQ(x, 1500);
    EXPECT_DOUBLE_EQ(y, 1500);
    QTest::mouseRelease(&pic, Qt::LeftButton, {}, QPoint(150, 50));
}

TEST(QtColor, ByteOrderIsBlueGreenRed) {
    EXPECT_EQ(ToQColor(0x80FFFF), QColor(0xFF, 0xFF, 0x80));
    for (Color c : {0x000000u, 0xC000C0u, 0x123456u, 0xFFFFFFu}) EXPECT_EQ(FromQColor(ToQColor(c)), c);
}

// ---------------------------------------------------------------------------------------

TEST(FocusEdit, RefusalKeepsTheFocusAndRestores) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* a = new FocusEdit(&host);
    auto* b = new FocusEdit(&host);
    layout->addWidget(a);
    layout->addWidget(b);
    test::ScriptedPrompter prompter;
    int checks = 0, bChecks = 0;
    a->setValidator([&](FocusEdit& e) {
        ++checks;
        if (e.text().toDouble() > 0) return true;
        prompter.tell("Test", "Enter a positive number.", Icon::Critical);
        e.restorePrevious();
        return false;
    });
    b->setValidator([&](FocusEdit&) {
        ++bChecks;
        return true;
    });
    a->setAcceptedText(QStringLiteral("5"));
    host.show();
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    a->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(a->hasFocus());

    a->selectAll();
    QTest::keyClicks(a, QStringLiteral("-3"));
    prompter.expect("Test", "Enter a positive number.");
    QTest::keyClick(a, Qt::Key_Return);   // Enter moves on, which validates
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(a->hasFocus());
    EXPECT_EQ(a->text(), QStringLiteral("5"));
    EXPECT_EQ(bChecks, 0);                 // giving the focus back did not validate b

    a->selectAll();
    QTest::keyClicks(a, QStringLiteral("7"));
    QTest::keyClick(a, Qt::Key_Down);
    EXPECT_EQ(checks, 2);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_EQ(a->previousText(), QStringLiteral("7"));
    QTest::keyClick(b, Qt::Key_Up);
    EXPECT_EQ(bChecks, 1);
    EXPECT_TRUE(a->hasFocus());
}

// ---------------------------------------------------------------------------------------

TEST(QtPrompter, ShowsTheAskedBoxAndReturnsTheButton) {
    struct Case { Buttons buttons; int def; QMessageBox::StandardButton press; Answer answer; };
    const Case cases[] = {
        {Buttons::Ok, 0, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, 1, QMessageBox::Cancel, Answer::Cancel},
        {Buttons::YesNoCancel, 0, QMessageBox::No, Answer::No},
        {Buttons::YesNo, 1, QMessageBox::Yes, Answer::Yes},
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
        const Answer a = p.ask(Prompt{"Exit Program", "Changes in the Database will be lost!", Icon::Exclamation,
                                      c.buttons, c.def});
        EXPECT_EQ(a, c.answer);
        EXPECT_EQ(title, QStringLiteral("Exit Program"));
        EXPECT_EQ(text, QStringLiteral("Changes in the Database will be lost!"));
        EXPECT_EQ(icon, QMessageBox::Warning);
        const QMessageBox::StandardButton order[][3] = {
            {QMessageBox::Ok}, {QMessageBox::Ok, QMessageBox::Cancel},
            {QMessageBox::Yes, QMessageBox::No}, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}};
        EXPECT_EQ(def, order[static_cast<int>(c.buttons)][c.def]);
    }
}

TEST(QtPrompter, BusyIsAnOverrideCursorRestoredAtEveryExit) {
    {
        QtPrompter p;
        p.busy(true);
        p.busy(true);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
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
