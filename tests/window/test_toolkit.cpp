// The component layer on its own: a small form loaded from a description of its
// own, and the behaviours the windows rely on of each component.
#include "Application.h"
#include "FlatButtons.h"
#include "Form.h"
#include "Label.h"
#include "Published.h"
#include "ScrollBar.h"
#include "Timer.h"

#include <QMessageBox>
#include <QPainter>
#include <QtTest>

// A form with one of each component the tests need, and handlers that record.
class TProbeForm : public TForm {
    Q_OBJECT
public:
    static const TFormDesc& Description()
    {
        static const TFormDesc Desc{
            "Probe",
            {{"Caption", "probe"}, {"ClientWidth", 200}, {"ClientHeight", 100}, {"KeyPreview", true}},
            {{"OnKeyDown", "FormKeyDown"}, {"OnMouseDown", "FormMouseDown"}},
            {{"Caption1", "TLabel", nullptr, {{"Left", 10}, {"Top", 10}, {"Caption", "ab"}}, {{"OnClick", "Clicked"}}},
             {"Bar", "TScrollBar", nullptr, {{"Left", 10}, {"Top", 40}, {"Width", 100}, {"Height", 18}, {"Max", 255}},
              {{"OnChange", "BarChange"}}},
             {"Button", "TFlatSpeedButton", nullptr,
              {{"Left", 120}, {"Top", 10}, {"Width", 40}, {"Height", 30}, {"ColorShadow", 0x808040}},
              {{"OnClick", "Clicked"}}},
             {"Ticker", "TTimer", nullptr, {{"Interval", 5}, {"Enabled", false}}, {{"OnTimer", "Tick"}}}}};
        return Desc;
    }
    static const TPublished& Published()
    {
        using F = TProbeForm;
        static const TPublished Table{
            {Field("Caption1", &F::Caption1), Field("Bar", &F::Bar), Field("Button", &F::Button),
             Field("Ticker", &F::Ticker)},
            {Method("FormKeyDown", &F::FormKeyDown), Method("FormMouseDown", &F::FormMouseDown),
             Method("Clicked", &F::Clicked), Method("BarChange", &F::BarChange), Method("Tick", &F::Tick)}};
        return Table;
    }

    TLabel* Caption1 = nullptr;
    TScrollBar* Bar = nullptr;
    TFlatSpeedButton* Button = nullptr;
    TTimer* Ticker = nullptr;
    QStringList Log;
    Word ReplaceKey = 0xFFFF; // what FormKeyDown leaves in Key; 0xFFFF: unchanged
    bool FailInBarChange = false;

    void FormKeyDown(TObject*, Word& Key, TShiftState)
    {
        Log << QString("key %1").arg(Key);
        if (ReplaceKey != 0xFFFF)
            Key = ReplaceKey;
    }
    void FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { Log << QString("form %1,%2").arg(X).arg(Y); }
    void Clicked(TObject* Sender) { Log << "click " + Sender->objectName(); }
    void Tick(TObject*) { Log << "tick"; }
    void BarChange(TObject*)
    {
        Log << QString("bar %1").arg(Bar->Position());
        if (FailInBarChange && Bar->Position() == 5)
            Bar->SetPosition(6); // nested: fails at 6 and ends the whole chain
        if (FailInBarChange && Bar->Position() == 6)
            throw EPlatformError("装置が見つかりません");
        Log << "after";
    }
};

namespace {

int PaintsOf(QWidget* W, const std::function<void()>& Change)
{
    struct TCounter : QObject {
        int Paints = 0;
        bool eventFilter(QObject*, QEvent* E) override
        {
            Paints += E->type() == QEvent::Paint;
            return false;
        }
    } Counter;
    QCoreApplication::processEvents();
    W->installEventFilter(&Counter);
    Change();
    QCoreApplication::processEvents();
    W->removeEventFilter(&Counter);
    return Counter.Paints;
}

// What the widget paints, at Scale device pixels to a logical one.
QImage Rendered(QWidget* W, int Scale = 1)
{
    QImage Image(W->size() * Scale, QImage::Format_RGB32);
    Image.setDevicePixelRatio(Scale);
    W->render(&Image);
    return Image;
}

} // namespace

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        App = new TApplication;
        App->CreateForm(Probe);
        Probe->show();
        QVERIFY(QTest::qWaitForWindowActive(Probe));
    }
    void cleanup()
    {
        delete App;
        Probe = nullptr;
    }

    void systemColours_data();
    void systemColours();
    void sameColourRepaintsNothing();
    void labelClickAndPressesOnTheSurface();
    void disabledLabelTextIsGreyed();
    void flatButtonFaceAndFrame_data();
    void flatButtonFaceAndFrame();
    void keyPreviewSeesKeysBeforeTheControl();
    void timerTicksOnlyWhileEnabled();
    void platformErrorEndsTheChainAndShowsTheMessage();
    void descriptionFaultsAreCaught();

