// The File and Help menus and the About box on the real picker, under a real window
// manager (openbox): exit from the menu, the modal About box where it opens and
// reopens, and the web site handed to a stand-in browser through xdg-open.
#include "Desktop.h"
#include "FlatButtons.h"
#include "Label.h"
#include "LayoutOracle.h"
#include "TavrinPicker.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

// Polls Condition while the test's own events run; true once it holds.
template <class TCondition> bool Eventually(TCondition Condition, int TimeoutMs = 10000)
{
    for (int Waited = 0; Waited < TimeoutMs; Waited += 50) {
        if (Condition())
            return true;
        QTest::qWait(50);
    }
    return Condition();
}

// Like Tool(), for programs whose failure is an answer (xdotool search finds nothing).
QString Output(const QString& Program, const QStringList& Args,
               const QProcessEnvironment& Env = QProcessEnvironment::systemEnvironment())
{
    QProcess P;
    P.setProcessEnvironment(Env);
    P.start(Program, Args);
    if (!P.waitForFinished(10000))
        P.kill();
    P.waitForFinished();
    return QString::fromUtf8(P.readAllStandardOutput()).trimmed();
}

QStringList VisibleWindowsOf(TPicker& Picker)
{
    const QString Pid = QString::number(Picker.Process().processId());
    return Output("xdotool", {"search", "--onlyvisible", "--pid", Pid}).split('\n', Qt::SkipEmptyParts);
}

QString AboutWindow(TPicker& Picker)
{
    const QString Pid = QString::number(Picker.Process().processId());
    return Output("xdotool", {"search", "--all", "--onlyvisible", "--pid", Pid, "--name", "^About\\.\\.$"})
        .section('\n', 0, 0);
}

QString ActiveWindow() { return Output("xdotool", {"getactivewindow"}); }
QString ClientList() { return Output("xprop", {"-root", "_NET_CLIENT_LIST"}); }

// The field after Name in an X window's xwininfo report.
QString Field(const QString& Report, const QString& Name)
{
    const int At = Report.indexOf(Name);
    return At < 0 ? QString() : Report.mid(At + Name.size()).section('\n', 0, 0).trimmed();
}

QString WindowReport(const QString& Id) { return Output("xwininfo", {"-id", Id}); }

bool IsViewable(const QString& Id) { return Field(WindowReport(Id), "Map State:") == "IsViewable"; }

// The client area of an X window on the screen, without the frame.
QRect ClientRect(const QString& Id)
{
    const QString R = WindowReport(Id);
    return {Field(R, "Absolute upper-left X:").toInt(), Field(R, "Absolute upper-left Y:").toInt(),
            Field(R, "Width:").toInt(), Field(R, "Height:").toInt()};
}

