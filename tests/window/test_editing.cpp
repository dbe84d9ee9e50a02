// The editing chain: bars, spin edits, swatch and both codes kept in step, on the
// real main window.
#include "ColorLabel.h"
#include "Inspector.h"
#include "Label.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "SpinEdit.h"

#include <QLineEdit>
#include <QtTest>

namespace {

QString Code(int R, int G, int B)
{
    return QString("#%1%2%3").arg(R, 2, 16, QChar('0')).arg(G, 2, 16, QChar('0')).arg(B, 2, 16, QChar('0')).toUpper();
}

int Snap(int V) { return (V + 25) / 51 * 51; }

// Everything the chain keeps in step describes the bars' colour.
void VerifyInStep()
{
    const int R = FrmMain->sclRed->Position(), G = FrmMain->sclGreen->Position(), B = FrmMain->sclBlue->Position();
    QCOMPARE(FrmMain->Label1->Color(), RGBToColor(R, G, B));
    QCOMPARE(TFrmMainInspector::ColorLabel()->Color(), RGBToColor(R, G, B));
    QCOMPARE(TFrmMainInspector::Slider()->GetColor(), RGBToColor(R, G, B));
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), Code(R, G, B));
    QCOMPARE(FrmMain->lblWebSafe->Caption(), Code(Snap(R), Snap(G), Snap(B)));
    QCOMPARE(FrmMain->lblSWebSafe->Color(), RGBToColor(Snap(R), Snap(G), Snap(B)));
}

void Type(TSpinEdit* Spin, const QString& Keys) { QTest::keyClicks(Spin->Editor(), Keys); }

} // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void init() { Fixture = new TPickerFixture; }
    void cleanup()
    {
        TEventLog::Stop();
        delete Fixture;
    }

    void barChangeRunsTheWholeChain_data();
    void barChangeRunsTheWholeChain();
    void dragFollowsEveryTrackedPosition();
    void writingTheSamePositionRunsNothing();
    void lineStepAtEitherEndRunsNothing();
    void setBarsRunsOncePerMovingBar_data();
    void setBarsRunsOncePerMovingBar();
    void typing_data();
    void typing();
    void letterIsRefusedWithABeep();
    void pastingTextThatIsNoNumber();
    void upButtonAtTheTop();
    void eachSpinEditMovesItsOwnBar_data();
    void eachSpinEditMovesItsOwnBar();

private:
    TPickerFixture* Fixture = nullptr;
};

void TestEditing::barChangeRunsTheWholeChain_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("websafe");
    QTest::newRow("200,100,30") << 200 << 100 << 30 << "#C8641E" << "#CC6633";
    QTest::newRow("5,10,171") << 5 << 10 << 171 << "#050AAB" << "#000099";
    QTest::newRow("25,26,76") << 25 << 26 << 76 << "#191A4C" << "#003333";
    QTest::newRow("255,255,255") << 255 << 255 << 255 << "#FFFFFF" << "#FFFFFF";
    QTest::newRow("51,102,153") << 51 << 102 << 153 << "#336699" << "#336699";
}

void TestEditing::barChangeRunsTheWholeChain()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QString, html);
    QFETCH(QString, websafe);
    FrmMain->sclRed->SetPosition(r);
    FrmMain->sclGreen->SetPosition(g);
    FrmMain->sclBlue->SetPosition(b);
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), html);
    QCOMPARE(FrmMain->lblWebSafe->Caption(), websafe);
    QCOMPARE(FrmMain->spnR->Text(), QString::number(r));
    QCOMPARE(FrmMain->spnG->Text(), QString::number(g));
    QCOMPARE(FrmMain->spnB->Text(), QString::number(b));
    VerifyInStep();
}

void TestEditing::dragFollowsEveryTrackedPosition()
{
    FrmMain->sclRed->SetPosition(30);
    FrmMain->sclGreen->SetPosition(100);
    TEventLog::Start();
    FrmMain->sclRed->setSliderDown(true);
    for (int P = 31; P <= 200; ++P) {
        FrmMain->sclRed->setSliderPosition(P);
        QCOMPARE(FrmMain->spnR->Text(), QString::number(P));
        VerifyInStep();
    }
    FrmMain->sclRed->setSliderDown(false);
    QCOMPARE(TEventLog::Events.count("sclRed"), 170);
}

