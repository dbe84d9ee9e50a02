// The eyedropper on the real picker: the button follows the pixel under the pointer
// anywhere on the screen, a key hands it to the editor, and a second click ends it.
// Also at twice the scale, and on a screen split into two monitors of different sizes.
#include "Desktop.h"
#include "FlatButtons.h"
#include "Label.h"
#include "LayoutOracle.h"

#include <QClipboard>
#include <QtTest>

namespace {

QRect InWindow(TControl* C) { return TLayoutOracle::InWindow(C); }

QRect Scaled(const QRect& R, int Scale) { return QRect(R.topLeft() * Scale, R.size() * Scale); }

void SetRoot(const QString& Colour) { Tool("xsetroot", {"-solid", Colour}); }

QString ClipboardText() { return Tool("xclip", {"-selection", "clipboard", "-o"}); }

void MoveTo(const QPoint& P)
{
    Xdotool({"mousemove", "--sync", QString::number(P.x()), QString::number(P.y())});
    QTest::qWait(100); // a few ticks
}

} // namespace

class TestE2EEyedropper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Layout = new TLayoutOracle; }
    void cleanupTestCase() { delete Layout; }

    void capturesThePixelUnderThePointer_data();
    void capturesThePixelUnderThePointer();
    void monitorsOfDifferentSizes_data();
    void monitorsOfDifferentSizes();

private:
    // Switches the mode on, points at Target, captures with a key and copies the code.
    QString Capture(TPicker& Picker, int Scale, bool ByLabel, const QPoint& Target, QColor* Face);
    TLayoutOracle* Layout = nullptr;
};

QString TestE2EEyedropper::Capture(TPicker& Picker, int Scale, bool ByLabel, const QPoint& Target, QColor* Face)
{
    const QPoint Origin = Picker.Geometry().topLeft();
    const QRect Button = Scaled(InWindow(FrmMain->ftbSpoit), Scale).translated(Origin);
    const QRect Label = Scaled(InWindow(FrmMain->lblSpoitMsg), Scale).translated(Origin);
    const QPoint ClickAt = ByLabel ? Label.center() : Button.topLeft() + QPoint(4, 4) * Scale;
    Xdotool({"mousemove", "--sync", QString::number(ClickAt.x()), QString::number(ClickAt.y())});
    Xdotool({"click", "1"});
    MoveTo(Target);
    // The strip of the button's face left of the label, away from the frame.
    const QRect Strip(Button.left() + 2 * Scale, Button.top() + 4 * Scale, 5 * Scale, Button.height() - 8 * Scale);
    *Face = UniformColour(Strip);
    Picker.Focus();
    Xdotool({"key", "a"});
    Xdotool({"key", "ctrl+w"});
    QTest::qWait(100);
    return ClipboardText();
}

void TestE2EEyedropper::capturesThePixelUnderThePointer_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("byLabel");
    QTest::newRow("button") << 1 << false;
    QTest::newRow("label") << 1 << true;
    QTest::newRow("scale factor 2") << 2 << false;
}

