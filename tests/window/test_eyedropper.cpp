// The eyedropper on the real window with a fake screen: switching the mode, the
// live tick, capture by key, the swatch by mouse press, and the failure values.
#include "Clipboard.h"
#include "ColorSpoit.h"
#include "FlatButtons.h"
#include "Inspector.h"
#include "Label.h"
#include "PickerFixture.h"
#include "Screen.h"
#include "ScrollBar.h"
#include "SpinEdit.h"
#include "Timer.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

namespace {

// A screen whose pixel and pointer the test sets.
struct TFakeScreen {
    static inline TColor Pixel = 0;
    static inline bool PointerKnown = true;
    static inline int Reads = 0;
    static inline QPoint LastRead;
    static std::uint32_t Read(int X, int Y)
    {
        ++Reads;
        LastRead = {X, Y};
        return Pixel;
    }
    static bool Cursor(int& X, int& Y)
    {
        if (!PointerKnown)
            return false;
        X = -40; // a monitor left of the primary one
        Y = 300;
        return true;
    }
    static inline const platform::TScreenBackend Backend{Read, Cursor};
};

const QString Prompt = QString::fromUtf8(" 何かキー\r\nを押すと色を\r\n 取得します");

void VerifyBars(int R, int G, int B)
{
    QCOMPARE(FrmMain->sclRed->Position(), R);
    QCOMPARE(FrmMain->sclGreen->Position(), G);
    QCOMPARE(FrmMain->sclBlue->Position(), B);
}

void PressKey(Qt::Key Key, bool Repeat = false)
{
    QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, QString(), Repeat);
    QCoreApplication::sendEvent(FrmMain->windowHandle(), &Press);
}

} // namespace

class TestEyedropper : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        TFakeScreen::Pixel = 0;
        TFakeScreen::PointerKnown = true;
        TFakeScreen::Reads = 0;
        platform::SetScreenBackend(&TFakeScreen::Backend);
        Fixture = new TPickerFixture;
        FrmMain->show();
        QVERIFY(QTest::qWaitForWindowActive(FrmMain));
    }
    void cleanup()
    {
        delete Fixture;
        platform::SetScreenBackend(nullptr);
    }

    void offStateLeavesKeysAndPressesAlone();
    void switchingOnAndOff_data();
    void switchingOnAndOff();
    void tickPaintsButtonAndLabel();
    void tickWithoutAPointerPositionSkipsTheReading();
    void keyCapturesTheButtonsColourAndGoesOn();
    void keyBeforeTheFirstTickCapturesButtonFace();
    void failedReadingCapturesWhite();
    void repeatedKeyCapturesEachTime();
    void ctrlWCapturesOnceAndCopiesTheCapture();
    void mousePressOnTheSurfacePaintsOnlyTheSwatch();

private:
    TPickerFixture* Fixture = nullptr;
};

void TestEyedropper::offStateLeavesKeysAndPressesAlone()
{
    FrmMain->spnG->Editor()->setFocus();
    TFakeScreen::Pixel = 0x336699;
    PressKey(Qt::Key_Up);
    VerifyBars(0, 1, 0); // the key reached the spin edit and nothing was captured
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x000100));
    QTest::mouseClick(FrmMain->Surface(), Qt::LeftButton, {}, QPoint(200, 100));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x000100));
    QCOMPARE(TFakeScreen::Reads, 0);
}

void TestEyedropper::switchingOnAndOff_data()
{
    QTest::addColumn<bool>("byLabel");
    QTest::newRow("button") << false;
    QTest::newRow("label") << true;
}

void TestEyedropper::switchingOnAndOff()
{
    QFETCH(bool, byLabel);
    auto Click = [&] {
        if (byLabel)
            QTest::mouseClick(&FrmMain->lblSpoitMsg->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::mouseClick(FrmMain->ftbSpoit, Qt::LeftButton, {}, QPoint(5, 5));
    };
    FrmMain->fbtHTML->SetEnabled(false);
    FrmMain->lblHtmlCode->SetEnabled(false);
    Click();
    QVERIFY(FrmMain->Timer1->Enabled());
    QVERIFY(FrmMain->fbtHTML->Enabled() && FrmMain->lblHtmlCode->Enabled());
    QCOMPARE(FrmMain->lblSpoitMsg->Caption(), Prompt);
    QCOMPARE(FrmMain->lblSpoitMsg->Widget().pos(), QPoint(240, 34));
    QCOMPARE(FrmMain->lblSpoitMsg->Height(), 3 * QFontMetrics(FrmMain->lblSpoitMsg->Widget().font()).height());
    QCOMPARE(FrmMain->ftbSpoit->Color(), clBtnFace); // until the first tick
    QCOMPARE(FrmMain->lblSpoitMsg->Color(), clBtnFace);

    TFakeScreen::Pixel = 0x1E64C8;
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), TColor(0x1E64C8));
    PressKey(Qt::Key_Space);
    VerifyBars(200, 100, 30);

    Click();
    QVERIFY(!FrmMain->Timer1->Enabled());
    QCOMPARE(FrmMain->lblSpoitMsg->Caption(), QString("スポイト"));
    QCOMPARE(FrmMain->lblSpoitMsg->Widget().pos(), QPoint(252, 44));
    QCOMPARE(FrmMain->ftbSpoit->Color(), clBtnFace);
    QCOMPARE(FrmMain->lblSpoitMsg->Color(), clBtnFace);
    // The capture stays, and so does the sampler's reading.
    VerifyBars(200, 100, 30);
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#C8641E"));
    QCOMPARE(TFrmMainInspector::Spoit()->GetColor(), TColor(0x1E64C8));
    const int Reads = TFakeScreen::Reads;
    QTest::qWait(40);
    QCOMPARE(TFakeScreen::Reads, Reads); // no tick after switching off
}

