#include "Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QThread>

QString PickerPath() { return QStringLiteral(TPICKER_PATH); }

QString Tool(const QString& Program, const QStringList& Args, int TimeoutMs)
{
    QProcess P;
    P.start(Program, Args);
    if (!P.waitForFinished(TimeoutMs)) {
        P.kill();
        P.waitForFinished();
        qWarning("%s %s did not finish", qPrintable(Program), qPrintable(Args.join(' ')));
        return {};
    }
    if (P.exitStatus() != QProcess::NormalExit || P.exitCode() != 0)
        qWarning("%s %s failed: %s", qPrintable(Program), qPrintable(Args.join(' ')),
                 P.readAllStandardError().constData());
    return QString::fromUtf8(P.readAllStandardOutput());
}

void Xdotool(const QStringList& Args) { Tool(QStringLiteral("xdotool"), Args); }

QImage Screenshot()
{
    QCoreApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

QColor PixelAt(int X, int Y) { return Screenshot().pixelColor(X, Y); }

QColor UniformColour(const QRect& R)
{
    const QImage Shot = Screenshot();
    const QColor First = Shot.pixelColor(R.topLeft());
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X)
            if (Shot.pixelColor(X, Y) != First)
                return {};
    return First;
}

TPicker::TPicker(const QStringList& Env)
{
    QProcessEnvironment E = QProcessEnvironment::systemEnvironment();
    E.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString& Pair : Env)
        E.insert(Pair.section('=', 0, 0), Pair.section('=', 1));
    FProcess.setProcessEnvironment(E);
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(PickerPath(), {});
    FProcess.waitForStarted();
    const QString Pid = QString::number(FProcess.processId());
    // Wait until the picker has mapped its main window.
    for (int Try = 0; Try < 100 && FWindow.isEmpty(); ++Try) {
        QProcess Search;
        Search.start("xdotool", {"search", "--onlyvisible", "--pid", Pid, "--name", "^Tavrin Picker$"});
        Search.waitForFinished();
        FWindow = QString::fromUtf8(Search.readAllStandardOutput()).section('\n', 0, 0).trimmed();
        if (FWindow.isEmpty())
            QThread::msleep(50);
    }
    QTest::qWait(100); // the first paint
}

TPicker::~TPicker()
{
    if (FProcess.state() != QProcess::NotRunning) {
        FProcess.terminate();
        if (!FProcess.waitForFinished(3000)) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }
}

QRect TPicker::Geometry() const
{
    // xwininfo gives the absolute position of the window itself.
    const QString Info = Tool("xwininfo", {"-id", FWindow});
    auto Field = [&](const QString& Name) {
        const int At = Info.indexOf(Name);
        return Info.mid(At + Name.size()).section('\n', 0, 0).trimmed().toInt();
    };
    return {Field("Absolute upper-left X:"), Field("Absolute upper-left Y:"), Field("Width:"), Field("Height:")};
}

void TPicker::Focus() { Xdotool({"windowfocus", "--sync", FWindow}); }

int TPicker::WaitForExit(int TimeoutMs)
{
    if (!FProcess.waitForFinished(TimeoutMs))
        return -1;
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
}
