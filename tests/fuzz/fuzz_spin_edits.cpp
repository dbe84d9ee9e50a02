// libFuzzer target: arbitrary bytes drive the three spin edits of a real TFrmMain on
// Qt's offscreen platform, as pasted text and key presses, interleaved with writes to
// the bars, focus moves and the step buttons. After every step the window must hold
// together (CheckWindow); a broken rule prints the state and aborts, so libFuzzer keeps
// the input as a crash file.
//
// What the editing rules leave standing, from TFrmMain::SpinChanged/BarChanged and
// TSpinEdit:
// - A text change sets the bar to the number the text reads (Value: a signed 32-bit
//   decimal after leading blanks, otherwise 0), clamped by the bar to 0..255. When the
//   bar really moves, its chain rewrites the text to the bar's number; when it does
//   not, the text stays as it is.
// - A bar write rewrites the text to the bar's number. Leaving the field rewrites an
//   out-of-range number clamped, which moves the bar to the same place.
// So at every rest point, for each channel: the bar is 0..255, and the spin edit's text
// reads as a number that clamps to the bar's position, or is no number at all while
// the bar is at 0 (the bar's own number is one such text). The shown text is the
// component's text, lblHtmlCode is the code of the three bars, and lblWebSafe is the
// code of their nearest web-safe levels.
#include "Beep.h"
#include "Label.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

QApplication* App = nullptr;
TPickerFixture* Fixture = nullptr;

