// The web-safe palette page: presses on the picture, the greying of the HTML code
// and its button, and page switches.
#include "Clipboard.h"
#include "FlatButtons.h"
#include "Image.h"
#include "Label.h"
#include "PageControl.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "Timer.h"

#include <QClipboard>
#include <QTabBar>
#include <QtTest>

class TestPalettePage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Fixture = new TPickerFixture;
        FrmMain->show();
        QVERIFY(QTest::qWaitForWindowActive(FrmMain));
        FrmMain->sclRed->SetPosition(200);
        FrmMain->sclGreen->SetPosition(100);
        FrmMain->sclBlue->SetPosition(30);
        QTest::mouseClick(FrmMain->PageControl1->tabBar(), Qt::LeftButton, {},
                          FrmMain->PageControl1->tabBar()->tabRect(1).center());
        QCOMPARE(FrmMain->PageControl1->ActivePage(), FrmMain->TabSheet2);
    }
    void cleanup() { delete Fixture; }

    void pictureIsShownAsStored();
    void press_data();
    void press();
    void pressGreysOnlyOutsideTheMode();
    void pageSwitchEnablesBothAgain();
    void barChangeReplacesTheWebSafeCode();

private:
    TPickerFixture* Fixture = nullptr;
};

void TestPalettePage::pictureIsShownAsStored()
{
    QCOMPARE(FrmMain->Image1->Picture().size(), QSize(200, 121));
    QCOMPARE(FrmMain->Image1->Picture(), QImage(":/res/palette.png"));
    QImage Shown(FrmMain->Image1->size(), QImage::Format_RGB32);
    FrmMain->Image1->render(&Shown);
    for (int Y : {0, 6, 60, 120}) {
        for (int X : {0, 5, 150, 199})
            QCOMPARE(Shown.pixel(X, Y), FrmMain->Image1->Picture().pixel(X, Y));
        QCOMPARE(Shown.pixelColor(200, Y), ColorToQColor(clBtnFace)); // the page shows through
    }
}

void TestPalettePage::press_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("code");
    QTest::newRow("top-left cell") << QPoint(4, 6) << Qt::LeftButton << "#000000";
    QTest::newRow("row 0 column 1") << QPoint(13, 6) << Qt::LeftButton << "#000033";
    QTest::newRow("row 1 column 0") << QPoint(4, 18) << Qt::LeftButton << "#0099CC";
    QTest::newRow("row 5 column 0") << QPoint(8, 71) << Qt::LeftButton << "#990066";
    QTest::newRow("row 9 column 16") << QPoint(149, 115) << Qt::LeftButton << "#FFFFCC";
    QTest::newRow("row 9 column 17") << QPoint(158, 114) << Qt::LeftButton << "#FFFFFF";
    QTest::newRow("grid line") << QPoint(9, 50) << Qt::LeftButton << "#000000";
    QTest::newRow("grey area") << QPoint(170, 115) << Qt::LeftButton << "#CCCCCC";
    QTest::newRow("x = 199") << QPoint(199, 3) << Qt::LeftButton << "#CCCCCC";
    QTest::newRow("x = 200, beyond the picture") << QPoint(200, 60) << Qt::LeftButton << "#FFFFFF";
    QTest::newRow("right button") << QPoint(13, 6) << Qt::RightButton << "#000033";
    QTest::newRow("middle button") << QPoint(4, 18) << Qt::MiddleButton << "#0099CC";
}

void TestPalettePage::press()
{
    QFETCH(QPoint, at);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, code);
    QTest::mousePress(FrmMain->Image1, button, Qt::ShiftModifier, at);
    QCOMPARE(FrmMain->lblWebSafe->Caption(), code);
    const TColor Swatch = FrmMain->lblSWebSafe->Color();
    QCOMPARE(QString("#%1").arg(RedOf(Swatch) << 16 | GreenOf(Swatch) << 8 | BlueOf(Swatch), 6, 16, QChar('0')).toUpper(), code);
    // The colour being edited is left alone.
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#C8641E"));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x1E64C8));
    QCOMPARE(FrmMain->sclRed->Position(), 200);
    QCOMPARE(FrmMain->lblMsg->Caption(), QString());
}

void TestPalettePage::pressGreysOnlyOutsideTheMode()
{
    QTest::mousePress(FrmMain->Image1, Qt::LeftButton, {}, QPoint(13, 6));
    QVERIFY(!FrmMain->fbtHTML->Enabled() && !FrmMain->lblHtmlCode->Enabled());
    QVERIFY(FrmMain->fbtWebSafe->Enabled());
    // The menu and its shortcut still copy the code of the bars.
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Clipboard), QString("#C8641E"));
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Clipboard), QString("#000033"));
    // In the mode a press enables both, and the mode stays on.
    FrmMain->Timer1->SetEnabled(true);
    QTest::mousePress(FrmMain->Image1, Qt::LeftButton, {}, QPoint(4, 18));
    QVERIFY(FrmMain->fbtHTML->Enabled() && FrmMain->lblHtmlCode->Enabled());
    QVERIFY(FrmMain->Timer1->Enabled());
    QCOMPARE(FrmMain->lblWebSafe->Caption(), QString("#0099CC"));
}

void TestPalettePage::pageSwitchEnablesBothAgain()
{
    QTest::mousePress(FrmMain->Image1, Qt::LeftButton, {}, QPoint(13, 6));
    TEventLog::Start();
    QTest::keyClick(FrmMain->PageControl1->tabBar(), Qt::Key_Left); // from the keyboard
    TEventLog::Stop();
    QCOMPARE(FrmMain->PageControl1->ActivePage(), FrmMain->TabSheet1);
    QVERIFY(TEventLog::Events.contains("PageControl1"));
    QVERIFY(FrmMain->fbtHTML->Enabled() && FrmMain->lblHtmlCode->Enabled());
    QCOMPARE(FrmMain->lblWebSafe->Caption(), QString("#000033")); // kept
}

void TestPalettePage::barChangeReplacesTheWebSafeCode()
{
    QTest::mousePress(FrmMain->Image1, Qt::LeftButton, {}, QPoint(13, 6));
    FrmMain->PageControl1->setCurrentIndex(0);
    FrmMain->sclGreen->SetPosition(101);
    QCOMPARE(FrmMain->lblWebSafe->Caption(), QString("#CC6633"));
    QCOMPARE(FrmMain->lblSWebSafe->Color(), TColor(0x3366CC));
}

QTEST_MAIN(TestPalettePage)
#include "test_palette_page.moc"
