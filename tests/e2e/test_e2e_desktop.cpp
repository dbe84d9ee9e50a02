// The picker as a desktop sees it: its window's class and icon against the menu entry,
// and the files `cmake --install` lays out (the entry, the icon theme, the AppStream
// metainfo) against the drawing and the project.
#include "Desktop.h"
#include "IconArt.h"
#include "TavrinPicker.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>

namespace {

const QString SourceDir = QStringLiteral(TAVRIN_SOURCE_DIR);
const QString StageDir = QStringLiteral(DESKTOP_STAGE_DIR "/usr"); // from cmake --install
const QString Version = QStringLiteral(TAVRIN_VERSION);

// A key of the [Desktop Entry] group of a desktop file.
QString DesktopEntryValue(const QString& Path, const QString& Key)
{
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool InGroup = false;
    while (!F.atEnd()) {
        const QString Line = QString::fromUtf8(F.readLine()).trimmed();
        if (Line.startsWith('['))
            InGroup = Line == "[Desktop Entry]";
        else if (InGroup && Line.section('=', 0, 0).trimmed() == Key)
            return Line.section('=', 1).trimmed();
    }
    return {};
}

// The text of each element Path (a/b/c, from the root) and, with Attribute, its value.
QStringList XmlValues(const QString& File, const QString& Path, const QString& Attribute = {})
{
    QFile F(File);
    QStringList Found, Open;
    if (!F.open(QIODevice::ReadOnly))
        return Found;
    QXmlStreamReader Xml(&F);
    while (!Xml.atEnd()) {
        const auto Token = Xml.readNext();
        if (Token == QXmlStreamReader::StartElement) {
            Open.append(Xml.name().toString());
            if (Open.join('/') == Path)
                Found.append(Attribute.isEmpty() ? Xml.readElementText().trimmed()
                                                 : Xml.attributes().value(Attribute).toString());
            if (Xml.isEndElement())
                Open.removeLast(); // readElementText() consumed the end
        } else if (Token == QXmlStreamReader::EndElement) {
            Open.removeLast();
        }
    }
    return Found;
}

QString Xprop(const QString& Window, const QStringList& Args)
{
    return Tool("xprop", QStringList{"-id", Window} + Args);
}

// _NET_WM_ICON as width, height and rows of ARGB pixels, one image after another.
QList<QImage> WindowIcons(const QString& Window)
{
    const QString Text = Xprop(Window, {"-notype", "-f", "_NET_WM_ICON", "32c", "=$0+", "_NET_WM_ICON"});
    QList<quint32> V;
    for (const QString& Item : Text.section('=', 1).split(',', Qt::SkipEmptyParts))
        V.append(Item.trimmed().toUInt());
    QList<QImage> Icons;
    for (qsizetype At = 0; At + 2 <= V.size();) {
        const int W = int(V[At]), H = int(V[At + 1]);
        At += 2;
        if (W <= 0 || H <= 0 || At + qsizetype(W) * H > V.size())
            break;
        QImage Icon(W, H, QImage::Format_ARGB32);
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                Icon.setPixel(X, Y, V[At++]);
        Icons.append(Icon);
    }
    return Icons;
}

// Where two pictures differ first, or an empty string when they are the same.
QString FirstDifference(const QImage& A, const QImage& B)
{
    if (A.size() != B.size())
        return QStringLiteral("sizes differ");
    const QImage Ca = A.convertToFormat(QImage::Format_ARGB32), Cb = B.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Ca.height(); ++Y)
        for (int X = 0; X < Ca.width(); ++X)
            if (Ca.pixel(X, Y) != Cb.pixel(X, Y))
                return QStringLiteral("(%1, %2): #%3 vs #%4").arg(X).arg(Y)
                    .arg(Ca.pixel(X, Y), 8, 16, QChar('0')).arg(Cb.pixel(X, Y), 8, 16, QChar('0'));
    return {};
}

} // namespace

class TestE2EDesktop : public QObject {
    Q_OBJECT
private slots:
    void windowClassMatchesDesktopEntry();
    void windowCarriesTheIcon();

    void installedIcons_data();
    void installedIcons();
    void installedEntryNamesInstalledFiles();
    void installedMetainfo_data();
    void installedMetainfo();
};

void TestE2EDesktop::windowClassMatchesDesktopEntry()
{
    TPicker Picker;
    QVERIFY(!Picker.WindowId().isEmpty());
    const QString WmClass = Xprop(Picker.WindowId(), {"WM_CLASS"});
    const auto M = QRegularExpression(R"re(= "([^"]*)", "([^"]*)")re").match(WmClass);
    QVERIFY2(M.hasMatch(), qPrintable(WmClass));
    const QString Wanted = DesktopEntryValue(SourceDir + "/desktop/tpicker.desktop", "StartupWMClass");
    QVERIFY(!Wanted.isEmpty());
    QCOMPARE(M.captured(2), Wanted); // the class, which docks match first
    QCOMPARE(M.captured(1), Wanted); // and the instance, which some match instead
}