void TestEyedropper::tickPaintsButtonAndLabel()
{
    FrmMain->ftbSpoit->click();
    TFakeScreen::Pixel = 0x0A0B0C;
    QTRY_COMPARE(FrmMain->lblSpoitMsg->Color(), TColor(0x0A0B0C));
    QCOMPARE(FrmMain->ftbSpoit->Color(), TColor(0x0A0B0C));
    QCOMPARE(TFakeScreen::LastRead, QPoint(-40, 300)); // passed on unchanged
    // A tick changes nothing of the colour being edited.
    VerifyBars(0, 0, 0);
    QCOMPARE(FrmMain->Label1->Color(), TColor(0));
}

void TestEyedropper::tickWithoutAPointerPositionSkipsTheReading()
{
    TFakeScreen::PointerKnown = false;
    FrmMain->ftbSpoit->click();
    QTest::qWait(50);
    QCOMPARE(TFakeScreen::Reads, 0);
    QCOMPARE(FrmMain->ftbSpoit->Color(), clBtnFace);
    TFakeScreen::PointerKnown = true;
    QTRY_VERIFY(TFakeScreen::Reads > 0);
}

void TestEyedropper::keyCapturesTheButtonsColourAndGoesOn()
{
    FrmMain->ftbSpoit->click();
    TFakeScreen::Pixel = 0x1E64C8;
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), TColor(0x1E64C8));
    FrmMain->spnB->Editor()->setFocus();
    PressKey(Qt::Key_Up);
    // Captured 200, 100, 30, then the Up key went on to the blue spin edit.
    VerifyBars(200, 100, 31);
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x1F64C8));
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#C8641F"));
    QCOMPARE(FrmMain->lblWebSafe->Caption(), QString("#CC6633"));
    QVERIFY(FrmMain->Timer1->Enabled());
}

void TestEyedropper::keyBeforeTheFirstTickCapturesButtonFace()
{
    FrmMain->ftbSpoit->click();
    PressKey(Qt::Key_A); // no tick has been delivered yet
    VerifyBars(15, 0, 0);
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x00000F)); // recomposed by the red bar's chain
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#0F0000"));
    // The same key once the bars are there already leaves the face colour on the swatch.
    FrmMain->Timer1->SetEnabled(false);
    FrmMain->Timer1->SetEnabled(true);
    PressKey(Qt::Key_A);
    QCOMPARE(FrmMain->Label1->Color(), clBtnFace);
}

void TestEyedropper::failedReadingCapturesWhite()
{
    TFakeScreen::Pixel = clInvalid;
    FrmMain->ftbSpoit->click();
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), clInvalid);
    QCOMPARE(FrmMain->lblSpoitMsg->Color(), clInvalid);
    PressKey(Qt::Key_Shift);
    VerifyBars(255, 255, 255);
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#FFFFFF"));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0xFFFFFF));
}

void TestEyedropper::repeatedKeyCapturesEachTime()
{
    FrmMain->ftbSpoit->click();
    for (TColor C : {TColor(0x010203), TColor(0x040506), TColor(0x070809)}) {
        TFakeScreen::Pixel = C;
        QTRY_COMPARE(FrmMain->ftbSpoit->Color(), C);
        PressKey(Qt::Key_X, true);
        VerifyBars(RedOf(C), GreenOf(C), BlueOf(C));
    }
}

void TestEyedropper::ctrlWCapturesOnceAndCopiesTheCapture()
{
    FrmMain->ftbSpoit->click();
    TFakeScreen::Pixel = 0x336699;
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), TColor(0x336699));
    TEventLog::Start();
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    TEventLog::Stop();
    QCOMPARE(TEventLog::Events.count("FrmMain"), 1); // the Ctrl key, not the W
    QCOMPARE(TEventLog::Events.count("HTML1"), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Clipboard), QString("#996633"));
}

void TestEyedropper::mousePressOnTheSurfacePaintsOnlyTheSwatch()
{
    FrmMain->ftbSpoit->click();
    QTest::mouseClick(FrmMain->Surface(), Qt::RightButton, {}, QPoint(200, 100));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0)); // the sampler's first value: no tick yet
    TFakeScreen::Pixel = 0x445566;
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), TColor(0x445566));
    QTest::mouseClick(FrmMain->Surface(), Qt::MiddleButton, {}, QPoint(220, 110));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x445566));
    VerifyBars(0, 0, 0);
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#000000"));
    // A press on a control is not a press on the surface.
    TFakeScreen::Pixel = 0x778899;
    QTRY_COMPARE(FrmMain->ftbSpoit->Color(), TColor(0x778899));
    QTest::mouseClick(&FrmMain->Label5->Widget(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(FrmMain->Label1->Color(), TColor(0x445566));
}

QTEST_MAIN(TestEyedropper)
#include "test_eyedropper.moc"
