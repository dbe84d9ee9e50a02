// The X server goes away under the running picker: the picker must end within two
// seconds, with one line of ours on standard error, a failure status and no crash
// (so no core dump). Each case starts an Xvfb of its own and kills it.
#include "Desktop.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// A private X server on a free display number.
class TXServer {
public:
    TXServer()
    {
        FProcess.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-noreset", "-nolisten", "tcp"});
        while (FProcess.waitForReadyRead(10000) && !FProcess.canReadLine()) {
        }
        FDisplay = ":" + QString::fromLatin1(FProcess.readLine().trimmed());
    }
    ~TXServer()
    {
        FProcess.kill();
        FProcess.waitForFinished();
    }
    QString Display() const { return FDisplay; }
    void Kill(int Signal) { ::kill(pid_t(FProcess.processId()), Signal); }

private:
    QProcess FProcess;
    QString FDisplay;
};

} // namespace

class TestE2ELostDisplay : public QObject {
    Q_OBJECT
private slots:
    void serverGoesAway_data();
    void serverGoesAway();
};

void TestE2ELostDisplay::serverGoesAway_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("eyedropper"); // reading the screen every 10 ms
    QTest::newRow("killed") << int(SIGKILL) << false;
    QTest::newRow("terminated") << int(SIGTERM) << false;
    QTest::newRow("killed, eyedropper on") << int(SIGKILL) << true;
}

void TestE2ELostDisplay::serverGoesAway()
{
    QFETCH(int, signal);
    QFETCH(bool, eyedropper);
    TXServer Server;
    QVERIFY(Server.Display().size() > 1);
    qputenv("DISPLAY", Server.Display().toLatin1()); // for the tools and the picker
    // A runtime folder of its own, so that Qt has nothing to say on start-up and the
    // whole of standard error is the picker's last word.
    QTemporaryDir Runtime;
    QProcess Picker;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.remove("QT_QPA_PLATFORM");
    Env.insert("XDG_RUNTIME_DIR", Runtime.path());
    Picker.setProcessEnvironment(Env);
    Picker.start(PickerPath(), {});
    QVERIFY(Picker.waitForStarted());
    const QString Window = Tool("xdotool", {"search", "--sync", "--onlyvisible", "--pid",
                                            QString::number(Picker.processId()), "--name", "^Tavrin Picker$"},
                                30000)
                               .section('\n', 0, 0);
    QVERIFY(!Window.isEmpty());
    if (eyedropper) {
        // The button lies at (232, 13) of the client area, below the menu bar.
        const int MenuBar = Tool("xdotool", {"getwindowgeometry", "--shell", Window})
                                .section("HEIGHT=", 1).section('\n', 0, 0).toInt() - 298;
        Tool("xdotool", {"mousemove", "--window", Window, "240", QString::number(MenuBar + 20), "click", "1"});
        // Proof that the mode runs: a key captures the root's colour under the pointer.
        Tool("xsetroot", {"-solid", "#2E8B57"});
        Tool("xdotool", {"mousemove", "900", "700"});
        QTest::qWait(200);
        Tool("xdotool", {"windowfocus", "--sync", Window});
        Tool("xdotool", {"key", "a", "ctrl+w"});
        QTest::qWait(200);
        QCOMPARE(Tool("xclip", {"-selection", "clipboard", "-o"}), QString("#2E8B57"));
    }

    QElapsedTimer Since;
    Since.start();
    Server.Kill(signal);
    const bool Ended = Picker.waitForFinished(10000);
    const qint64 Took = Since.elapsed();
    if (!Ended) {
        Picker.kill();
        Picker.waitForFinished();
    }
    const QByteArray Said = Picker.readAllStandardError();
    QVERIFY2(Ended, "the picker went on without its display");
    QVERIFY2(Took <= 2000, qPrintable(QString("the picker took %1 ms to end").arg(Took)));
    // Ended by itself: a signal (and so a core dump) would be a crash exit.
    QCOMPARE(Picker.exitStatus(), QProcess::NormalExit);
    QVERIFY(Picker.exitCode() != 0);
    QCOMPARE(QString::fromLocal8Bit(Said), PickerPath() + ": the X display went away; exiting\n");
}

QTEST_GUILESS_MAIN(TestE2ELostDisplay)
#include "test_e2e_lost_display.moc"
