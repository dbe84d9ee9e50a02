#pragma once
// A session bus of the test's own (a real dbus-daemon, with no services to start, so
// a real portal on the machine never answers) and the stand-in portal on it
// (fake_portal.cpp), whose record of what it saw the test reads.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

class TPrivateBus {
public:
    TPrivateBus()
    {
        const QString Config = FDir.filePath("bus.conf");
        QFile F(Config);
        if (F.open(QIODevice::WriteOnly))
            F.write(QString("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                            "<auth>EXTERNAL</auth><policy context=\"default\">"
                            "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                            "<allow own=\"*\"/></policy></busconfig>")
                        .arg(FDir.path())
                        .toUtf8());
        F.close();
        FDaemon.start("dbus-daemon", {"--nofork", "--config-file=" + Config, "--print-address=1"});
        if (FDaemon.waitForStarted() && FDaemon.waitForReadyRead(10000))
            FAddress = QString::fromUtf8(FDaemon.readLine()).trimmed();
    }
    ~TPrivateBus()
    {
        FDaemon.terminate();
        if (!FDaemon.waitForFinished(3000))
            FDaemon.kill();
        FDaemon.waitForFinished();
    }
    QString Address() const { return FAddress; }
    QString Dir() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
    QProcess FDaemon;
    QString FAddress;
};

class TFakePortal {
public:
    // Args are fake_portal's, less --record.
    TFakePortal(const TPrivateBus& Bus, const QStringList& Args) : FRecord(Bus.Dir() + "/portal.log")
    {
        QProcessEnvironment E = QProcessEnvironment::systemEnvironment();
        E.insert("DBUS_SESSION_BUS_ADDRESS", Bus.Address());
        FProcess.setProcessEnvironment(E);
        FProcess.setProcessChannelMode(QProcess::SeparateChannels);
        FProcess.setReadChannel(QProcess::StandardOutput);
        FProcess.start(FAKE_PORTAL_PATH, QStringList{"--record", FRecord} + Args);
        if (FProcess.waitForStarted() && FProcess.waitForReadyRead(10000))
            FReady = FProcess.readLine().trimmed() == "ready";
    }
    ~TFakePortal()
    {
        FProcess.terminate();
        if (!FProcess.waitForFinished(3000))
            FProcess.kill();
        FProcess.waitForFinished();
    }
    bool Ready() const { return FReady; }
    // The record's lines that start with Key (without the key).
    QStringList Seen(const QString& Key) const
    {
        QFile F(FRecord);
        QStringList Values;
        if (F.open(QIODevice::ReadOnly | QIODevice::Text))
            for (const QString& Line : QString::fromUtf8(F.readAll()).split('\n'))
                if (Line.startsWith(Key + ' '))
                    Values << Line.mid(Key.size() + 1);
        return Values;
    }

private:
    QString FRecord;
    QProcess FProcess;
    bool FReady = false;
};
