#include "Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QThread>

#include <cstdlib>

#include <xcb/xcb.h>

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
        Search.start("xdotool", {"search", "--all", "--onlyvisible", "--pid", Pid, "--name", "^Tavrin Picker$"});
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

void TPicker::TypeIntoSpinEdits(const QStringList& Numbers)
{
    Focus();
    Xdotool({"key", "--delay", "30", "Tab", "Tab", "Tab", "Tab"});
    for (qsizetype I = 0; I < Numbers.size(); ++I) {
        if (I > 0)
            Xdotool({"key", "Tab"});
        if (!Numbers[I].isEmpty())
            Xdotool({"type", "--delay", "30", Numbers[I]});
    }
}

int TPicker::WaitForExit(int TimeoutMs)
{
    if (!FProcess.waitForFinished(TimeoutMs))
        return -1;
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
}

void TPicker::Close()
{
    xcb_connection_t* C = xcb_connect(nullptr, nullptr);
    auto Atom = [C](const char* Name) {
        xcb_intern_atom_reply_t* R =
            xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, std::uint16_t(qstrlen(Name)), Name), nullptr);
        const xcb_atom_t A = R ? R->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(R);
        return A;
    };
    if (!xcb_connection_has_error(C)) {
        xcb_client_message_event_t E{};
        E.response_type = XCB_CLIENT_MESSAGE;
        E.format = 32;
        E.window = FWindow.toUInt(nullptr, 0);
        E.type = Atom("WM_PROTOCOLS");
        E.data.data32[0] = Atom("WM_DELETE_WINDOW");
        E.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(C, 0, E.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&E));
        // A round trip, so the message is with the server before we hang up.
        std::free(xcb_get_input_focus_reply(C, xcb_get_input_focus(C), nullptr));
    } else {
        qWarning("cannot open the X display to close the picker");
    }
    xcb_disconnect(C);
}