void TestEditing::writingTheSamePositionRunsNothing()
{
    FrmMain->sclBlue->SetPosition(77);
    TEventLog::Start();
    FrmMain->sclBlue->SetPosition(77);
    FrmMain->sclRed->SetPosition(0);
    FrmMain->sclRed->SetPosition(-5);  // clamps to 0, where it already is
    FrmMain->sclBlue->SetPosition(77);
    QCOMPARE(TEventLog::Events, QStringList{});
    FrmMain->sclBlue->SetPosition(300); // clamps to 255 and moves
    QCOMPARE(FrmMain->sclBlue->Position(), 255);
    QCOMPARE(TEventLog::Events, (QStringList{"sclBlue", "spnB"}));
}

void TestEditing::lineStepAtEitherEndRunsNothing()
{
    FrmMain->sclGreen->SetPosition(255);
    TEventLog::Start();
    FrmMain->sclRed->triggerAction(QAbstractSlider::SliderSingleStepSub);
    FrmMain->sclRed->triggerAction(QAbstractSlider::SliderPageStepSub);
    FrmMain->sclGreen->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    FrmMain->sclGreen->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(TEventLog::Events, QStringList{});
    FrmMain->sclGreen->triggerAction(QAbstractSlider::SliderPageStepSub); // a page step is 1
    QCOMPARE(FrmMain->sclGreen->Position(), 254);
    FrmMain->sclGreen->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(FrmMain->sclGreen->Position(), 0);
    QCOMPARE(TEventLog::Events, (QStringList{"sclGreen", "spnG", "sclGreen", "spnG"}));
    VerifyInStep();
}

void TestEditing::setBarsRunsOncePerMovingBar_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("all three move") << QList<int>{0, 0, 0} << QList<int>{200, 100, 30}
                                    << QStringList{"sclRed", "spnR", "sclGreen", "spnG", "sclBlue", "spnB"};
    QTest::newRow("green alone") << QList<int>{10, 20, 30} << QList<int>{10, 99, 30}
                                 << QStringList{"sclGreen", "spnG"};
    QTest::newRow("red and blue") << QList<int>{10, 20, 30} << QList<int>{0, 20, 255}
                                  << QStringList{"sclRed", "spnR", "sclBlue", "spnB"};
    QTest::newRow("none") << QList<int>{10, 20, 30} << QList<int>{10, 20, 30} << QStringList{};
}

void TestEditing::setBarsRunsOncePerMovingBar()
{
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(QStringList, events);
    TFrmMainInspector::Slider()->SetBars(before[0], before[1], before[2]);
    TEventLog::Start();
    TFrmMainInspector::Slider()->SetBars(after[0], after[1], after[2]);
    QCOMPARE(TEventLog::Events, events);
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), Code(after[0], after[1], after[2]));
    VerifyInStep();
}

// Each row: the bar's position, the text to start from, the caret, what is typed
// ("A" selects all, "\b" is Backspace), then the bar and text that result, and the text once the field has lost the focus.
void TestEditing::typing_data()
{
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("barAfter");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("textAfterFocusLoss");
    QTest::newRow("300 clamps to 255") << 30 << "30" << 2 << "0" << 255 << "255" << "255";
    QTest::newRow("2555 stays until focus loss") << 255 << "255" << 3 << "5" << 255 << "2555" << "255";
    QTest::newRow("delete all at 100") << 100 << "100" << 0 << "A\b" << 0 << "0" << "0";
    QTest::newRow("delete all at 0") << 0 << "0" << 0 << "A\b" << 0 << "" << "";
    QTest::newRow("007 at 7") << 7 << "7" << 0 << "00" << 7 << "007" << "007";
    QTest::newRow("007 elsewhere") << 50 << "50" << 0 << "A007" << 7 << "7" << "7";
    QTest::newRow("-5 at 0") << 0 << "0" << 1 << "\b-5" << 0 << "-5" << "0";
    QTest::newRow("+12") << 0 << "0" << 1 << "\b+12" << 12 << "12" << "12";
}

