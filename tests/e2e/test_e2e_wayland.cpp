// The eyedropper of a Wayland session on the real picker: the window still runs on
// X (XWayland here is Xvfb), and the button asks a stand-in desktop portal on a
// private session bus for one colour. A colour goes to the editor, a cancel changes
// nothing, failures show the error box, and a second click closes a request that
// gets no answer.
#include "Desktop.h"
#include "FakePortal.h"
#include "FlatButtons.h"
#include "Label.h"
#include "LayoutOracle.h"

#include <QtTest>

namespace {

QStringList WaylandSession(const TPrivateBus& Bus, bool WithWaylandDisplay = true)
{
    QStringList Env{"DBUS_SESSION_BUS_ADDRESS=" + Bus.Address(), "XDG_SESSION_TYPE=wayland"};
    if (WithWaylandDisplay)
        Env << "WAYLAND_DISPLAY=tavrin-test-no-such-display";
    return Env;
}

QRect OnScreen(TPicker& Picker, TControl* C)
{
    return TLayoutOracle::InWindow(C).translated(Picker.Geometry().topLeft());
}

// Off the window, so that no control is hovered and no hint shows.
void MoveAway() { Xdotool({"mousemove", "1010", "750"}); }

void ClickSpoit(TPicker& Picker)
{
    const QPoint At = OnScreen(Picker, FrmMain->ftbSpoit).topLeft() + QPoint(4, 4);
    Xdotool({"mousemove", "--sync", QString::number(At.x()), QString::number(At.y())});
    Xdotool({"click", "1"});
    MoveAway();
}

// The button with its caption: its picture tells the rest state from the waiting one.
QImage SpoitPicture(TPicker& Picker) { return Screenshot().copy(OnScreen(Picker, FrmMain->ftbSpoit)); }

// The button's face left of its caption, away from the frame.
QColor SpoitFace(TPicker& Picker)
{
    const QRect B = OnScreen(Picker, FrmMain->ftbSpoit);
    return UniformColour(QRect(B.left() + 2, B.top() + 4, 5, B.height() - 8));
}

QColor Swatch(TPicker& Picker) { return UniformColour(OnScreen(Picker, FrmMain->Label1).adjusted(4, 4, -4, -4)); }

// The HTML code as Ctrl+W copies it; this needs the picker's event loop running.
QString CopiedCode(TPicker& Picker)
{
    Picker.Focus();
    Xdotool({"key", "ctrl+w"});
    return Tool("xclip", {"-selection", "clipboard", "-o"});
}

// A visible window with a name, of the picker's process, other than the main window:
// the error box.
QString OtherWindow(TPicker& Picker)
{
    QProcess Search;
    Search.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(Picker.Process().processId()),
                             "--name", "."});
    Search.waitForFinished();
    for (const QString& W : QString::fromUtf8(Search.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        if (W.trimmed() != Picker.WindowId())
            return W.trimmed();
    return {};
}

QString PortalName(TPicker& Picker) { return "x11:" + QString::number(Picker.WindowId().toULongLong(), 16); }

} // namespace

class TestE2EWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Layout = new TLayoutOracle; }
    void cleanupTestCase() { delete Layout; }
    void init() { MoveAway(); }

    void takesThePortalsColour_data();
    void takesThePortalsColour();
    void cancelAndFailuresChangeNothing_data();
    void cancelAndFailuresChangeNothing();
    void secondClickClosesAnUnansweredRequest();

private:
    TLayoutOracle* Layout = nullptr;
};

void TestE2EWayland::takesThePortalsColour_data()
{
    QTest::addColumn<QStringList>("portal");
    QTest::addColumn<bool>("waylandDisplay");
    QTest::addColumn<QString>("code");
    const QStringList Colour{"--colour", "0.2,0.4,0.6"};
    QTest::newRow("answer after the reply") << Colour << true << "#336699";
    QTest::newRow("answer before the reply") << QStringList{"--answer-first"} + Colour << true << "#336699";
    QTest::newRow("handle path of the portal's own") << QStringList{"--own-handle"} + Colour << true << "#336699";
    QTest::newRow("session type alone") << Colour << false << "#336699";
    QTest::newRow("rounded and clamped") << QStringList{"--colour", "1.2,-0.1,0.5"} << true << "#FF0080";
}