// What the window manager's frame adds on each side (_NET_FRAME_EXTENTS).
QMargins FrameExtents(const QString& Id)
{
    const QStringList N = Output("xprop", {"-id", Id, "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    if (N.size() != 4)
        return {};
    return {N[0].toInt(), N[2].toInt(), N[1].toInt(), N[3].toInt()}; // left, right, top, bottom
}

void Keys(const QStringList& Sequence)
{
    Xdotool(QStringList{"key", "--delay", "50"} + Sequence);
}

void MoveTo(const QPoint& P) { Xdotool({"mousemove", "--sync", QString::number(P.x()), QString::number(P.y())}); }

void ClickAt(const QPoint& P)
{
    MoveTo(P);
    Xdotool({"click", "1"});
}

void SetRoot(const QString& Colour) { Tool("xsetroot", {"-solid", Colour}); }

QString ClipboardText() { return Output("xclip", {"-selection", "clipboard", "-o"}); }

// Another client owns the clipboard with Text (xclip stays behind to serve it).
void ClipboardElsewhere(const QString& Text)
{
    QTemporaryFile File;
    QVERIFY(File.open());
    File.write(Text.toUtf8());
    File.flush();
    Tool("xclip", {"-selection", "clipboard", File.fileName()});
}

// Opens a menu of the menu bar with its access key, waits until it is up, then
// chooses the item by its access key.
bool ChooseFromMenu(TPicker& Picker, const QString& MenuKey, const QString& ItemKey)
{
    const qsizetype Before = VisibleWindowsOf(Picker).size();
    Keys({MenuKey});
    if (!Eventually([&] { return VisibleWindowsOf(Picker).size() > Before; }))
        return false;
    Keys({ItemKey});
    return true;
}

// Alt+H A, and the About box's window once it is up.
QString OpenAbout(TPicker& Picker)
{
    QString Id;
    if (ChooseFromMenu(Picker, "alt+h", "a"))
        Eventually([&] { return !(Id = AboutWindow(Picker)).isEmpty(); });
    return Id;
}

bool WritePlain(const QString& Path, const QByteArray& Text, bool Executable = false)
{
    QFile F(Path);
    if (!F.open(QIODevice::WriteOnly) || F.write(Text) != Text.size())
        return false;
    F.close();
    return !Executable || F.setPermissions(F.permissions() | QFileDevice::ExeOwner);
}

// Openbox on the test's display, with its default configuration and one rule.
// Openbox by itself centres a dialog on the screen, which would hide an About box
// that does not centre itself; the rule sends one that names no place of its own
// to the top-left corner instead.
class TWindowManager {
public:
    bool Start()
    {
        QFile Default("/etc/xdg/openbox/rc.xml");
        if (!Default.open(QIODevice::ReadOnly) || !QDir(FConfig.path()).mkpath("openbox"))
            return false;
        QByteArray Rc = Default.readAll();
        const qsizetype End = Rc.lastIndexOf("</applications>");
        if (End < 0)
            return false;
        Rc.insert(End, R"(<application title="About.."><position force="no"><x>0</x><y>0</y></position></application>
)");
        if (!WritePlain(FConfig.filePath("openbox/rc.xml"), Rc))
            return false;
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert("XDG_CONFIG_HOME", FConfig.path());
        FProcess.setProcessEnvironment(Env);
        FProcess.setStandardOutputFile(QProcess::nullDevice());
        FProcess.setStandardErrorFile(QProcess::nullDevice()); // its note about a menu file
        FProcess.start("openbox", {"--sm-disable"});
        if (!FProcess.waitForStarted())
            return false;
        // It has taken the screen once the root names its check window and that
        // window calls itself Openbox.
        return Eventually([] {
            const QString Check = Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).section('#', 1).trimmed();
            return !Check.isEmpty() &&
                   Output("xprop", {"-id", Check, "_NET_WM_NAME"}).contains("\"Openbox\"");
        });
    }
    void Stop()
    {
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000)) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }

private:
    QTemporaryDir FConfig;
    QProcess FProcess;
};

QRect InWindow(TControl* C) { return TLayoutOracle::InWindow(C); }

// The strip of the eyedropper button's face left of its caption.
QColor SpoitFace(const QRect& Button)
{
    return UniformColour(QRect(Button.left() + 2, Button.top() + 4, 5, Button.height() - 8));
}

} // namespace

class TestE2EMenuAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void exitFromTheFileMenu_data();
    void exitFromTheFileMenu();
    void aboutIsCentredModalAndLeavesTheEyedropperRunning();
    void aboutReopensWhereItWasMoved_data();
    void aboutReopensWhereItWasMoved();
    void webSiteGoesToTheBrowser_data();
    void webSiteGoesToTheBrowser();

private:
    TLayoutOracle* Layout = nullptr;
    TWindowManager Wm;
};

void TestE2EMenuAbout::initTestCase()
{
    QVERIFY2(Wm.Start(), "openbox did not take the screen");
    Layout = new TLayoutOracle;
}

void TestE2EMenuAbout::cleanupTestCase()
{
    delete Layout;
    Wm.Stop();
}

