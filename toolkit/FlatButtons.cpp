#include "FlatButtons.h"

#include <QEvent>
#include <QPainter>

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
    P.fillRect(R, ColorToQColor(FaceColor()));
    const bool Raised = isEnabled() && underMouse() && !isDown();
    const bool Sunken = isEnabled() && isDown();
    if (Raised || Sunken) {
        const QColor TopLeft = ColorToQColor(Raised ? FColorHighLight : FColorShadow);
        const QColor BottomRight = ColorToQColor(Raised ? FColorShadow : FColorHighLight);
        P.fillRect(R.left(), R.top(), R.width(), 1, TopLeft);
        P.fillRect(R.left(), R.top(), 1, R.height(), TopLeft);
        P.fillRect(R.left(), R.bottom(), R.width(), 1, BottomRight);
        P.fillRect(R.right(), R.top(), 1, R.height(), BottomRight);
    } else {
        P.setPen(ColorToQColor(FColorBorder));
        P.drawRect(R.adjusted(0, 0, -1, -1));
    }
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