private:
    TApplication* App = nullptr;
    TProbeForm* Probe = nullptr;
};

void TestToolkit::systemColours_data()
{
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QColor>("shown");
    const QPalette Pal = QGuiApplication::palette();
    QTest::newRow("plain") << uint(0x1E64C8) << QColor(200, 100, 30);
    QTest::newRow("top byte of a plain value ignored") << uint(0x011E64C8) << QColor(200, 100, 30);
    QTest::newRow("button face") << uint(clBtnFace) << Pal.color(QPalette::Window);
    QTest::newRow("window text") << uint(clWindowText) << Pal.color(QPalette::WindowText);
    QTest::newRow("3-D light") << uint(cl3DLight) << Pal.color(QPalette::Midlight);
    QTest::newRow("unknown system colour") << uint(0x80000063) << QColor(Qt::black);
    QTest::newRow("failed reading") << uint(0xFFFFFFFF) << QColor(Qt::black);
}

void TestToolkit::systemColours()
{
    QFETCH(uint, colour);
    QFETCH(QColor, shown);
    QCOMPARE(ColorToQColor(colour), shown);
}

void TestToolkit::sameColourRepaintsNothing()
{
    for (TControl* C : std::initializer_list<TControl*>{Probe->Caption1, Probe->Button}) {
        C->SetColor(0x123456);
        QCOMPARE(PaintsOf(&C->Widget(), [&] { C->SetColor(0x123456); }), 0);
        QVERIFY(PaintsOf(&C->Widget(), [&] { C->SetColor(0x654321); }) > 0);
        QCOMPARE(Rendered(&C->Widget()).pixelColor(C->Width() / 2, 1), QColor(0x21, 0x43, 0x65));
    }
}

