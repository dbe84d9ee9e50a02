// The colour helpers: codes, web-safe snapping, the bar snapshot and the swatch.
#include "ColorLabel.h"
#include "HTMLColor.h"
#include "Label.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "Slider.h"

#include <QtTest>
#include <cmath>

class TestColour : public QObject {
    Q_OBJECT
private slots:
    void init() { Fixture = new TPickerFixture; }
    void cleanup() { delete Fixture; }

    void codes_data();
    void codes();
    void bandEdges_data();
    void bandEdges();
    void snappingIsNearestMultipleOf51();
    void everyCodeIsSevenUpperCaseCharacters();
    void sliderSnapshotAndBars();
    void colorLabelPaintsTheSwatch();

private:
    TPickerFixture* Fixture = nullptr;
};

void TestColour::codes_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("websafe");
    QTest::newRow("200,100,30") << 200 << 100 << 30 << "#C8641E" << "#CC6633";
    QTest::newRow("black") << 0 << 0 << 0 << "#000000" << "#000000";
    QTest::newRow("white") << 255 << 255 << 255 << "#FFFFFF" << "#FFFFFF";
    QTest::newRow("leading zeros, upper case") << 5 << 10 << 171 << "#050AAB" << "#000099";
    QTest::newRow("green and blue snap too") << 25 << 26 << 76 << "#191A4C" << "#003333";
    QTest::newRow("77,127,128") << 77 << 127 << 128 << "#4D7F80" << "#666699";
    QTest::newRow("178,179,229") << 178 << 179 << 229 << "#B2B3E5" << "#99CCCC";
    QTest::newRow("230,255,0") << 230 << 255 << 0 << "#E6FF00" << "#FFFF00";
    QTest::newRow("already web-safe") << 51 << 102 << 153 << "#336699" << "#336699";
}

void TestColour::codes()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QString, html);
    QFETCH(QString, websafe);
    THTMLColor Codes;
    QCOMPARE(Codes.GetHTMLCode(r, g, b), html);
    QCOMPARE(Codes.GetWebSafeCode(r, g, b), websafe);
    // The swatch shows the colour the web-safe code names.
    const TColor Swatch = FrmMain->lblSWebSafe->Color();
    QCOMPARE(Codes.GetHTMLCode(RedOf(Swatch), GreenOf(Swatch), BlueOf(Swatch)), websafe);
    QCOMPARE(Swatch >> 24, 0u);
}

void TestColour::bandEdges_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("level");
    const int Edges[][3] = {{25, 0, 51}, {76, 51, 102}, {127, 102, 153}, {178, 153, 204}, {229, 204, 255}};
    for (const auto& [Below, Down, Up] : Edges) {
        QTest::addRow("%d", Below) << Below << Down;
        QTest::addRow("%d", Below + 1) << Below + 1 << Up;
    }
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("255") << 255 << 255;
}

void TestColour::bandEdges()
{
    QFETCH(int, value);
    QFETCH(int, level);
    QCOMPARE(int(THTMLColor::WebSafeLevel(value)), level);
}

void TestColour::snappingIsNearestMultipleOf51()
{
    for (int V = 0; V <= 255; ++V) {
        const int Level = THTMLColor::WebSafeLevel(V);
        QCOMPARE(Level % 51, 0);
        QCOMPARE(Level, int(std::lround(V / 51.0)) * 51);
        QVERIFY2(std::abs(Level - V) <= 25, qPrintable(QString::number(V)));
    }
}

void TestColour::everyCodeIsSevenUpperCaseCharacters()
{
    THTMLColor Codes;
    for (int V = 0; V <= 255; ++V) {
        const QString Code = Codes.GetHTMLCode(V, 255 - V, V ^ 0x5A);
        QCOMPARE(Code.size(), 7);
        QCOMPARE(Code, Code.toUpper());
        QCOMPARE(Code.mid(1, 2).toInt(nullptr, 16), V);
        QCOMPARE(Code.mid(3, 2).toInt(nullptr, 16), 255 - V);
        QCOMPARE(Code.mid(5, 2).toInt(nullptr, 16), V ^ 0x5A);
    }
}

void TestColour::sliderSnapshotAndBars()
{
    TSlider Slider;
    QCOMPARE(Slider.GetColor(), TColor(0));
    FrmMain->sclRed->SetPosition(0x12);
    FrmMain->sclGreen->SetPosition(0x34);
    FrmMain->sclBlue->SetPosition(0x56);
    QCOMPARE(Slider.GetColor(), TColor(0)); // a snapshot, not a view of the bars
    Slider.ReadBars();
    QCOMPARE(Slider.GetColor(), TColor(0x563412));
    Slider.SetBars(200, 100, 30);
    QCOMPARE(FrmMain->sclRed->Position(), 200);
    QCOMPARE(FrmMain->sclGreen->Position(), 100);
    QCOMPARE(FrmMain->sclBlue->Position(), 30);
    QCOMPARE(Slider.GetColor(), TColor(0x563412)); // until the next snapshot
    Slider.ResetBars();
    Slider.ReadBars();
    QCOMPARE(Slider.GetColor(), TColor(0));
}

void TestColour::colorLabelPaintsTheSwatch()
{
    TColorLabel Swatch;
    QCOMPARE(Swatch.Color(), TColor(0));
    for (TColor C : {TColor(0x1E64C8), clBtnFace, clInvalid, TColor(0)}) {
        Swatch.SetColor(C);
        QCOMPARE(Swatch.Color(), C);
        QCOMPARE(FrmMain->Label1->Color(), C);
    }
}

QTEST_MAIN(TestColour)
#include "test_colour.moc"