void TestE2EMenuAbout::exitFromTheFileMenu_data()
{
    QTest::addColumn<bool>("eyedropper");
    QTest::addColumn<bool>("aboutFirst");
    QTest::newRow("plain") << false << false;
    QTest::newRow("eyedropper on") << true << false;
    QTest::newRow("after the About box was closed") << false << true;
}

void TestE2EMenuAbout::exitFromTheFileMenu()
{
    QFETCH(bool, eyedropper);
    QFETCH(bool, aboutFirst);
    TPicker Picker;
    QVERIFY(!Picker.WindowId().isEmpty());
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    if (eyedropper) {
        ClickAt(Picker.Geometry().topLeft() + InWindow(FrmMain->ftbSpoit).topLeft() + QPoint(4, 4));
        MoveTo(QPoint(1200, 80));
    }
    if (aboutFirst) {
        const QString Box = OpenAbout(Picker);
        QVERIFY(!Box.isEmpty());
        Keys({"alt+F4"});
        QTRY_VERIFY(AboutWindow(Picker).isEmpty());
        QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    }
    QVERIFY(ChooseFromMenu(Picker, "alt+f", "x"));
    QCOMPARE(Picker.WaitForExit(10000), 0);
}

void TestE2EMenuAbout::aboutIsCentredModalAndLeavesTheEyedropperRunning()
{
    SetRoot("#336699");
    ClipboardElsewhere("untouched");
    TPicker Picker;
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    const QPoint Origin = Picker.Geometry().topLeft();
    const QRect Button = InWindow(FrmMain->ftbSpoit).translated(Origin);
    const QRect Message(InWindow(FrmMain->lblMsg).topLeft() + Origin, QSize(60, 12));
    const QPoint CopyHtml = InWindow(FrmMain->fbtHTML).translated(Origin).center();
    const QPoint CopyWebSafe = InWindow(FrmMain->fbtWebSafe).translated(Origin).center();
    const QPoint OffBoth(1200, 80);

    ClickAt(Button.topLeft() + QPoint(4, 4));
    MoveTo(OffBoth);
    QTRY_COMPARE(SpoitFace(Button), QColor(0x33, 0x66, 0x99));
    // Alt+H is a key in the eyedropper mode: it captures #336699 into the bars.
    const QString Box = OpenAbout(Picker);
    QVERIFY(!Box.isEmpty());
    QCOMPARE(ActiveWindow(), Box);

    const QRect Client = ClientRect(Box);
    QCOMPARE(Client.size(), QSize(284, 171));
    // Centred means the window as a person sees it, frame included. The box is placed
    // before the window manager has framed it, so the program can only centre its
    // client area; either is right. On each axis the screen's centre must lie between
    // the client's centre and the frame's centre (doubled, so halves stay exact, and
    // one for the rounding of an odd difference): the frame is the only tolerance.
    const QMargins Frame = FrameExtents(Box);
    QVERIFY2(Frame.top() > 0, "the window manager has not framed the box");
    const QRect Outer = Client.marginsAdded(Frame);
    const QSize Screen = QGuiApplication::primaryScreen()->geometry().size();
    auto Between = [](int Centre, int A, int B) {
        return std::min(A, B) - 1 <= Centre && Centre <= std::max(A, B) + 1;
    };
    QVERIFY2(Between(Screen.width(), 2 * Client.x() + Client.width(), 2 * Outer.x() + Outer.width()),
             qPrintable(QString("client x %1, frame x %2").arg(Client.x()).arg(Outer.x())));
    QVERIFY2(Between(Screen.height(), 2 * Client.y() + Client.height(), 2 * Outer.y() + Outer.height()),
             qPrintable(QString("client y %1, frame y %2").arg(Client.y()).arg(Outer.y())));

    // The eyedropper goes on reading under the box.
    SetRoot("#C8641E");
    QTRY_COMPARE(SpoitFace(Button), QColor(200, 100, 30));
    // Keys go to the box, which handles none of them; had one reached the main window,
    // it would have captured #C8641E, and Ctrl+W would have copied it.
    Keys({"Escape", "Return", "ctrl+w"});
    ClickAt(CopyHtml);
    ClickAt(CopyWebSafe);
    Keys({"ctrl+w"});
    MoveTo(OffBoth);
    SetRoot("#2E8B57");
    QTRY_COMPARE(SpoitFace(Button), QColor(0x2E, 0x8B, 0x57)); // also: the picker has run all of the above
    QVERIFY(IsViewable(Box));
    QCOMPARE(ActiveWindow(), Box);
    QCOMPARE(ClipboardText(), QString("untouched"));
    QCOMPARE(UniformColour(Message), ColorToQColor(clBtnFace)); // no confirmation

    Keys({"alt+F4"});
    QTRY_VERIFY(AboutWindow(Picker).isEmpty());
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    // The same click now copies the colour Alt+H captured, and confirms.
    ClickAt(CopyHtml);
    QTRY_COMPARE(ClipboardText(), QString("#336699"));
    QTRY_VERIFY(!UniformColour(Message).isValid());
}