void TestE2EDesktop::windowCarriesTheIcon()
{
    TPicker Picker;
    QVERIFY(!Picker.WindowId().isEmpty());
    const QList<QImage> Icons = WindowIcons(Picker.WindowId());
    QVERIFY2(!Icons.isEmpty(), "the window has no _NET_WM_ICON");
    const auto It = std::find_if(Icons.begin(), Icons.end(), [](const QImage& I) { return I.size() == QSize(32, 32); });
    QVERIFY2(It != Icons.end(), "no 32 x 32 image in _NET_WM_ICON");
    const QImage Committed(SourceDir + "/res/tpicker.png");
    QVERIFY(!Committed.isNull());
    const QString Difference = FirstDifference(*It, Committed);
    QVERIFY2(Difference.isEmpty(), qPrintable(Difference));
}

void TestE2EDesktop::installedIcons_data()
{
    QTest::addColumn<int>("size");
    for (int Size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", Size) << Size;
}

// Each size in the theme is the drawing at that size, under the name the entry gives.
void TestE2EDesktop::installedIcons()
{
    QFETCH(int, size);
    const QString Name = DesktopEntryValue(StageDir + "/share/applications/tpicker.desktop", "Icon");
    QCOMPARE(Name, QString("tpicker"));
    const QString Path = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png").arg(StageDir).arg(size).arg(Name);
    const QImage Installed(Path);
    QVERIFY2(!Installed.isNull(), qPrintable(Path));
    QCOMPARE(Installed.size(), QSize(size, size));
    const QString Difference = FirstDifference(Installed, DrawMainIconAt(size));
    QVERIFY2(Difference.isEmpty(), qPrintable(Path + " is stale, rerun gen_icon --icon-set res/icons: " + Difference));
}

void TestE2EDesktop::installedEntryNamesInstalledFiles()
{
    const QString Entry = StageDir + "/share/applications/tpicker.desktop";
    QVERIFY2(QFile::exists(Entry), qPrintable(Entry));
    const QString Exec = DesktopEntryValue(Entry, "Exec");
    QCOMPARE(Exec, QString("tpicker"));
    QVERIFY2(QFileInfo(StageDir + "/bin/" + Exec).isExecutable(), "Exec names no installed program");
    QCOMPARE(DesktopEntryValue(Entry, "Name"), QString("Tavrin Picker"));
    QVERIFY(!DesktopEntryValue(Entry, "Comment[ja]").isEmpty());
    const QStringList Categories = DesktopEntryValue(Entry, "Categories").split(';', Qt::SkipEmptyParts);
    QVERIFY2(Categories.contains("Graphics") && Categories.contains("Utility"), qPrintable(Categories.join(';')));
}

void TestE2EDesktop::installedMetainfo_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("expected"); // a regular expression over the whole value
    const QString Web = QRegularExpression::escape(QString::fromLatin1(AuthorWebSite));
    QTest::newRow("id") << "component/id" << "" << "example\\.tavrin\\.tpicker";
    QTest::newRow("release version") << "component/releases/release" << "version" << QRegularExpression::escape(Version);
    QTest::newRow("release date") << "component/releases/release" << "date" << "\\d{4}-\\d\\d-\\d\\d";
    QTest::newRow("launchable") << "component/launchable" << "" << "tpicker\\.desktop";
    QTest::newRow("homepage") << "component/url" << "" << Web;
    QTest::newRow("screenshot") << "component/screenshots/screenshot/image" << "" << Web + "\\S+\\.png";
    QTest::newRow("metadata licence") << "component/metadata_license" << "" << "FSFAP|CC0-1\\.0";
    QTest::newRow("program licence") << "component/project_license" << "" << "MIT";
}

void TestE2EDesktop::installedMetainfo()
{
    QFETCH(QString, path);
    QFETCH(QString, attribute);
    QFETCH(QString, expected);
    const QString File = StageDir + "/share/metainfo/example.tavrin.tpicker.metainfo.xml";
    QVERIFY2(QFile::exists(File), qPrintable(File));
    const QStringList Values = XmlValues(File, path, attribute);
    QCOMPARE(Values.size(), 1);
    const QRegularExpression Pattern(QRegularExpression::anchoredPattern(expected));
    QVERIFY2(Pattern.match(Values.first()).hasMatch(), qPrintable(Values.first()));
    if (path == "component/launchable")
        QVERIFY(QFile::exists(StageDir + "/share/applications/" + Values.first()));
}

QTEST_MAIN(TestE2EDesktop)
#include "test_e2e_desktop.moc"
