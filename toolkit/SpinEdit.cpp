#include "SpinEdit.h"

#include "Beep.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <climits>

TSpinEdit::TSpinEdit(QWidget* Parent)
    : QWidget(Parent), TControl(static_cast<QWidget&>(*this)), FEdit(new QLineEdit(this)),
      FUp(new QToolButton(this)), FDown(new QToolButton(this))
{
    setAttribute(Qt::WA_NoMousePropagation);
    FEdit->setMaxLength(INT_MAX); // an edit field takes any length of pasted text
    FEdit->installEventFilter(this);
    setFocusPolicy(Qt::NoFocus); // the field takes the focus, so Tab stops once
    for (QToolButton* B : {FUp, FDown}) {
        B->setFocusPolicy(Qt::NoFocus);
        B->setAutoRepeat(true);
        B->setIconSize(QSize(7, 4));
    }
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    connect(FUp, &QToolButton::clicked, this, [this] { Step(+FIncrement); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(-FIncrement); });
    connect(FEdit, &QLineEdit::textChanged, this, &TSpinEdit::EditTextChanged);
}

void TSpinEdit::resizeEvent(QResizeEvent*)
{
    const int ButtonWidth = 15;
    FEdit->setGeometry(0, 0, width() - ButtonWidth, height());
    const int Half = height() / 2;
    FUp->setGeometry(width() - ButtonWidth, 0, ButtonWidth, Half);
    FDown->setGeometry(width() - ButtonWidth, Half, ButtonWidth, height() - Half);
}

std::optional<int> TSpinEdit::ParseInt32(const QString& Text)
{
    qsizetype I = 0;
    while (I < Text.size() && Text[I] == QLatin1Char(' '))
        ++I;
    bool Negative = false;
    if (I < Text.size() && (Text[I] == QLatin1Char('+') || Text[I] == QLatin1Char('-')))
        Negative = Text[I++] == QLatin1Char('-');
    if (I == Text.size())
        return std::nullopt;
    long long N = 0;
    for (; I < Text.size(); ++I) {
        const char16_t C = Text[I].unicode();
        if (C < u'0' || C > u'9')
            return std::nullopt;
        N = N * 10 + (C - u'0');
        if (N > 2147483648LL)
            return std::nullopt;
    }
    if (Negative)
        N = -N;
    if (N > INT_MAX || N < INT_MIN)
        return std::nullopt;
    return int(N);
}

bool TSpinEdit::IsValidChar(QChar C)
{
    if (C == QLatin1Char('\r') || C == QLatin1Char('\n'))
        return false;
    // DEL is a control character too: on X11 it is the Delete key's text.
    if (C.unicode() < 32 || C.unicode() == 0x7f)
        return true;
    const QString Separator = QLocale().decimalPoint();
    return (C >= QLatin1Char('0') && C <= QLatin1Char('9')) || C == QLatin1Char('+') ||
           C == QLatin1Char('-') || (Separator.size() == 1 && C == Separator[0]);
}

int TSpinEdit::Value() const { return ParseInt32(FText).value_or(FMinValue); }

int TSpinEdit::Clamp(long long V) const
{
    if (FMaxValue == FMinValue) // no range set: no clamping
        return int(std::clamp<long long>(V, INT_MIN, INT_MAX));
    return int(std::clamp<long long>(V, FMinValue, FMaxValue));
}

void TSpinEdit::SetValue(int V) { SetText(QString::number(Clamp(V))); }

void TSpinEdit::Step(int Delta)
{
    if (!FEdit->hasFocus())
        FEdit->setFocus();
    SetValue(Clamp(static_cast<long long>(Value()) + Delta));
}

void TSpinEdit::SetText(const QString& V)
{
    if (V == FText)
        return;
    FEdit->setText(V); // reaches EditTextChanged, which fires OnChange
}

void TSpinEdit::EditTextChanged(const QString& V)
{
    if (V == FText)
        return;
    FText = V;
    Fire(OnChange, static_cast<TObject*>(this));
}

bool TSpinEdit::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FEdit)
        return false;
    if (Event->type() == QEvent::KeyPress) {
        auto* Key = static_cast<QKeyEvent*>(Event);
        if (Key->key() == Qt::Key_Up || Key->key() == Qt::Key_Down) {
            Step(Key->key() == Qt::Key_Up ? FIncrement : -FIncrement);
            return true;
        }
        if (Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter) {
            Beep();
            return true;
        }
        const QString Typed = Key->text();
        if (!(Key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !Typed.isEmpty())
            for (QChar C : Typed)
                if (!IsValidChar(C)) {
                    Beep();
                    return true;
                }
    } else if (Event->type() == QEvent::InputMethod) {
        auto* Input = static_cast<QInputMethodEvent*>(Event);
        for (QChar C : Input->commitString())
            if (!IsValidChar(C)) {
                Beep();
                return true;
            }
    } else if (Event->type() == QEvent::FocusOut) {
        if (Clamp(Value()) != Value())
            SetValue(Value());
    }
    return false;
}

bool TSpinEdit::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "MinValue") FMinValue = int(PropNumber(V, Prop));
    else if (Prop == "MaxValue") FMaxValue = int(PropNumber(V, Prop));
    else if (Prop == "Increment") FIncrement = int(PropNumber(V, Prop));
    else if (Prop == "Value") SetValue(int(PropNumber(V, Prop)));
    else return TControl::SetProperty(Prop, V);
    return true;
}

bool TSpinEdit::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnChange" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnChange = std::get<TNotifyEvent>(H);
    return true;
}
