// The Debian package as a user gets it: its name, version and dependencies, then
// installed with apt, started from PATH on the display, and removed again.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <unistd.h>

namespace {

const QString PackageDir = QStringLiteral(PACKAGE_DIR); // from cpack
const QString Version = QStringLiteral(TAVRIN_VERSION);

struct TRun {
    int Status = -1;
    QString Output;
};

// Runs a program to its end; stdout and stderr together, for the failure message.
TRun Run(const QString& Program, const QStringList& Args, int TimeoutMs = 60000)
{
    QProcess P;
    P.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert("DEBIAN_FRONTEND", "noninteractive");
    P.setProcessEnvironment(Env);
    P.start(Program, Args);
    if (!P.waitForFinished(TimeoutMs)) {
        P.kill();
        P.waitForFinished();
    }
    const int Status = P.exitStatus() == QProcess::NormalExit ? P.exitCode() : -1;
    return {Status, QString::fromUtf8(P.readAll())};
}

QString BuiltPackage()
{
    const QStringList Debs = QDir(PackageDir).entryList({"tpicker_*.deb"}, QDir::Files);
    return Debs.size() == 1 ? QDir(PackageDir).filePath(Debs.first()) : QString();
}

// Package names in a Depends field, without versions or alternatives.
QStringList DependedOn(const QString& Field)
{
    QStringList Names;
    for (const QString& Item : Field.split(QRegularExpression("[,|]"), Qt::SkipEmptyParts))
        Names.append(Item.trimmed().section(' ', 0, 0));
    return Names;
}

// The Debian packages that hold a shared library, by its soname.
QStringList Owners(const QString& Soname)
{
    QStringList Names;
    for (const QString& Line : Run("dpkg", {"-S", "*/" + Soname}).Output.split('\n', Qt::SkipEmptyParts))
        if (Line.contains(": /"))
            for (const QString& Name : Line.section(": /", 0, 0).split(','))
                Names.append(Name.trimmed().section(':', 0, 0));
    return Names;
}

bool PackageInstalled()
{
    return Run("dpkg-query", {"-W", "-f", "${Status}", "tpicker"}).Output == "install ok installed";
}

QString WaitForWindow(qint64 Pid)
{
    for (int Try = 0; Try < 100; ++Try) {
        const QString Id = Run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(Pid),
                                           "--name", "^Tavrin Picker$"}).Output.section('\n', 0, 0).trimmed();
        if (!Id.isEmpty())
            return Id;
        QThread::msleep(50);
    }
    return {};
}

// Files the package puts on the system.
const QStringList PackagedFiles = {
    "/usr/bin/tpicker",
    "/usr/share/applications/tpicker.desktop",
    "/usr/share/icons/hicolor/16x16/apps/tpicker.png",
    "/usr/share/icons/hicolor/256x256/apps/tpicker.png",
    "/usr/share/metainfo/example.tavrin.tpicker.metainfo.xml",
};

} // namespace

class TestE2EPackage : public QObject {
    Q_OBJECT
private slots:
    void packageFields();
    void packageInstallsRunsAndRemoves();
};

// Name and version from the project; Depends names the font and, for every library the
// program links, the package that holds it.
void TestE2EPackage::packageFields()
{
    const QString Deb = BuiltPackage();
    QVERIFY2(!Deb.isEmpty(), qPrintable("no single tpicker_*.deb in " + PackageDir));
    QCOMPARE(Run("dpkg-deb", {"-f", Deb, "Package"}).Output.trimmed(), QString("tpicker"));
    QCOMPARE(Run("dpkg-deb", {"-f", Deb, "Version"}).Output.trimmed(), Version);
    const QString Depends = Run("dpkg-deb", {"-f", Deb, "Depends"}).Output.trimmed();
    const QStringList Names = DependedOn(Depends);
    QVERIFY2(Names.contains("fonts-ipafont-gothic"), qPrintable(Depends));

    QTemporaryDir Unpacked;
    QCOMPARE(Run("dpkg-deb", {"-x", Deb, Unpacked.path()}).Status, 0);
    const TRun Dump = Run("objdump", {"-p", Unpacked.filePath("usr/bin/tpicker")});
    QCOMPARE(Dump.Status, 0);
    const auto Needed = QRegularExpression(R"(^\s*NEEDED\s+(\S+)$)", QRegularExpression::MultilineOption).globalMatch(Dump.Output);
    bool AnyLibrary = false;
    for (const auto& M : Needed) {
        AnyLibrary = true;
        const QStringList Holders = Owners(M.captured(1));
        QVERIFY2(!Holders.isEmpty(), qPrintable("no package holds " + M.captured(1)));
        const bool Listed = std::any_of(Holders.begin(), Holders.end(), [&](const QString& H) { return Names.contains(H); });
        QVERIFY2(Listed, qPrintable(M.captured(1) + " (" + Holders.join(", ") + ") is not in Depends: " + Depends));
    }
    QVERIFY2(AnyLibrary, "the packaged program links no libraries");
}

void TestE2EPackage::packageInstallsRunsAndRemoves()
{
    if (geteuid() != 0)
        QSKIP("installing the .deb with apt-get needs root (CI runs as root); not root, so skipped");
    const QString Deb = BuiltPackage();
    QVERIFY2(!Deb.isEmpty(), qPrintable("no single tpicker_*.deb in " + PackageDir));
    const QStringList Apt = {"-y", "-q", "-o", "DPkg::Lock::Timeout=600"};

    // Removed again when a check below fails.
    struct TRemove {
        QStringList Args;
        ~TRemove()
        {
            if (PackageInstalled())
                Run("apt-get", Args, 900000);
        }
    } Remove{Apt + QStringList{"remove", "tpicker"}};
    const TRun Install = Run("apt-get", Apt + QStringList{"install", Deb}, 900000);
    QVERIFY2(Install.Status == 0, qPrintable(Install.Output));
    QVERIFY(PackageInstalled());
    QCOMPARE(Run("dpkg-query", {"-W", "-f", "${Version}", "tpicker"}).Output, Version);
    for (const QString& File : PackagedFiles)
        QVERIFY2(QFile::exists(File), qPrintable(File + " is not installed"));

    QCOMPARE(QStandardPaths::findExecutable("tpicker"), QString("/usr/bin/tpicker"));
    QProcess Picker;
    Picker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Picker.start("tpicker", {});
    QVERIFY2(Picker.waitForStarted(), qPrintable(Picker.errorString()));
    const QString Window = WaitForWindow(Picker.processId());
    QVERIFY2(!Window.isEmpty(), "the installed picker showed no window");
    QCOMPARE(Run("xdotool", {"getwindowname", Window}).Output.trimmed(), QString("Tavrin Picker"));
    Picker.terminate();
    QVERIFY(Picker.waitForFinished(10000));

    const TRun Removal = Run("apt-get", Apt + QStringList{"remove", "tpicker"}, 900000);
    QVERIFY2(Removal.Status == 0, qPrintable(Removal.Output));
    QVERIFY(!PackageInstalled());
    for (const QString& File : PackagedFiles)
        QVERIFY2(!QFile::exists(File), qPrintable(File + " is left after removal"));
}

QTEST_GUILESS_MAIN(TestE2EPackage)
#include "test_e2e_package.moc"