void TestE2EEyedropper::capturesThePixelUnderThePointer()
{
    QFETCH(int, scale);
    QFETCH(bool, byLabel);
    SetRoot("#336699");
    TPicker Picker(scale == 1 ? QStringList{} : QStringList{QString("QT_SCALE_FACTOR=%1").arg(scale)});
    QVERIFY(!Picker.WindowId().isEmpty());
    const QPoint Origin = Picker.Geometry().topLeft();
    const QRect Label = Scaled(InWindow(FrmMain->lblSpoitMsg), scale).translated(Origin);
    const QImage RestLabel = Screenshot().copy(Label);

    QColor Face;
    const QString Code = Capture(Picker, scale, byLabel, QPoint(1200, 80), &Face);
    QCOMPARE(Face, QColor(0x33, 0x66, 0x99));
    QCOMPARE(Code, QString("#336699"));
    const QRect Swatch = Scaled(InWindow(FrmMain->Label1), scale).translated(Origin).adjusted(4, 4, -4, -4);
    QCOMPARE(UniformColour(Swatch), QColor(0x33, 0x66, 0x99));

    // The button follows the pointer onto another colour (the pointer stays off the
    // window, which at twice the scale covers most of the screen's middle).
    SetRoot("#C8641E");
    MoveTo(QPoint(1210, 90));
    const QRect Button = Scaled(InWindow(FrmMain->ftbSpoit), scale).translated(Origin);
    QCOMPARE(Screenshot().pixelColor(Button.left() + 3 * scale, Button.bottom() - 4 * scale), QColor(200, 100, 30));
    // Round the face, a frame one logical pixel wide on every side: as many device
    // pixels as the scale, all of one colour, and the face right inside it.
    const int Along = Button.width() - 2 * scale, Down = Button.height() - 2 * scale;
    const QRect Sides[] = {{Button.left(), Button.top() + scale, scale, Down},
                           {Button.right() + 1 - scale, Button.top() + scale, scale, Down},
                           {Button.left() + scale, Button.top(), Along, scale},
                           {Button.left() + scale, Button.bottom() + 1 - scale, Along, scale}};
    const QColor Frame = UniformColour(Sides[0]);
    QVERIFY(Frame.isValid() && Frame != QColor(200, 100, 30));
    for (const QRect& Side : Sides)
        QCOMPARE(UniformColour(Side), Frame);
    QCOMPARE(UniformColour(Button.adjusted(scale, scale, -scale, -scale).adjusted(0, 0, 0, -Down + 1)),
             QColor(200, 100, 30));

    // A second click: the plain button and the rest caption at its place again.
    Xdotool({"mousemove", "--sync", QString::number(Button.left() + 4 * scale), QString::number(Button.top() + 4 * scale)});
    Xdotool({"click", "1"});
    MoveTo(QPoint(1200, 80));
    QCOMPARE(UniformColour(QRect(Button.left() + 2 * scale, Button.top() + 4 * scale, 5 * scale, Button.height() - 8 * scale)),
             ColorToQColor(clBtnFace));
    QCOMPARE(Screenshot().copy(Label), RestLabel);
    QCOMPARE(UniformColour(Swatch), QColor(0x33, 0x66, 0x99)); // the capture stays
}

void TestE2EEyedropper::monitorsOfDifferentSizes_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QColor>("face");
    QTest::newRow("on the smaller monitor") << QPoint(700, 500) << "#2E8B57" << QColor(0x2E, 0x8B, 0x57);
    QTest::newRow("on the taller monitor") << QPoint(1500, 1100) << "#2E8B57" << QColor(0x2E, 0x8B, 0x57);
    // The root goes on below the smaller monitor, but no monitor shows it: the reading
    // fails, the button shows its fixed rendering, and a key sets all bars to 255.
    QTest::newRow("on neither") << QPoint(300, 1000) << "#FFFFFF" << ColorToQColor(clInvalid);
}

void TestE2EEyedropper::monitorsOfDifferentSizes()
{
    QFETCH(QPoint, pointer);
    QFETCH(QString, code);
    QFETCH(QColor, face);
    if (QGuiApplication::primaryScreen()->geometry().size() != QSize(1600, 1200))
        QSKIP("needs the 1600x1200 screen of test_e2e_monitors");
    Tool("xrandr", {"--setmonitor", "A", "800/211x600/158+0+0", "screen"});
    Tool("xrandr", {"--setmonitor", "B", "800/211x1200/317+800+0", "none"});
    SetRoot("#2E8B57");
    {
        TPicker Picker;
        QColor Face;
        QCOMPARE(Capture(Picker, 1, false, pointer, &Face), code);
        QCOMPARE(Face, face);
    }
    Tool("xrandr", {"--delmonitor", "B"});
    Tool("xrandr", {"--delmonitor", "A"});
}

QTEST_MAIN(TestE2EEyedropper)
#include "test_e2e_eyedropper.moc"