void TestE2EMenuAbout::aboutReopensWhereItWasMoved_data()
{
    QTest::addColumn<bool>("byTitleBar");
    QTest::newRow("moved by xdotool") << false;
    QTest::newRow("dragged by its title bar") << true;
}

void TestE2EMenuAbout::aboutReopensWhereItWasMoved()
{
    QFETCH(bool, byTitleBar);
    TPicker Picker;
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    QString Box = OpenAbout(Picker);
    QVERIFY(!Box.isEmpty());
    const QRect First = ClientRect(Box);
    // Down and towards the wider side of the screen, so the box stays on it.
    const int Screen = QGuiApplication::primaryScreen()->geometry().width();
    const QPoint Drag(First.center().x() > Screen / 2 ? -300 : 300, 200);
    if (byTitleBar) {
        const QPoint Grip(First.center().x(), First.top() - FrameExtents(Box).top() / 2);
        MoveTo(Grip);
        Xdotool({"mousedown", "1"});
        for (const int Percent : {5, 50, 100})
            MoveTo(Grip + Drag * Percent / 100);
        Xdotool({"mouseup", "1"});
    } else {
        Xdotool({"windowmove", Box, "100", "700"});
    }
    QTRY_VERIFY(ClientRect(Box).topLeft() != First.topLeft());
    const QPoint Moved = ClientRect(Box).topLeft();
    if (byTitleBar)
        QCOMPARE(Moved, First.topLeft() + Drag);

    Keys({"alt+F4"});
    QTRY_VERIFY(AboutWindow(Picker).isEmpty());
    QCOMPARE(Picker.Process().state(), QProcess::Running);
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    Box = OpenAbout(Picker);
    QVERIFY(!Box.isEmpty());
    QCOMPARE(ClientRect(Box), QRect(Moved, QSize(284, 171)));
}

void TestE2EMenuAbout::webSiteGoesToTheBrowser_data()
{
    QTest::addColumn<bool>("browserVariable");
    QTest::addColumn<bool>("httpsHandler");
    QTest::newRow("BROWSER") << true << false;
    QTest::newRow("https handler") << false << true;
    QTest::newRow("no browser") << false << false;
}