void TestE2EWayland::takesThePortalsColour()
{
    QFETCH(QStringList, portal);
    QFETCH(bool, waylandDisplay);
    QFETCH(QString, code);
    TPrivateBus Bus;
    QVERIFY(!Bus.Address().isEmpty());
    TFakePortal Portal(Bus, portal);
    QVERIFY(Portal.Ready());
    TPicker Picker(WaylandSession(Bus, waylandDisplay));
    QVERIFY2(!Picker.WindowId().isEmpty(), "the picker shows no window on X");
    const QImage Rest = SpoitPicture(Picker);

    ClickSpoit(Picker);
    QTRY_COMPARE_WITH_TIMEOUT(CopiedCode(Picker), code, 10000);
    const QColor Expected(QString("#") + code.mid(1));
    QCOMPARE(Swatch(Picker), Expected);
    QCOMPARE(SpoitFace(Picker), Expected);
    QVERIFY(SpoitPicture(Picker) != Rest);
    QCOMPARE(Portal.Seen("parent_window"), QStringList{PortalName(Picker)});
    QCOMPARE(Portal.Seen("handle").size(), 1);
    QVERIFY(Portal.Seen("close").isEmpty());
    QVERIFY(OtherWindow(Picker).isEmpty());
}

void TestE2EWayland::cancelAndFailuresChangeNothing_data()
{
    QTest::addColumn<bool>("withPortal");
    QTest::addColumn<QStringList>("portal");
    QTest::addColumn<bool>("errorBox");
    QTest::newRow("cancelled") << true << QStringList{"--cancel"} << false;
    QTest::newRow("portal's error") << true << QStringList{"--error"} << true;
    QTest::newRow("portal without PickColor") << true << QStringList{"--no-pick-color"} << true;
    QTest::newRow("no portal") << false << QStringList{} << true;
}

void TestE2EWayland::cancelAndFailuresChangeNothing()
{
    QFETCH(bool, withPortal);
    QFETCH(QStringList, portal);
    QFETCH(bool, errorBox);
    TPrivateBus Bus;
    QVERIFY(!Bus.Address().isEmpty());
    std::unique_ptr<TFakePortal> Portal;
    if (withPortal) {
        Portal = std::make_unique<TFakePortal>(Bus, portal);
        QVERIFY(Portal->Ready());
    }
    TPicker Picker(WaylandSession(Bus));
    QVERIFY(!Picker.WindowId().isEmpty());
    const QImage Rest = SpoitPicture(Picker);

    ClickSpoit(Picker);
    if (errorBox) {
        QString Box;
        QTRY_VERIFY_WITH_TIMEOUT(!(Box = OtherWindow(Picker)).isEmpty(), 10000);
        Xdotool({"windowfocus", "--sync", Box});
        Xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(OtherWindow(Picker).isEmpty(), 10000);
    } else {
        // Once the portal has the request, the rest caption again means it answered.
        QTRY_VERIFY_WITH_TIMEOUT(!Portal->Seen("handle").isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(SpoitPicture(Picker) == Rest, 10000);
        QVERIFY(OtherWindow(Picker).isEmpty());
    }
    // Every answer of the stand-in carries #336699; none of it arrives.
    QCOMPARE(SpoitPicture(Picker), Rest);
    QCOMPARE(CopiedCode(Picker), QString("#000000"));
    QCOMPARE(Swatch(Picker), QColor(Qt::black));
}

void TestE2EWayland::secondClickClosesAnUnansweredRequest()
{
    TPrivateBus Bus;
    TFakePortal Portal(Bus, {"--silent"});
    QVERIFY(Portal.Ready());
    TPicker Picker(WaylandSession(Bus));
    QVERIFY(!Picker.WindowId().isEmpty());
    const QImage Rest = SpoitPicture(Picker);

    ClickSpoit(Picker);
    QTRY_COMPARE_WITH_TIMEOUT(Portal.Seen("handle").size(), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(SpoitPicture(Picker) != Rest, 10000); // the waiting caption
    // The window goes on working while the request is out.
    QCOMPARE(CopiedCode(Picker), QString("#000000"));
    QVERIFY(SpoitPicture(Picker) != Rest);

    ClickSpoit(Picker);
    QTRY_COMPARE_WITH_TIMEOUT(Portal.Seen("close"), Portal.Seen("handle"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(SpoitPicture(Picker) == Rest, 10000);

    // The next click is a new request, not the end of the old one.
    ClickSpoit(Picker);
    QTRY_COMPARE_WITH_TIMEOUT(Portal.Seen("handle").size(), 2, 10000);
    QCOMPARE(Portal.Seen("close").size(), 1);
    QVERIFY(OtherWindow(Picker).isEmpty());
}

QTEST_MAIN(TestE2EWayland)
#include "test_e2e_wayland.moc"