// The input, read from the front; past its end every read gives 0.
class TInput {
public:
    TInput(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
    bool AtEnd() const { return FAt >= FSize; }
    std::uint8_t Byte() { return AtEnd() ? 0 : FData[FAt++]; }
    int Int16() { return std::int16_t(Byte() | Byte() << 8); }
    QByteArray Bytes(std::size_t N)
    {
        N = std::min(N, FSize - std::min(FAt, FSize));
        const QByteArray B(reinterpret_cast<const char*>(FData + FAt), qsizetype(N));
        FAt += N;
        return B;
    }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FAt = 0;
};

struct TChannel {
    TSpinEdit* Spin;
    TScrollBar* Bar;
};

TChannel Channel(int I)
{
    const TChannel All[] = {{FrmMain->spnR, FrmMain->sclRed},
                            {FrmMain->spnG, FrmMain->sclGreen},
                            {FrmMain->spnB, FrmMain->sclBlue}};
    return All[I % 3];
}

// The rule written out again here rather than taken from TSpinEdit::ParseInt32, so
// that a fault in the parser shows as a broken rule.
std::optional<long long> ReadsAsNumber(const QString& T)
{
    qsizetype I = 0;
    while (I < T.size() && T[I] == u' ')
        ++I;
    const bool Negative = I < T.size() && T[I] == u'-';
    if (I < T.size() && (T[I] == u'-' || T[I] == u'+'))
        ++I;
    if (I == T.size())
        return std::nullopt;
    long long N = 0;
    for (; I < T.size(); ++I) {
        if (T[I] < u'0' || T[I] > u'9')
            return std::nullopt;
        N = N * 10 + (T[I].unicode() - u'0');
        if (N > (1LL << 31))
            return std::nullopt;
    }
    N = Negative ? -N : N;
    if (N < -(1LL << 31) || N >= (1LL << 31))
        return std::nullopt;
    return N;
}

QString Code(int R, int G, int B)
{
    return QString::asprintf("#%02X%02X%02X", unsigned(R), unsigned(G), unsigned(B));
}

int NearestWebSafe(int V)
{
    int Best = 0;
    for (int Level = 0; Level <= 255; Level += 51)
        if (std::abs(V - Level) < std::abs(V - Best))
            Best = Level;
    return Best;
}

[[noreturn]] void Broken(const char* Rule, int Step, const char* Op)
{
    std::fprintf(stderr, "fuzz_spin_edits: %s, after step %d (%s)\n", Rule, Step, Op);
    for (int I = 0; I < 3; ++I) {
        const QString T = Channel(I).Spin->Text();
        std::fprintf(stderr, "  channel %d: bar %d, text (%lld chars) \"%s\"\n", I, Channel(I).Bar->Position(),
                     static_cast<long long>(T.size()), qPrintable(T.left(80)));
    }
    std::fprintf(stderr, "  lblHtmlCode \"%s\", lblWebSafe \"%s\"\n", qPrintable(FrmMain->lblHtmlCode->Caption()),
                 qPrintable(FrmMain->lblWebSafe->Caption()));
    std::abort();
}

void CheckWindow(int Step, const char* Op)
{
    int Bars[3];
    for (int I = 0; I < 3; ++I) {
        const TChannel C = Channel(I);
        Bars[I] = C.Bar->Position();
        if (Bars[I] < 0 || Bars[I] > 255)
            Broken("a bar outside 0..255", Step, Op);
        if (C.Spin->Editor()->text() != C.Spin->Text())
            Broken("the field shows another text than the spin edit holds", Step, Op);
        const std::optional<long long> N = ReadsAsNumber(C.Spin->Text());
        if (std::clamp(N.value_or(0), 0LL, 255LL) != Bars[I])
            Broken(N ? "a number left standing that does not clamp to its bar"
                     : "a text that is no number left standing while its bar is not at 0",
                   Step, Op);
    }
    if (FrmMain->lblHtmlCode->Caption() != Code(Bars[0], Bars[1], Bars[2]))
        Broken("lblHtmlCode is not the code of the bars", Step, Op);
    if (FrmMain->lblWebSafe->Caption() != Code(NearestWebSafe(Bars[0]), NearestWebSafe(Bars[1]), NearestWebSafe(Bars[2])))
        Broken("lblWebSafe is not the web-safe code of the bars", Step, Op);
}

// The keys a person may press in a field: characters the filter lets through or
// refuses, editing keys, steps, and the editing shortcuts (undo and redo included).
struct TKey {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    const char* Text;
};
const TKey Keys[] = {
    {Qt::Key_0, {}, "0"}, {Qt::Key_1, {}, "1"}, {Qt::Key_2, {}, "2"}, {Qt::Key_5, {}, "5"},
    {Qt::Key_9, {}, "9"}, {Qt::Key_Plus, {}, "+"}, {Qt::Key_Minus, {}, "-"}, {Qt::Key_Space, {}, " "},
    {Qt::Key_Period, {}, "."}, {Qt::Key_Comma, {}, ","}, {Qt::Key_A, {}, "a"},
    {Qt::Key_Backspace, {}, "\b"}, {Qt::Key_Delete, {}, "\x7f"}, {Qt::Key_Left, {}, ""},
    {Qt::Key_Right, {}, ""}, {Qt::Key_Home, {}, ""}, {Qt::Key_End, {}, ""}, {Qt::Key_Up, {}, ""},
    {Qt::Key_Down, {}, ""}, {Qt::Key_Return, {}, "\r"}, {Qt::Key_Enter, Qt::KeypadModifier, "\r"},
    {Qt::Key_A, Qt::ControlModifier, "\x01"}, {Qt::Key_Z, Qt::ControlModifier, "\x1a"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "\x1a"}, {Qt::Key_X, Qt::ControlModifier, "\x18"},
    {Qt::Key_C, Qt::ControlModifier, "\x03"}, {Qt::Key_V, Qt::ControlModifier, "\x16"},
    {Qt::Key_W, Qt::ControlModifier, "\x17"}, {Qt::Key_Left, Qt::ShiftModifier, ""},
    {Qt::Key_Home, Qt::ShiftModifier, ""}};
constexpr int KeyCount = int(sizeof Keys / sizeof Keys[0]);

void PressKey(TInput& In, QLineEdit* Edit)
{
    const int Pick = In.Byte();
    if (Pick < KeyCount) {
        const TKey& K = Keys[Pick];
        QTest::sendKeyEvent(QTest::Click, Edit, K.Key, QString::fromLatin1(K.Text), K.Mods);
        return;
    }
    // Any other character as the key's text, a UTF-16 unit of the input.
    const QChar C(char16_t(In.Byte() | In.Byte() << 8));
    QTest::sendKeyEvent(QTest::Click, Edit, Qt::Key_unknown, QString(C), Qt::NoModifier);
}

// Pastes with Ctrl+V, over the whole text, at the start, at the end or at a place.
void Paste(TInput& In, QLineEdit* Edit)
{
    const int Where = In.Byte();
    const int Length = In.Byte() | (Where & 0x80 ? In.Byte() << 8 : 0);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(In.Bytes(std::size_t(Length))));
    switch (Where & 3) {
    case 0: Edit->selectAll(); break;
    case 1: Edit->home(false); break;
    case 2: Edit->end(false); break;
    default: Edit->setCursorPosition((Where >> 2) % (Edit->text().size() + 1)); break;
    }
    QTest::sendKeyEvent(QTest::Click, Edit, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
}

void FocusOn(int Pick)
{
    QWidget* Target = Pick % 6 < 3 ? static_cast<QWidget*>(Channel(Pick).Spin->Editor()) : Channel(Pick).Bar;
    Target->setFocus(Qt::TabFocusReason);
}

void ClickStep(TSpinEdit* Spin, bool Up)
{
    for (QToolButton* B : Spin->findChildren<QToolButton*>())
        if ((B->arrowType() == Qt::UpArrow) == Up)
            B->click();
}

// Every input starts from the same window: all bars and fields at 0, no undo history,
// the focus in the red field.
void Reset()
{
    for (int I = 0; I < 3; ++I) {
        Channel(I).Spin->Editor()->setText(QStringLiteral("0")); // also clears its undo history
        Channel(I).Bar->SetPosition(0);
    }
    FrmMain->spnR->Editor()->setFocus(Qt::OtherFocusReason);
}

void NoBeep() {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "fuzz_spin_edits";
    static char* Argv[] = {Name, nullptr};
    App = new QApplication(Argc, Argv);
    SetBeepHook(&NoBeep);
    Fixture = new TPickerFixture;
    FrmMain->show();
    FrmMain->activateWindow();
    if (!QTest::qWaitForWindowActive(FrmMain))
        std::fprintf(stderr, "fuzz_spin_edits: the window did not become active; focus steps do less\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    Reset();
    CheckWindow(0, "start");
    TInput In(Data, Size);
    for (int Step = 1; !In.AtEnd(); ++Step) {
        const int Op = In.Byte();
        const TChannel C = Channel(In.Byte());
        const char* Name = "";
        switch (Op % 5) {
        case 0: Name = "paste"; Paste(In, C.Spin->Editor()); break;
        case 1: Name = "key"; PressKey(In, C.Spin->Editor()); break;
        case 2: Name = "bar write"; C.Bar->SetPosition(In.Int16()); break;
        case 3: Name = "focus"; FocusOn(Op / 5); break;
        default: Name = "step button"; ClickStep(C.Spin, Op & 8); break;
        }
        CheckWindow(Step, Name);
    }
    QCoreApplication::processEvents(); // the repaints, so none pile up between inputs
    return 0;
}
