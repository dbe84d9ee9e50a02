// Bad input on the real picker: a paste of 100 000 characters into a field, a key held
// down in a field, 2 000 fast clicks on the eyedropper button, and 500 copies while
// another client keeps taking the clipboard back. After each, the picker must answer
// a copy within a second, and both codes must be right for what was typed.
#include "Desktop.h"
#include "FlatButtons.h"
#include "LayoutOracle.h"
#include "SpinEdit.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QtTest>

namespace {

QString Clipboard() { return Tool("xclip", {"-selection", "clipboard", "-o"}); }

// xclip serves the text from a process of its own until someone else takes it.
void PutOnClipboard(const QByteArray& Text)
{
    QTemporaryFile File;
    QVERIFY(File.open());
    File.write(Text);
    File.close();
    Tool("xclip", {"-selection", "clipboard", File.fileName()});
}

// Asks for a copy with Keys after someone else has taken the clipboard; what the
// picker put there within a second, or nothing.
QString CopyWithinASecond(const QString& Keys)
{
    Tool("xclip", {"-selection", "clipboard", "/dev/null"});
    Xdotool({"key", Keys});
    QElapsedTimer Since;
    Since.start();
    do {
        const QString Code = Clipboard();
        if (!Code.isEmpty())
            return Code;
        QTest::qWait(20);
    } while (Since.elapsed() < 1000);
    return {};
}

// The web-safe code that goes with an HTML code: each channel at its nearest level.
QString WebSafeOf(const QString& Code)
{
    QString Out = "#";
    for (int I = 1; I < 7; I += 2) {
        const int V = Code.mid(I, 2).toInt(nullptr, 16);
        Out += QString("%1").arg((V + 25) / 51 * 51, 2, 16, QChar('0')).toUpper();
    }
    return Out;
}

const QRegularExpression ValidCode("^#[0-9A-F]{6}$");

} // namespace

class TestE2EBadInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { delete Layout; }
    void init();
    void cleanup();

    void hugePaste_data();
    void hugePaste();
    void keyHeldDown_data();
    void keyHeldDown();
    void clickStormOnTheEyedropper();
    void copiesWhileTheClipboardIsTakenBack();

private:
    // Clicks into a field, selects its text and types Text over it.
    void TypeInto(TSpinEdit* Spin, const QString& Text);
    // Both copies answer within a second with the codes of the bars: Code, or any
    // valid code when Code is empty.
    void VerifyCodes(const QString& Code, const char* After);
    void Click(const QPoint& InWindow);
    TLayoutOracle* Layout = nullptr;
    TPicker* Picker = nullptr;
    QPoint Origin;
};

void TestE2EBadInput::initTestCase()
{
    Layout = new TLayoutOracle;
    Tool("xset", {"r", "on"}); // a held key repeats, as on a desktop
}

void TestE2EBadInput::init()
{
    Picker = new TPicker;
    QVERIFY(!Picker->WindowId().isEmpty());
    Origin = Picker->Geometry().topLeft();
    Picker->Focus();
}

void TestE2EBadInput::cleanup()
{
    // Still the same process: the bad input ended nothing.
    QCOMPARE(Picker->Process().state(), QProcess::Running);
    delete Picker;
    Picker = nullptr;
}

void TestE2EBadInput::Click(const QPoint& InWindow)
{
    // Not --sync: xdotool would wait for a move that never comes when the pointer is
    // there already. The server handles the move before the click anyway.
    const QPoint P = Origin + InWindow;
    Xdotool({"mousemove", QString::number(P.x()), QString::number(P.y()), "click", "1"});
}

void TestE2EBadInput::TypeInto(TSpinEdit* Spin, const QString& Text)
{
    Click(TLayoutOracle::WidgetInWindow(Spin->Editor()).center());
    Xdotool({"key", "ctrl+a"});
    Xdotool({"type", "--delay", "30", Text});
}

void TestE2EBadInput::VerifyCodes(const QString& Code, const char* After)
{
    const QString Html = CopyWithinASecond("ctrl+w");
    QVERIFY2(ValidCode.match(Html).hasMatch(), qPrintable(QString("%1: HTML code \"%2\"").arg(After, Html)));
    if (!Code.isEmpty())
        QVERIFY2(Html == Code, qPrintable(QString("%1: HTML code %2, not %3").arg(After, Html, Code)));
    const QString WebSafe = CopyWithinASecond("ctrl+s");
    QVERIFY2(WebSafe == WebSafeOf(Html), qPrintable(QString("%1: web-safe code \"%2\" with %3").arg(After, WebSafe, Html)));
}