void TestToolkit::labelClickAndPressesOnTheSurface()
{
    QTest::mouseClick(&Probe->Caption1->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(&Probe->Caption1->Widget(), Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseClick(Probe->Surface(), Qt::MiddleButton, {}, QPoint(150, 80));
    QCOMPARE(Probe->Log, (QStringList{"click Caption1", "form 150,80"}));
    Probe->Log.clear();
    Probe->Caption1->SetEnabled(false); // a disabled control lets the press through
    QTest::mousePress(&Probe->Caption1->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(Probe->Log, QStringList{"form 13,13"});
}

void TestToolkit::disabledLabelTextIsGreyed()
{
    Probe->Caption1->SetCaption("■■■■");
    // The darkest and the lightest ink (smoothed text has many shades).
    auto InkRange = [&] {
        int Darkest = 255, Lightest = 0;
        const QImage Image = Rendered(&Probe->Caption1->Widget());
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X) {
                const int Grey = qGray(Image.pixel(X, Y));
                Darkest = std::min(Darkest, Grey);
                Lightest = std::max(Lightest, Grey);
            }
        return std::pair{Darkest, Lightest};
    };
    const int Face = qGray(ColorToQColor(clBtnFace).rgb());
    QVERIFY(InkRange().first < 40);      // black text
    QCOMPARE(InkRange().second, Face);   // on the face, nothing lighter
    Probe->Caption1->SetEnabled(false);
    const auto [Darkest, Lightest] = InkRange();
    QVERIFY(Darkest >= qGray(ColorToQColor(clBtnShadow).rgb()) - 2); // shadow grey, not black
    QVERIFY(Lightest > Face);                                        // the embossed highlight
}

void TestToolkit::flatButtonFaceAndFrame_data()
{
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("down");
    QTest::addColumn<uint>("face");
    QTest::addColumn<uint>("topLeft");
    QTest::addColumn<uint>("bottomRight");
    QTest::newRow("up") << false << false << uint(0x00FF00) << uint(0x8396A0) << uint(0x8396A0);
    QTest::newRow("hover") << true << false << uint(0xFFFFFF) << uint(clWhite) << uint(0x808040);
    QTest::newRow("down") << true << true << uint(0xC5D6D9) << uint(0x808040) << uint(clWhite);
}

void TestToolkit::flatButtonFaceAndFrame()
{
    QFETCH(bool, hover);
    QFETCH(bool, down);
    QFETCH(uint, face);
    QFETCH(uint, topLeft);
    QFETCH(uint, bottomRight);
    TFlatSpeedButton* B = Probe->Button;
    B->SetColor(0x00FF00);
    B->setAttribute(Qt::WA_UnderMouse, hover);
    B->setDown(down);
    QCOMPARE(B->FaceColor(), TColor(face));
    // The frame is one logical pixel on every side, so as many device pixels as the
    // scale; the corners where the two colours meet take the bottom-right one.
    for (const int Scale : {1, 2}) {
        const QImage Image = Rendered(B, Scale);
        const int W = Image.width(), H = Image.height();
        QCOMPARE(Image.pixelColor(W / 2, H / 2), ColorToQColor(face));
        for (int D = 0; D < Scale; ++D) {
            QCOMPARE(Image.pixelColor(W / 2, D), ColorToQColor(topLeft));
            QCOMPARE(Image.pixelColor(D, H / 2), ColorToQColor(topLeft));
            QCOMPARE(Image.pixelColor(W / 2, H - 1 - D), ColorToQColor(bottomRight));
            QCOMPARE(Image.pixelColor(W - 1 - D, H / 2), ColorToQColor(bottomRight));
        }
        QCOMPARE(Image.pixelColor(W / 2, Scale), ColorToQColor(face));
        QCOMPARE(Image.pixelColor(Scale, H / 2), ColorToQColor(face));
        QCOMPARE(Image.pixelColor(W / 2, H - 1 - Scale), ColorToQColor(face));
        QCOMPARE(Image.pixelColor(W - 1 - Scale, H / 2), ColorToQColor(face));
        QCOMPARE(Image.pixelColor(W - 1, 0), ColorToQColor(bottomRight));
        QCOMPARE(Image.pixelColor(0, H - 1), ColorToQColor(bottomRight));
    }
}

void TestToolkit::keyPreviewSeesKeysBeforeTheControl()
{
    Probe->Bar->setFocus();
    QTest::keyClick(Probe->windowHandle(), Qt::Key_Right);
    QCOMPARE(Probe->Log, (QStringList{"key 39", "bar 1", "after"})); // the form first, then the bar
    Probe->Log.clear();
    Probe->ReplaceKey = 0; // a handler that clears Key keeps it from the control
    QTest::keyClick(Probe->windowHandle(), Qt::Key_Right);
    QCOMPARE(Probe->Log, QStringList{"key 39"});
    QCOMPARE(Probe->Bar->Position(), 1);
}

void TestToolkit::timerTicksOnlyWhileEnabled()
{
    QTest::qWait(30);
    QVERIFY(!Probe->Log.contains("tick"));
    Probe->Ticker->SetEnabled(true);
    QTRY_VERIFY(Probe->Log.count("tick") >= 3);
    Probe->Ticker->SetEnabled(false);
    const qsizetype Ticks = Probe->Log.count("tick");
    QTest::qWait(30);
    QCOMPARE(Probe->Log.count("tick"), Ticks);
}

void TestToolkit::platformErrorEndsTheChainAndShowsTheMessage()
{
    Probe->FailInBarChange = true;
    QString Shown;
    QTimer::singleShot(0, [&] {
        auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(Box);
        Shown = Box->text();
        Box->accept();
    });
    Probe->Bar->SetPosition(5);
    QCOMPARE(Shown, QString("装置が見つかりません"));
    // The nested handler failed before its "after", and so did the outer one.
    QCOMPARE(Probe->Log, (QStringList{"bar 5", "bar 6"}));
    QCOMPARE(Probe->Bar->Position(), 6);
}

void TestToolkit::descriptionFaultsAreCaught()
{
    struct TBadForm : TForm {
        static const TFormDesc& Description()
        {
            static const TFormDesc Desc{"Bad", {}, {}, {{"L", "TLabel", nullptr, {{"Colour", 1}}, {}}}};
            return Desc;
        }
        static const TPublished& Published()
        {
            static const TPublished None;
            return None;
        }
    };
    TBadForm* Bad = nullptr;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, App->CreateForm(Bad));
}

QTEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