void TestEditing::typing()
{
    QFETCH(int, bar);
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(int, barAfter);
    QFETCH(QString, textAfter);
    QFETCH(QString, textAfterFocusLoss);
    FrmMain->show();
    QVERIFY(QTest::qWaitForWindowActive(FrmMain));
    FrmMain->sclRed->SetPosition(bar);
    QCOMPARE(FrmMain->spnR->Text(), QString::number(bar));
    FrmMain->spnR->Editor()->setFocus();
    FrmMain->spnR->Editor()->setCursorPosition(caret);
    QCOMPARE(FrmMain->spnR->Text(), start);
    for (QChar C : typed) {
        if (C == 'A')
            QTest::keyClick(FrmMain->spnR->Editor(), Qt::Key_A, Qt::ControlModifier);
        else if (C == '\b')
            QTest::keyClick(FrmMain->spnR->Editor(), Qt::Key_Backspace);
        else
            QTest::keyClicks(FrmMain->spnR->Editor(), QString(C));
    }
    QCOMPARE(FrmMain->sclRed->Position(), barAfter);
    QCOMPARE(FrmMain->spnR->Text(), textAfter);
    VerifyInStep();
    FrmMain->sclGreen->setFocus();
    QCOMPARE(FrmMain->spnR->Text(), textAfterFocusLoss);
    QCOMPARE(FrmMain->sclRed->Position(), barAfter);
    VerifyInStep();
}

void TestEditing::letterIsRefusedWithABeep()
{
    TBeepCounter Beeps;
    FrmMain->sclRed->SetPosition(42);
    TEventLog::Start();
    Type(FrmMain->spnR, "a");
    QTest::keyClick(FrmMain->spnR->Editor(), Qt::Key_Return);
    QCOMPARE(Beeps.Count, 2);
    QCOMPARE(FrmMain->spnR->Text(), QString("42"));
    QCOMPARE(TEventLog::Events, QStringList{});
}

void TestEditing::pastingTextThatIsNoNumber()
{
    FrmMain->sclRed->SetPosition(50);
    FrmMain->spnR->Editor()->selectAll();
    FrmMain->spnR->Editor()->insert("abc"); // what a paste over the selection does
    QCOMPARE(FrmMain->sclRed->Position(), 0);
    QCOMPARE(FrmMain->spnR->Text(), QString("0"));
    VerifyInStep();
}

void TestEditing::upButtonAtTheTop()
{
    FrmMain->sclBlue->SetPosition(255);
    TEventLog::Start();
    QTest::keyClick(FrmMain->spnB->Editor(), Qt::Key_Up);
    QCOMPARE(FrmMain->spnB->Text(), QString("255"));
    QCOMPARE(TEventLog::Events, QStringList{});
    QTest::keyClick(FrmMain->spnB->Editor(), Qt::Key_Down);
    QCOMPARE(FrmMain->sclBlue->Position(), 254);
    VerifyInStep();
}

void TestEditing::eachSpinEditMovesItsOwnBar_data()
{
    QTest::addColumn<int>("channel");
    QTest::newRow("red") << 0;
    QTest::newRow("green") << 1;
    QTest::newRow("blue") << 2;
}

void TestEditing::eachSpinEditMovesItsOwnBar()
{
    QFETCH(int, channel);
    TSpinEdit* Spins[] = {FrmMain->spnR, FrmMain->spnG, FrmMain->spnB};
    TScrollBar* Bars[] = {FrmMain->sclRed, FrmMain->sclGreen, FrmMain->sclBlue};
    Spins[channel]->SetText("123");
    for (int I = 0; I < 3; ++I)
        QCOMPARE(Bars[I]->Position(), I == channel ? 123 : 0);
    VerifyInStep();
}

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
