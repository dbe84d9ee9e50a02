// What a Wayland session changes, in-process: the platform the picker chooses at
// start-up, the portal's colour channels as bytes, and the main window's eyedropper
// in the portal mode when no portal can be reached.
#include "FlatButtons.h"
#include "Label.h"
#include "PickerFixture.h"
#include "PortalColorPicker.h"
#include "ScrollBar.h"
#include "SessionKind.h"
#include "Timer.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

const QByteArrayList SessionVariables{"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY", "QT_QPA_PLATFORM"};

// Sets the variables for one case and puts the old values back afterwards.
class TEnvironment {
public:
    explicit TEnvironment(const QMap<QByteArray, QByteArray>& Values)
    {
        for (const QByteArray& Name : SessionVariables) {
            if (qEnvironmentVariableIsSet(Name.constData()))
                FSaved[Name] = qgetenv(Name.constData());
            if (Values.contains(Name))
                qputenv(Name.constData(), Values[Name]);
            else
                qunsetenv(Name.constData());
        }
    }
    ~TEnvironment()
    {
        for (const QByteArray& Name : SessionVariables)
            if (FSaved.contains(Name))
                qputenv(Name.constData(), FSaved[Name]);
            else
                qunsetenv(Name.constData());
    }

private:
    QMap<QByteArray, QByteArray> FSaved;
};

using TVars = QMap<QByteArray, QByteArray>;

} // namespace

class TestWayland : public QObject {
    Q_OBJECT
private slots:
    void choosesThePlatformAtStartUp_data();
    void choosesThePlatformAtStartUp();
    void channelBytes_data();
    void channelBytes();
    void portalModeWithoutAPortal();
};

void TestWayland::choosesThePlatformAtStartUp_data()
{
    QTest::addColumn<TVars>("env");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QByteArray>("platform"); // QT_QPA_PLATFORM afterwards, empty for unset
    const QByteArray X = ":0";
    QTest::newRow("X11 session") << TVars{{"DISPLAY", X}, {"XDG_SESSION_TYPE", "x11"}} << QStringList{} << false
                                 << QByteArray();
    QTest::newRow("no session type") << TVars{{"DISPLAY", X}} << QStringList{} << false << QByteArray();
    QTest::newRow("Wayland display") << TVars{{"DISPLAY", X}, {"WAYLAND_DISPLAY", "wayland-0"}} << QStringList{}
                                     << true << QByteArray("xcb");
    QTest::newRow("Wayland session type") << TVars{{"DISPLAY", X}, {"XDG_SESSION_TYPE", "wayland"}}
                                          << QStringList{} << true << QByteArray("xcb");
    QTest::newRow("the user's platform") << TVars{{"DISPLAY", X}, {"WAYLAND_DISPLAY", "wayland-0"},
                                                  {"QT_QPA_PLATFORM", "wayland"}}
                                         << QStringList{} << true << QByteArray("wayland");
    QTest::newRow("the user's -platform") << TVars{{"DISPLAY", X}, {"WAYLAND_DISPLAY", "wayland-0"}}
                                          << QStringList{"-platform", "wayland"} << true << QByteArray();
    QTest::newRow("the user's --platform") << TVars{{"DISPLAY", X}, {"XDG_SESSION_TYPE", "wayland"}}
                                           << QStringList{"--platform", "offscreen"} << true << QByteArray();
    QTest::newRow("no XWayland") << TVars{{"WAYLAND_DISPLAY", "wayland-0"}} << QStringList{} << true
                                 << QByteArray();
}

void TestWayland::choosesThePlatformAtStartUp()
{
    QFETCH(TVars, env);
    QFETCH(QStringList, args);
    QFETCH(bool, wayland);
    QFETCH(QByteArray, platform);
    TEnvironment Env(env);
    QList<QByteArray> Storage{"tpicker"};
    for (const QString& A : args)
        Storage << A.toUtf8();
    std::vector<char*> Argv;
    for (QByteArray& A : Storage)
        Argv.push_back(A.data());
    StartSession(int(Argv.size()), Argv.data());
    QCOMPARE(SessionKind() == TSessionKind::Wayland, wayland);
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), platform);
}

void TestWayland::channelBytes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("byte");
    const double Nan = std::numeric_limits<double>::quiet_NaN();
    const double Inf = std::numeric_limits<double>::infinity();
    QTest::newRow("0.0") << 0.0 << 0;
    QTest::newRow("1.0") << 1.0 << 255;
    QTest::newRow("0.5 rounds up") << 0.5 << 128;
    QTest::newRow("0.2") << 0.2 << 51;
    QTest::newRow("0.1999 rounds to 51") << 0.1999 << 51;
    QTest::newRow("0.1999... just below 0.2") << std::nextafter(0.2, 0.0) << 51;
    QTest::newRow("0.6") << 0.6 << 153;
    QTest::newRow("just under a half step") << 127.49 / 255 << 127;
    QTest::newRow("just over a half step") << 127.51 / 255 << 128;
    QTest::newRow("0.002 rounds to 1") << 0.002 << 1;
    QTest::newRow("slightly below 0") << -0.0001 << 0;
    QTest::newRow("slightly above 1") << 1.0001 << 255;
    QTest::newRow("far below") << -3.0 << 0;
    QTest::newRow("far above") << 7.0 << 255;
    QTest::newRow("-infinity") << -Inf << 0;
    QTest::newRow("+infinity") << Inf << 255;
    QTest::newRow("NaN") << Nan << 0;
}

void TestWayland::channelBytes()
{
    QFETCH(double, value);
    QFETCH(int, byte);
    QCOMPARE(int(platform::PortalChannelByte(value)), byte);
}

// No session bus at all: the button's click shows the one message and the window
// goes back to its rest caption with the colour untouched.
void TestWayland::portalModeWithoutAPortal()
{
    TEnvironment Env({{"XDG_SESSION_TYPE", "wayland"}, {"QT_QPA_PLATFORM", "offscreen"}});
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tavrin-test-bus");
    char Program[] = "tpicker";
    char* Argv[] = {Program, nullptr};
    StartSession(1, Argv);
    QCOMPARE(SessionKind(), TSessionKind::Wayland);
    TPickerFixture Fixture;
    FrmMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(FrmMain));
    const QString Rest = FrmMain->lblSpoitMsg->Caption();
    QCOMPARE(Rest, QString::fromUtf8("クリックで\r\n色を選択"));
    QVERIFY(FrmMain->ftbSpoit->Hint() != QString::fromUtf8("画面上の色を取得します"));
    FrmMain->sclRed->SetPosition(10);

    TErrorBoxWatcher Watcher;
    QTest::mouseClick(FrmMain->ftbSpoit, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(Watcher.Texts.size(), 1);
    QVERIFY(Watcher.Texts.first().contains(QString::fromUtf8("デスクトップの色選択")));
    QCOMPARE(FrmMain->lblSpoitMsg->Caption(), Rest);
    QVERIFY(!FrmMain->Timer1->Enabled()); // the live mode of X11 never starts
    QCOMPARE(FrmMain->sclRed->Position(), 10);
    QCOMPARE(FrmMain->ftbSpoit->Color(), clBtnFace);
}

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
