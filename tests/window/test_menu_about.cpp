// The File and Help commands: exit, the About box shown modally, the web site.
#include "Clipboard.h"
#include "FlatButtons.h"
#include "Image.h"
#include "Label.h"
#include "Menus.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "Timer.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QUrl>
#include <QtTest>

// Receives the addresses the program asks the desktop to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& Url) { Opened << Url; }
};

class TestMenuAbout : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Fixture = new TPickerFixture;
        FrmMain->show();
        QVERIFY(QTest::qWaitForWindowActive(FrmMain));
    }
    void cleanup()
    {
        delete Fixture;
        TEventLog::Stop();
    }

    void exitEndsTheLoopAndDestroysOnce_data();
    void exitEndsTheLoopAndDestroysOnce();
    void aboutBoxSettings();
    void aboutIsModalAndKeysDoNotCloseIt();
    void aboutReopensWhereItWasLeft();
    void webSiteOpensTheFixedAddress();

private:
    // Runs Body once the About box is up inside its modal loop, then closes it.
    void WhileAboutIsUp(const std::function<void()>& Body);
    TPickerFixture* Fixture = nullptr;
};

void TestMenuAbout::WhileAboutIsUp(const std::function<void()>& Body)
{
    bool Ran = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(About->isVisible() && About->isActiveWindow());
        Body();
        Ran = true;
        About->close();
    });
    FrmMain->About1->Action()->trigger();
    QVERIFY(Ran);
    QVERIFY(About->isHidden());
}

void TestMenuAbout::exitEndsTheLoopAndDestroysOnce_data()
{
    QTest::addColumn<bool>("modeOn");
    QTest::newRow("mode off") << false;
    QTest::newRow("mode on") << true;
}

void TestMenuAbout::exitEndsTheLoopAndDestroysOnce()
{
    QFETCH(bool, modeOn);
    if (modeOn)
        FrmMain->ftbSpoit->click();
    TEventLog::Start();
    QTimer::singleShot(30, [] { FrmMain->Exit1->Action()->trigger(); });
    QCOMPARE(Fixture->App.Run(), 0);
    QVERIFY(FrmMain->isHidden());
    QCOMPARE(TEventLog::Events.contains("Timer1"), modeOn);
    TEventLog::Events.clear();
    Fixture->App.DestroyForms();
    QCOMPARE(TEventLog::Events, QStringList{"FrmMain"}); // OnDestroy, once; no tick after
    QTest::qWait(30);
    QCOMPARE(TEventLog::Events, QStringList{"FrmMain"});
}

void TestMenuAbout::aboutBoxSettings()
{
    QCOMPARE(About->Caption(), QString("About.."));
    const Qt::WindowFlags Flags = About->windowFlags();
    QVERIFY(Flags & Qt::Dialog);
    QVERIFY(Flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(Flags & Qt::WindowMinimizeButtonHint) && !(Flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(About->size(), QSize(284, 171));
    QCOMPARE(About->minimumSize(), About->maximumSize());
    QCOMPARE(About->Image1->Picture(), QImage(":/res/about.png"));
    QCOMPARE(About->Image1->Widget().geometry(), QRect(0, 0, 289, 177));
    QImage Shown(About->size(), QImage::Format_RGB32);
    About->render(&Shown);
    QCOMPARE(Shown.pixel(0, 0), About->Image1->Picture().pixel(0, 0));
    QCOMPARE(Shown.pixel(282, 169), About->Image1->Picture().pixel(282, 169));
    QCOMPARE(Shown.pixelColor(283, 50), ColorToQColor(clBtnFace)); // last column
    QCOMPARE(Shown.pixelColor(50, 170), ColorToQColor(clBtnFace)); // last row
}

void TestMenuAbout::aboutIsModalAndKeysDoNotCloseIt()
{
    QGuiApplication::clipboard()->setText("untouched", QClipboard::Clipboard);
    FrmMain->ftbSpoit->click(); // ticks go on while the box is up
    WhileAboutIsUp([] {
        QTest::keyClick(About->windowHandle(), Qt::Key_Escape);
        QTest::keyClick(About->windowHandle(), Qt::Key_Return);
        QVERIFY(About->isVisible());
        QTest::keyClick(FrmMain->windowHandle(), Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(FrmMain->windowHandle(), Qt::Key_S, Qt::ControlModifier);
        // Through the window system, as a real click comes (straight to the widget
        // would pass the modal block by).
        QTest::mouseClick(FrmMain->windowHandle(), Qt::LeftButton, {},
                          FrmMain->ftbSpoit->mapTo(FrmMain, QPoint(5, 5)));
        QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Clipboard), QString("untouched"));
        QCOMPARE(FrmMain->lblMsg->Caption(), QString());
        TEventLog::Start();
        QTest::qWait(50);
        TEventLog::Stop();
        QVERIFY(TEventLog::Events.contains("Timer1"));
        QVERIFY(FrmMain->Timer1->Enabled()); // the click did not reach the button
    });
}

void TestMenuAbout::aboutReopensWhereItWasLeft()
{
    QPoint First;
    WhileAboutIsUp([&] {
        First = About->pos();
        const QRect Desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        QCOMPARE(About->pos(), Desktop.topLeft() + QPoint(Desktop.width() - 284, Desktop.height() - 171) / 2);
        About->move(30, 40);
    });
    WhileAboutIsUp([] { QCOMPARE(About->pos(), QPoint(30, 40)); });
}

void TestMenuAbout::webSiteOpensTheFixedAddress()
{
    TUrlCatcher Catcher;
    QDesktopServices::setUrlHandler("https", &Catcher, "Open");
    FrmMain->Web2->Action()->trigger();
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(Catcher.Opened, QList<QUrl>{QUrl(AuthorWebSite)});
    // With no handler and no browser the command does nothing visible.
    FrmMain->Web2->Action()->trigger();
    QVERIFY(FrmMain->isVisible());
}

QTEST_MAIN(TestMenuAbout)
#include "test_menu_about.moc"
