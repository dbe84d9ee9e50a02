// The spin edit on its own and in the window: how its text reads as a number, which
// keys it lets through, and that no text at all can put a wrong code on show.
#include "Label.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

class TestSpinEdit : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void typedCharacters_data();
    void typedCharacters();
    void badTextInTheWindow_data();
    void badTextInTheWindow();
    void valueClampsAndChangesOnlyOnNewText();
    void stepButtonsAndArrowKeys();
};

void TestSpinEdit::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // what Value reads, 0 when the text is no number
    QTest::addColumn<bool>("number");
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("lone plus") << "+" << 0 << false;
    QTest::newRow("lone minus") << "-" << 0 << false;
    QTest::newRow("leading blank") << " 7" << 7 << true;
    QTest::newRow("blanks then sign") << "  -12" << -12 << true;
    QTest::newRow("plus") << "+5" << 5 << true;
    QTest::newRow("leading zeros") << "007" << 7 << true;
    QTest::newRow("300 unclamped") << "300" << 300 << true;
    QTest::newRow("-3 unclamped") << "-3" << -3 << true;
    QTest::newRow("int max") << "2147483647" << 2147483647 << true;
    QTest::newRow("int min") << "-2147483648" << int(-2147483648LL) << true;
    QTest::newRow("beyond int max") << "2147483648" << 0 << false;
    QTest::newRow("beyond int min") << "-2147483649" << 0 << false;
    QTest::newRow("many digits") << QString(40, '9') << 0 << false;
    QTest::newRow("exponent") << "1e3" << 0 << false;
    QTest::newRow("hexadecimal") << "0x10" << 0 << false;
    QTest::newRow("dollar hex") << "$10" << 0 << false;
    QTest::newRow("decimal point") << "1.5" << 0 << false;
    QTest::newRow("letters") << "abc" << 0 << false;
    QTest::newRow("trailing blank") << "7 " << 0 << false;
    QTest::newRow("two signs") << "+-1" << 0 << false;
    QTest::newRow("sign then blank") << "- 1" << 0 << false;
    QTest::newRow("full-width digit") << "７" << 0 << false;
}

void TestSpinEdit::parse()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, number);
    const std::optional<int> Parsed = TSpinEdit::ParseInt32(text);
    QCOMPARE(Parsed.has_value(), number);
    QCOMPARE(Parsed.value_or(0), value);
}

void TestSpinEdit::typedCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("passes");
    for (const char* C : {"0", "5", "9", "+", "-", "."})
        QTest::newRow(C) << C << true;
    for (const char* C : {"a", "Z", " ", "e", "x", "/", ","})
        QTest::newRow(C) << C << false;
    QTest::newRow("full-width digit") << "７" << false;
}

void TestSpinEdit::typedCharacters()
{
    QFETCH(QString, typed);
    QFETCH(bool, passes);
    TSpinEdit Spin(nullptr); // alone, so no handler rewrites its text
    Spin.SetProperty("MaxValue", 255LL);
    Spin.SetValue(1);
    TBeepCounter Beeps;
    Spin.Editor()->setCursorPosition(1);
    QKeyEvent Press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
    QApplication::sendEvent(Spin.Editor(), &Press);
    QCOMPARE(Spin.Text(), passes ? "1" + typed : QString("1"));
    QCOMPARE(Beeps.Count, passes ? 0 : 1);
}

void TestSpinEdit::badTextInTheWindow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bar");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("lone sign") << "-" << 0;
    QTest::newRow("leading blank") << " 7" << 7;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("007") << "007" << 7;
    QTest::newRow("beyond int max") << "2147483648" << 0;
    QTest::newRow("beyond int min") << "-2147483649" << 0;
    QTest::newRow("int max") << "2147483647" << 255;
    QTest::newRow("exponent") << "1e3" << 0;
    QTest::newRow("hexadecimal") << "0x10" << 0;
    QTest::newRow("letters") << "xyz" << 0;
    QTest::newRow("100 000 digits") << QString(100000, '1') << 0;
    QTest::newRow("100 000 letters") << QString(100000, 'q') << 0;
    QTest::newRow("100 000 zeros then 9") << QString(99999, '0') + "9" << 9;
}

void TestSpinEdit::badTextInTheWindow()
{
    QFETCH(QString, text);
    QFETCH(int, bar);
    TPickerFixture Fixture;
    FrmMain->sclRed->SetPosition(128);
    FrmMain->spnR->Editor()->selectAll();
    FrmMain->spnR->Editor()->insert(text); // a paste over the whole field
    QCOMPARE(FrmMain->sclRed->Position(), bar);
    const QRegularExpression Valid("^#[0-9A-F]{6}$");
    QVERIFY(Valid.match(FrmMain->lblHtmlCode->Caption()).hasMatch());
    QVERIFY(Valid.match(FrmMain->lblWebSafe->Caption()).hasMatch());
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), "#" + QString("%1").arg(bar, 2, 16, QChar('0')).toUpper() + "0000");
}

void TestSpinEdit::valueClampsAndChangesOnlyOnNewText()
{
    TPickerFixture Fixture;
    TEventLog::Start();
    FrmMain->spnB->SetValue(0);   // the text is "0" already
    FrmMain->spnB->SetValue(-40); // clamps to 0: the same text
    QCOMPARE(TEventLog::Events, QStringList{});
    FrmMain->spnB->SetValue(999);
    QCOMPARE(FrmMain->spnB->Text(), QString("255"));
    FrmMain->spnB->SetText("255");
    TEventLog::Stop();
    // One change of the text, then the bar's chain writes the same text back.
    QCOMPARE(TEventLog::Events, (QStringList{"spnB", "sclBlue"}));
}

void TestSpinEdit::stepButtonsAndArrowKeys()
{
    TPickerFixture Fixture;
    QLineEdit* Edit = FrmMain->spnR->Editor();
    QTest::keyClick(Edit, Qt::Key_Down); // stops at 0
    QCOMPARE(FrmMain->spnR->Text(), QString("0"));
    QTest::keyClick(Edit, Qt::Key_Up);
    QTest::keyClick(Edit, Qt::Key_Up);
    QCOMPARE(FrmMain->sclRed->Position(), 2);
    FrmMain->spnR->SetText("300"); // reads 300, so Up gives 301 and clamps to 255
    QCOMPARE(FrmMain->spnR->Text(), QString("255"));
    FrmMain->spnR->SetText("abc");
    QTest::keyClick(Edit, Qt::Key_Up); // "abc" reads 0
    QCOMPARE(FrmMain->spnR->Text(), QString("1"));
    auto Buttons = FrmMain->spnR->findChildren<QToolButton*>();
    QCOMPARE(Buttons.size(), 2);
    for (QToolButton* B : Buttons)
        if (B->arrowType() == Qt::UpArrow)
            B->click();
    QCOMPARE(FrmMain->sclRed->Position(), 2);
}

QTEST_MAIN(TestSpinEdit)
#include "test_spinedit.moc"