void TestE2EBadInput::hugePaste_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("code");
    QTest::newRow("blanks, then a number") << QByteArray(99997, ' ') + "100" << "#646464";
    QTest::newRow("digits beyond 32 bits") << QByteArray(100000, '7') << "#006464";
    QTest::newRow("letters") << QByteArray(100000, 'x') << "#006464";
    QTest::newRow("Japanese") << QString(100000, QChar(0x8272)).toUtf8() << "#006464";
}

// The green and blue fields hold 100, red 200; the paste replaces the red text.
void TestE2EBadInput::hugePaste()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, code);
    TypeInto(FrmMain->spnG, "100");
    TypeInto(FrmMain->spnB, "100");
    TypeInto(FrmMain->spnR, "200");
    VerifyCodes("#C86464", "before the paste");
    PutOnClipboard(text);
    Xdotool({"key", "ctrl+a", "ctrl+v"});
    VerifyCodes(code, "after the paste");
    TypeInto(FrmMain->spnR, "123");
    VerifyCodes("#7B6464", "typed after the paste");
}

void TestE2EBadInput::keyHeldDown_data()
{
    QTest::addColumn<QString>("before"); // a key pressed once before the held one
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("code"); // empty: any code the editing rules allow
    QTest::newRow("Up, past the maximum") << "End" << "Up" << "#FF0000";
    QTest::newRow("a letter, refused each time") << "End" << "x" << "#C80000";
    QTest::newRow("Delete, from the start") << "Home" << "Delete" << "#000000";
    QTest::newRow("a digit") << "End" << "9" << "";
}

void TestE2EBadInput::keyHeldDown()
{
    QFETCH(QString, before);
    QFETCH(QString, key);
    QFETCH(QString, code);
    TypeInto(FrmMain->spnR, "200");
    Xdotool({"key", before});
    Xdotool({"keydown", key});
    QTest::qWait(5000);
    Xdotool({"keyup", key});
    VerifyCodes(code, "after the held key");
    TypeInto(FrmMain->spnR, "123");
    VerifyCodes("#7B0000", "typed after the held key");
}

// An even number of clicks leaves the mode off: a key then captures nothing, and the
// button shows its own face again.
void TestE2EBadInput::clickStormOnTheEyedropper()
{
    Tool("xsetroot", {"-solid", "#336699"});
    TypeInto(FrmMain->spnR, "200");
    TypeInto(FrmMain->spnG, "100");
    TypeInto(FrmMain->spnB, "30");
    const QRect Button = TLayoutOracle::InWindow(FrmMain->ftbSpoit).translated(Origin);
    Xdotool({"mousemove", QString::number(Button.left() + 4), QString::number(Button.top() + 4)});
    Xdotool({"click", "--repeat", "2000", "--delay", "1", "1"});
    Picker->Focus();
    VerifyCodes("#C8641E", "after 2 000 clicks");
    Xdotool({"mousemove", "900", "700"});
    QTest::qWait(100);
    const QRect Strip(Button.left() + 2, Button.top() + 4, 5, Button.height() - 8);
    QCOMPARE(UniformColour(Strip), ColorToQColor(clBtnFace));
}

// A copy that does not stick (the other client took the clipboard back before the
// picker read it back) brings up the clipboard error box, which takes the keys until
// it is closed; there must never be more than that one box.
void TestE2EBadInput::copiesWhileTheClipboardIsTakenBack()
{
    TypeInto(FrmMain->spnR, "200");
    TypeInto(FrmMain->spnG, "100");
    TypeInto(FrmMain->spnB, "30");
    QProcess Thief;
    Thief.start(QStringLiteral(CLIPBOARD_THIEF_PATH), {"120"});
    QVERIFY(Thief.waitForReadyRead(10000));
    QCOMPARE(Thief.readLine(), QByteArray("ready\n"));
    Picker->Focus();
    Xdotool({"key", "--repeat", "500", "--delay", "5", "ctrl+w"});
    Thief.terminate();
    QVERIFY(Thief.waitForFinished(10000));
    const long TakenBack = Thief.readAll().trimmed().toLong();
    QVERIFY2(TakenBack > 0, "no copy ever reached the clipboard");

    const QString Pid = QString::number(Picker->Process().processId());
    QStringList Boxes = Tool("xdotool", {"search", "--onlyvisible", "--pid", Pid, "--name", "."}).split('\n', Qt::SkipEmptyParts);
    Boxes.removeAll(Picker->WindowId());
    QVERIFY2(Boxes.size() <= 1, qPrintable(QString("%1 boxes at once").arg(Boxes.size())));
    for (const QString& Box : Boxes) {
        Xdotool({"windowfocus", "--sync", Box});
        Xdotool({"key", "Return"});
    }
    Picker->Focus(); // without a window manager the focus does not come back by itself
    VerifyCodes("#C8641E", "after the fight over the clipboard");
}

QTEST_MAIN(TestE2EBadInput)
#include "test_e2e_bad_input.moc"