void TestE2EMenuAbout::webSiteGoesToTheBrowser()
{
    QFETCH(bool, browserVariable);
    QFETCH(bool, httpsHandler);
    const bool Reached = browserVariable || httpsHandler;
    const QString RealXdgOpen = QStandardPaths::findExecutable("xdg-open");
    QVERIFY2(!RealXdgOpen.isEmpty(), "xdg-open (xdg-utils) is not installed");

    // A stand-in browser that records its arguments and whether it inherited the
    // picker's QT_XCB_NO_MITSHM, and xdg-open wrapped to record its exit status; no
    // desktop, and only this directory's desktop files.
    QTemporaryDir Dir;
    QVERIFY(Dir.isValid());
    const QString Bin = Dir.filePath("bin"), Args = Dir.filePath("browser.args"), Status = Dir.filePath("status");
    for (const char* Sub : {"bin", "data/applications", "config", "none"})
        QVERIFY(QDir(Dir.path()).mkpath(Sub));
    QVERIFY(WritePlain(Dir.filePath("browser"),
                       QString("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" \"${QT_XCB_NO_MITSHM-unset}\" > '%1.part' && mv '%1.part' '%1'\n")
                           .arg(Args).toUtf8(), true));
    QVERIFY(WritePlain(Bin + "/xdg-open",
                       QString("#!/bin/sh\n'%1' \"$@\"\necho $? > '%2.part' && mv '%2.part' '%2'\n")
                           .arg(RealXdgOpen, Status).toUtf8(), true));
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    const QStringList Settings{
        "PATH=" + Bin + ":" + Env.value("PATH"),
        "BROWSER=" + Dir.filePath(browserVariable ? "browser" : "no-such-browser"),
        "XDG_DATA_HOME=" + Dir.filePath("data"), "XDG_CONFIG_HOME=" + Dir.filePath("config"),
        "XDG_DATA_DIRS=" + Dir.filePath("none"), "XDG_CONFIG_DIRS=" + Dir.filePath("none"),
        "XDG_CURRENT_DESKTOP=", "DESKTOP_SESSION="};
    for (const QString& Pair : Settings)
        Env.insert(Pair.section('=', 0, 0), Pair.section('=', 1));
    if (httpsHandler) {
        QVERIFY(WritePlain(Dir.filePath("data/applications/tavrin-test-browser.desktop"),
                           QString("[Desktop Entry]\nType=Application\nName=Test browser\nExec=%1 %u\n"
                                   "MimeType=x-scheme-handler/https;\n")
                               .arg(Dir.filePath("browser")).toUtf8()));
        Output("xdg-mime", {"default", "tavrin-test-browser.desktop", "x-scheme-handler/https"}, Env);
        QCOMPARE(Output("xdg-mime", {"query", "default", "x-scheme-handler/https"}, Env),
                 QString("tavrin-test-browser.desktop"));
    }

    TPicker Picker(Settings);
    QTRY_COMPARE(ActiveWindow(), Picker.WindowId());
    const QString Clients = ClientList();
    QVERIFY(ChooseFromMenu(Picker, "alt+h", "w"));
    QTRY_VERIFY(QFile::exists(Status));
    QFile StatusFile(Status);
    QVERIFY(StatusFile.open(QIODevice::ReadOnly));
    const int XdgOpenStatus = StatusFile.readAll().trimmed().toInt();
    if (Reached) {
        QCOMPARE(XdgOpenStatus, 0);
        QFile ArgsFile(Args);
        QVERIFY(ArgsFile.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(ArgsFile.readAll()).split('\n', Qt::SkipEmptyParts),
                 (QStringList{"1", QString::fromLatin1(AuthorWebSite),
                              // the runner's own value passes through, the picker's does not
                              Env.value("QT_XCB_NO_MITSHM", "unset")}));
    } else {
        QVERIFY(XdgOpenStatus != 0);
        QVERIFY(!QFile::exists(Args));
    }
    // Nothing came up, and the picker still answers.
    QCOMPARE(ClientList(), Clients);
    QVERIFY(IsViewable(Picker.WindowId()));
    QCOMPARE(ActiveWindow(), Picker.WindowId());
    ClipboardElsewhere("untouched");
    Keys({"ctrl+w"});
    QTRY_COMPARE(ClipboardText(), QString("#000000"));
}

QTEST_MAIN(TestE2EMenuAbout)
#include "test_e2e_menu_about.moc"
