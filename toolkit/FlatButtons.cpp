#include "FlatButtons.h"

#include <QEvent>
#include <QPainter>

namespace {

// The face in Face with a one-pixel frame just inside R: three overlapping fills,
// each one call of Qt's span filler. A rectangle stroked with a pen goes through the
// path stroker instead, which cost more than the whole face on every eyedropper
// tick, and at a scale of 2 it left the frame lopsided.
void FillFramed(QPainter& P, const QRect& R, const QColor& Face, const QColor& TopLeft,
                const QColor& BottomRight)
{
    P.fillRect(R, BottomRight);
    if (const QRect Upper = R.adjusted(0, 0, -1, -1); Upper.isValid())
        P.fillRect(Upper, TopLeft);
    if (const QRect Inner = R.adjusted(1, 1, -1, -1); Inner.isValid())
        P.fillRect(Inner, Face);
}

} // namespace

TFlatButtonBase::TFlatButtonBase(QWidget* Parent)
    : QAbstractButton(Parent), TControl(static_cast<QWidget&>(*this))
{
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] { Fire(OnClick, static_cast<TObject*>(this)); });
}

TColor TFlatButtonBase::FaceColor() const
{
    if (!isEnabled())
        return Color();
    if (isDown())
        return FColorDown;
    return underMouse() ? FColorFocused : Color();
}

void TFlatButtonBase::paintEvent(QPaintEvent*)
{
    QPainter P(this);
    const QRect R = rect();
    const QColor Face = ColorToQColor(FaceColor());
    const bool Raised = isEnabled() && underMouse() && !isDown();
    const bool Sunken = isEnabled() && isDown();
    if (Raised || Sunken)
        FillFramed(P, R, Face, ColorToQColor(Raised ? FColorHighLight : FColorShadow),
                   ColorToQColor(Raised ? FColorShadow : FColorHighLight));
    else
        FillFramed(P, R, Face, ColorToQColor(FColorBorder), ColorToQColor(FColorBorder));
    if (text().isEmpty())
        return;
    P.setFont(font());
    const QRect TextRect = Sunken ? R.translated(1, 1) : R;
    if (isEnabled()) {
        P.setPen(ColorToQColor(FontColor()));
        P.drawText(TextRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    } else { // embossed, as a disabled caption is drawn on a button face
        P.setPen(ColorToQColor(clBtnHighlight));
        P.drawText(TextRect.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, text());
        P.setPen(ColorToQColor(clBtnShadow));
        P.drawText(TextRect, Qt::AlignCenter | Qt::TextSingleLine, text());
    }
}

void TFlatButtonBase::changeEvent(QEvent* E)
{
    // A disabled control lets presses through to the form beneath.
    if (E->type() == QEvent::EnabledChange)
        setAttribute(Qt::WA_NoMousePropagation, isEnabled());
    QAbstractButton::changeEvent(E);
}

bool TFlatButtonBase::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Caption") setText(PropText(V, Prop));
    else if (Prop == "ColorFocused") FColorFocused = TColor(PropNumber(V, Prop));
    else if (Prop == "ColorDown") FColorDown = TColor(PropNumber(V, Prop));
    else if (Prop == "ColorBorder") FColorBorder = TColor(PropNumber(V, Prop));
    else if (Prop == "ColorHighLight") FColorHighLight = TColor(PropNumber(V, Prop));
    else if (Prop == "ColorShadow") FColorShadow = TColor(PropNumber(V, Prop));
    else return TControl::SetProperty(Prop, V);
    update();
    return true;
}

bool TFlatButtonBase::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnClick" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnClick = std::get<TNotifyEvent>(H);
    return true;
}

TFlatButton::TFlatButton(QWidget* Parent) : TFlatButtonBase(Parent) { setFocusPolicy(Qt::ClickFocus); }

TFlatSpeedButton::TFlatSpeedButton(QWidget* Parent) : TFlatButtonBase(Parent) { setFocusPolicy(Qt::NoFocus); }
