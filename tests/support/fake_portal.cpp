// A stand-in for the desktop portal's colour picker, for the end-to-end tests: owns
// org.freedesktop.portal.Desktop on the session bus and answers Screenshot.PickColor
// as the test says. It writes what it saw to the record file, one line each:
//   parent_window <id>   the window the picker named
//   handle <path>        the request it made
//   close <path>         a Request.Close it received
// and prints "ready" once it owns the name.
//
//   fake_portal --record FILE [--answer-first] [--own-handle] ANSWER
// ANSWER: --colour R,G,B (doubles) | --cancel | --error | --silent | --no-pick-color
// --answer-first sends the Response before the reply to PickColor; --own-handle
// makes a handle path of its own instead of the one from the handle_token.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

struct TOptions {
    QString Record;
    QString Answer;         // colour, cancel, error, silent, no-pick-color
    double Rgb[3] = {};
    bool AnswerFirst = false;
    bool OwnHandle = false;
};

TOptions Options;

void Record(const QString& Line)
{
    QFile F(Options.Record);
    if (F.open(QIODevice::Append | QIODevice::Text))
        QTextStream(&F) << Line << '\n';
}

// The Request object at a handle path: only Close, which the test looks for.
class TRequest : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
public:
    explicit TRequest(const QString& Path) : FPath(Path) {}
public slots:
    void Close() { Record("close " + FPath); }

private:
    QString FPath;
};

class TScreenshot : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public slots:
    QDBusObjectPath PickColor(const QString& ParentWindow, const QVariantMap& Request)
    {
        Record("parent_window " + ParentWindow);
        static int Count = 0;
        QString Sender = message().service().mid(1);
        Sender.replace('.', '_');
        const QString Token = Options.OwnHandle ? QString("fake%1").arg(++Count)
                                                : Request.value("handle_token").toString();
        const QString Path = "/org/freedesktop/portal/desktop/request/" + Sender + '/' + Token;
        connection().registerObject(Path, new TRequest(Path), QDBusConnection::ExportAllSlots);
        Record("handle " + Path);
        if (Options.Answer == "silent")
            return QDBusObjectPath(Path);
        if (Options.AnswerFirst) {
            setDelayedReply(true);
            const QDBusMessage Reply = message().createReply(QVariant::fromValue(QDBusObjectPath(Path)));
            SendResponse(Path);
            connection().send(Reply);
        } else {
            QTimer::singleShot(100, this, [this, Path] { SendResponse(Path); });
        }
        return QDBusObjectPath(Path);
    }

private:
    void SendResponse(const QString& Path)
    {
        // Every answer carries a colour, so a picker that ignores the code shows it.
        QDBusArgument Colour;
        Colour.beginStructure();
        Colour << Options.Rgb[0] << Options.Rgb[1] << Options.Rgb[2];
        Colour.endStructure();
        const uint Code = Options.Answer == "colour" ? 0 : Options.Answer == "cancel" ? 1 : 2;
        QDBusMessage Signal =
            QDBusMessage::createSignal(Path, "org.freedesktop.portal.Request", "Response");
        Signal << Code << QVariantMap{{"color", QVariant::fromValue(Colour)}};
        QDBusConnection::sessionBus().send(Signal);
    }
};

// An older portal: the same service and interface without PickColor.
class TOldScreenshot : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public slots:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap&) { return {}; }
};

bool ParseArguments(const QStringList& Args)
{
    Options.Rgb[0] = 0.2, Options.Rgb[1] = 0.4, Options.Rgb[2] = 0.6;
    for (int I = 1; I < Args.size(); ++I) {
        const QString& A = Args[I];
        if (A == "--record" && I + 1 < Args.size()) {
            Options.Record = Args[++I];
        } else if (A == "--colour" && I + 1 < Args.size()) {
            const QStringList Parts = Args[++I].split(',');
            if (Parts.size() != 3)
                return false;
            for (int C = 0; C < 3; ++C)
                Options.Rgb[C] = Parts[C].toDouble();
            Options.Answer = "colour";
        } else if (A == "--cancel" || A == "--error" || A == "--silent" || A == "--no-pick-color") {
            Options.Answer = A.mid(2);
        } else if (A == "--answer-first") {
            Options.AnswerFirst = true;
        } else if (A == "--own-handle") {
            Options.OwnHandle = true;
        } else {
            return false;
        }
    }
    return !Options.Record.isEmpty() && !Options.Answer.isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication App(argc, argv);
    if (!ParseArguments(App.arguments())) {
        std::fprintf(stderr, "usage: fake_portal --record FILE [--answer-first] [--own-handle] "
                             "(--colour R,G,B | --cancel | --error | --silent | --no-pick-color)\n");
        return 2;
    }
    QDBusConnection Bus = QDBusConnection::sessionBus();
    QObject* Screenshot = Options.Answer == "no-pick-color" ? static_cast<QObject*>(new TOldScreenshot)
                                                            : new TScreenshot;
    if (!Bus.registerObject("/org/freedesktop/portal/desktop", Screenshot, QDBusConnection::ExportAllSlots) ||
        !Bus.registerService("org.freedesktop.portal.Desktop")) {
        std::fprintf(stderr, "fake_portal: %s\n", qPrintable(Bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return App.exec();
}

#include "fake_portal.moc"
