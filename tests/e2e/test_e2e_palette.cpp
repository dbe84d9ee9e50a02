// The palette page on the real picker: cells clicked with the mouse, the web-safe
// code read back from the clipboard, the swatch and the greyed HTML code on screen.
#include "Desktop.h"
#include "Image.h"
#include "Label.h"
#include "LayoutOracle.h"
#include "PageControl.h"

#include <QTabBar>
#include <QtTest>

namespace {

void ClickAt(const QPoint& P)
{
    Xdotool({"mousemove", "--sync", QString::number(P.x()), QString::number(P.y())});
    Xdotool({"click", "1"});
    QTest::qWait(60);
}

// How dark the darkest pixel of a rectangle is: black text or greyed text.
int DarkestGrey(const QRect& R)
{
    const QImage Shot = Screenshot().copy(R);
    int Darkest = 255;
    for (int Y = 0; Y < Shot.height(); ++Y)
        for (int X = 0; X < Shot.width(); ++X)
            Darkest = std::min(Darkest, qGray(Shot.pixel(X, Y)));
    return Darkest;
}

} // namespace

class TestE2EPalette : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Layout = new TLayoutOracle;
        FrmMain->PageControl1->setCurrentIndex(1); // lay the palette page out
    }
    void cleanupTestCase() { delete Layout; }

    void clickingCells();

private:
    TLayoutOracle* Layout = nullptr;
};

void TestE2EPalette::clickingCells()
{
    TPicker Picker;
    Picker.Focus();
    const QPoint Origin = Picker.Geometry().topLeft();
    const QRect HtmlCode = TLayoutOracle::InWindow(FrmMain->lblHtmlCode).translated(Origin);
    QVERIFY(DarkestGrey(HtmlCode) < 40); // black text while enabled

    QTabBar* Tabs = FrmMain->PageControl1->tabBar();
    ClickAt(Origin + TLayoutOracle::WidgetInWindow(Tabs).topLeft() + Tabs->tabRect(1).center());
    const QPoint Picture = Origin + TLayoutOracle::InWindow(FrmMain->Image1).topLeft();
    const QRect Swatch = TLayoutOracle::InWindow(FrmMain->lblSWebSafe).translated(Origin).adjusted(4, 4, -4, -4);

    const struct {
        QPoint At;
        const char* Code;
    } Presses[] = {{{13, 6}, "#000033"}, {{4, 18}, "#0099CC"}, {{149, 115}, "#FFFFCC"}, {{45, 70}, "#000000"}};
    for (const auto& Press : Presses) {
        ClickAt(Picture + Press.At);
        Xdotool({"key", "ctrl+s"});
        QTest::qWait(50);
        QCOMPARE(Tool("xclip", {"-selection", "clipboard", "-o"}), QString(Press.Code));
        QCOMPARE(UniformColour(Swatch), QColor(QString(Press.Code)));
    }
    // Outside the eyedropper mode a press greys the HTML code, which still copies.
    QVERIFY(DarkestGrey(HtmlCode) > 90);
    Xdotool({"key", "ctrl+w"});
    QTest::qWait(50);
    QCOMPARE(Tool("xclip", {"-selection", "clipboard", "-o"}), QString("#000000"));
}

QTEST_MAIN(TestE2EPalette)
#include "test_e2e_palette.moc"
